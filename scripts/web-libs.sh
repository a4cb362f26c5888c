#!/usr/bin/env bash
# Builds the C libraries the game links (SDL2, SDL2_mixer, libdeflate, nettle,
# zlib) for WebAssembly from Debian's source packages, at the versions the
# desktop build uses, into a prefix cached outside the checkout.
# Usage: web-libs.sh  -> prints the prefix on its last line.
# emscripten's ports are never used: they download from the internet.
set -euo pipefail

# Source package, the -dev package whose installed version it must match.
LIBS=(
  "libsdl2 libsdl2-dev"
  "libsdl2-mixer libsdl2-mixer-dev"
  "libdeflate libdeflate-dev"
  "nettle nettle-dev"
  "zlib zlib1g-dev"
)

version_of() { dpkg-query -W -f='${Version}' "$1"; }

key="emcc-$(dpkg-query -W -f='${Version}' emscripten | tr -c 'A-Za-z0-9.\n' '_')"
for entry in "${LIBS[@]}"; do
  set -- $entry
  key+="-$1-$(version_of "$2" | sed 's/^[0-9]*://; s/[^A-Za-z0-9.]/_/g')"
done
CACHE="${PLOTFRAY_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/plotfray-web}"
PREFIX="$CACHE/$(echo "$key" | md5sum | cut -c1-12)"
if [ -f "$PREFIX/.complete" ]; then
  echo "$PREFIX"
  exit 0
fi

export NODE_PATH=/usr/share/nodejs
JOBS=$(nproc)
SRC="$CACHE/src"
rm -rf "$PREFIX" "$SRC"
mkdir -p "$PREFIX/lib/pkgconfig" "$PREFIX/include" "$SRC"
echo "$key" > "$PREFIX/versions"
log() { echo "web-libs: $*" >&2; }

fetch() { # fetch SOURCE DEV -> prints the unpacked folder
  local src="$1" ver
  ver="$(version_of "$2")"
  (cd "$SRC" && apt-get source -qq "$src=$ver" >/dev/null 2>&1) || {
    log "apt-get source $src=$ver failed (is there a deb-src entry?)"; exit 1; }
  ls -d "$SRC/$src"-*/ | head -1
}

log "zlib"
dir="$(fetch zlib zlib1g-dev)"
(cd "$dir" && CHOST= emconfigure ./configure --static --prefix="$PREFIX" >/dev/null &&
  emmake make -j"$JOBS" libz.a >/dev/null && emmake make install >/dev/null)

log "libdeflate"
dir="$(fetch libdeflate libdeflate-dev)"
(cd "$dir" && emmake make -j"$JOBS" CC=emcc AR=emar DISABLE_SHARED=1 libdeflate.a >/dev/null &&
  cp libdeflate.a "$PREFIX/lib/" && cp libdeflate.h "$PREFIX/include/")
ver="$(version_of libdeflate-dev | sed 's/-.*//')"
cat > "$PREFIX/lib/pkgconfig/libdeflate.pc" <<PC
prefix=$PREFIX
Name: libdeflate
Description: fast DEFLATE
Version: $ver
Libs: \${prefix}/lib/libdeflate.a
Cflags: -I\${prefix}/include
PC

log "nettle (MD5 is all the game needs)"
dir="$(fetch nettle nettle-dev)"
(cd "$dir" && emconfigure ./configure --host=wasm32-unknown-emscripten --prefix="$PREFIX" \
    --disable-assembler --disable-documentation --disable-shared --disable-public-key \
    --disable-fat --disable-openssl --disable-pic >/dev/null &&
  emmake make -j"$JOBS" libnettle.a >/dev/null &&
  touch stamp-h.in config.h.in && emmake make install-headers install-static >/dev/null)
ver="$(version_of nettle-dev | sed 's/-.*//')"
cat > "$PREFIX/lib/pkgconfig/nettle.pc" <<PC
prefix=$PREFIX
Name: nettle
Description: hashes
Version: $ver
Libs: \${prefix}/lib/libnettle.a
Cflags: -I\${prefix}/include
PC

log "SDL2 (its configure alone takes minutes: one emcc call per check)"
dir="$(fetch libsdl2 libsdl2-dev)"
emcmake cmake -S "$dir" -B "$SRC/sdl2-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
  -DSDL_PTHREADS=OFF >/dev/null
cmake --build "$SRC/sdl2-build" -j"$JOBS" >/dev/null
cmake --install "$SRC/sdl2-build" >/dev/null

log "SDL2_mixer (OGG through its built-in decoder)"
dir="$(fetch libsdl2-mixer libsdl2-mixer-dev)"
emcmake cmake -S "$dir" -B "$SRC/mixer-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF -DSDL2_DIR="$PREFIX/lib/cmake/SDL2" \
  -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_WAVE=ON -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
  -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_SAMPLES=OFF \
  -DSDL2MIXER_CMD=OFF >/dev/null
cmake --build "$SRC/mixer-build" -j"$JOBS" >/dev/null
cmake --install "$SRC/mixer-build" >/dev/null
ver="$(version_of libsdl2-mixer-dev | sed 's/+.*//; s/-.*//')"
mixer_lib="$(ls "$PREFIX"/lib/libSDL2_mixer*.a | head -1)"
cat > "$PREFIX/lib/pkgconfig/SDL2_mixer.pc" <<PC
prefix=$PREFIX
Name: SDL2_mixer
Description: mixer
Version: $ver
Requires: sdl2
Libs: $mixer_lib
Cflags: -I\${prefix}/include/SDL2
PC

rm -rf "$SRC"
touch "$PREFIX/.complete"
log "built into $PREFIX"
echo "$PREFIX"
