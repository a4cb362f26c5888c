#!/usr/bin/env bash
# Builds the game for web browsers into build-web/ and serves that folder at
# http://127.0.0.1:8000/ (--build-only: build and stop; --port N: another port).
# The folder is all a web server needs: copy it anywhere static files are served.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

serve=1
port=8000
while [ $# -gt 0 ]; do
  case "$1" in
    --build-only) serve=0 ;;
    --port) port="$2"; shift ;;
    *) echo "usage: $0 [--build-only] [--port N]" >&2; exit 2 ;;
  esac
  shift
done

# tcl: SQLite's own build makes its one-file source with tclsh.
PACKAGES+=(emscripten nodejs dpkg-dev tcl)
# The libraries are built from Debian's source packages: apt needs a deb-src entry.
if ! grep -rqs "^Types:.*deb-src\|^deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/; then
  echo "web: adding a deb-src entry for bookworm main"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' |
    $sudo tee /etc/apt/sources.list.d/plotfray-deb-src.sources >/dev/null
  $sudo apt-get update -qq
fi
install_missing

# The data comes from the native generator, exactly as for the desktop.
echo "web: game data (native generator, build/)"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$ROOT"
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$ROOT" -B "$ROOT/build" -G Ninja "${launcher[@]}" >/dev/null
cmake --build "$ROOT/build" --target gamedata >/dev/null

echo "web: libraries for the browser (built once, then cached)"
prefix="$("$ROOT/scripts/web-libs.sh" | tail -1)"

echo "web: the game (build-web/)"
# emcc needs node's modules at -O1 and above.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S "$ROOT" -B "$ROOT/build-web" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" "${launcher[@]}" \
  -DPLOTFRAY_WEB_PREFIX="$prefix" -DPLOTFRAY_WEB_DATA="$ROOT/build/data" >/dev/null
cmake --build "$ROOT/build-web"
echo "web: built $ROOT/build-web (index.html, plotfray.js, plotfray.wasm, plotfray.data, Music.asdb, sizes.json)"

[ "$serve" = 1 ] || exit 0
echo "web: serving build-web at http://127.0.0.1:$port/ (Ctrl+C stops)"
exec node "$ROOT/tests/web/serve.js" "$ROOT/build-web" "$port"
