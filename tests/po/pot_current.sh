#!/usr/bin/env bash
# The committed template holds the texts the sources hold now: the build's
# fresh extraction and po/plotfray.pot differ only in line numbers and date.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
built="$1"
strip() { grep -v -e '^#:' -e '^"POT-Creation-Date' "$1"; }
if ! diff <(strip "$root/po/plotfray.pot") <(strip "$built"); then
  echo "po/plotfray.pot is behind the sources: run scripts/po.sh pot and commit it"
  exit 1
fi
echo "po/plotfray.pot holds every text of the sources"
