#!/usr/bin/env bash
# Installs what is missing, builds the game and its data, and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing
build build
exec "$ROOT/build/plotfray"
