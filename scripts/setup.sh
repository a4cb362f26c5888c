#!/usr/bin/env bash
# Shared set-up: install the Debian packages that are missing, then configure and
# build one build folder. Sourced by play.sh and test.sh.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libsdl2-dev libsdl2-mixer-dev zlib1g-dev libdeflate-dev nettle-dev libsqlite3-dev
  libcairo2-dev libfreetype-dev fonts-dejavu-core libvorbis-dev libogg-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils
  desktop-file-utils appstream dpkg-dev fakeroot file
  # the fonts SDL's message boxes need on an X server that has no others
  xfonts-base
  # compiles the translation catalogues, and the tests read what it compiles
  gettext
  # the reports' tests read the CSV with a strict reader and check the HTML
  python3 libxml2-utils
  # shares compiled objects between builds and checkouts
  ccache
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# build DIR [cmake options...]
build() {
  local dir="$1"; shift
  local launcher=()
  # ccache, where the machine has it, shares compiled objects between checkouts.
  if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$ROOT"
    # With debug info ccache would key each object on its build folder as well:
    # another checkout or build folder could then reuse none of them.
    export CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
  cmake --build "$ROOT/$dir"
}
