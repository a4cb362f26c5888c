#!/usr/bin/env bash
# Installs what is missing, builds the game, makes the Debian package
# build/plotfray_VERSION_ARCH.deb and installs it (apt brings its libraries).
# With --no-install it only makes the package.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing
build build
(cd "$ROOT/build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$ROOT"/build/plotfray_*.deb | head -n 1)
echo "package: $deb"
[ "${1:-}" = "--no-install" ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb"
echo "installed: start Plotfray from the games menu, or run plotfray"
