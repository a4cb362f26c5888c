#!/usr/bin/env bash
# Builds the C libraries the game links (SDL2, SDL2_mixer, libdeflate, nettle,
# zlib, SQLite) for WebAssembly from Debian's source packages, at the versions the
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
# SQLite came later than the others: it is added to a prefix that holds them
# already (its own stamp names its version), so they are not built again.
SQLITE_STAMP="$PREFIX/.sqlite3-$(version_of libsqlite3-dev | sed 's/[^A-Za-z0-9.]/_/g')"
if [ -f "$PREFIX/.complete" ] && [ -f "$SQLITE_STAMP" ]; then
  echo "$PREFIX"
  exit 0
fi

export NODE_PATH=/usr/share/nodejs
JOBS=$(nproc)
SRC="$CACHE/src-$$"
log() { echo "web-libs: $*" >&2; }

fetch() { # fetch SOURCE DEV -> prints the unpacked folder
  local src="$1" ver
  ver="$(version_of "$2")"
  (cd "$SRC" && apt-get source -qq "$src=$ver" >/dev/null 2>&1) || {
    log "apt-get source $src=$ver failed (is there a deb-src entry?)"; exit 1; }
  ls -d "$SRC/$src"-*/ | head -1
}

# SQLite's amalgamation is made by its own build with the machine's compiler
# and tclsh, then compiled once for the browser: one thread, no extensions.
build_sqlite() {
  log "SQLite"
  local dir ver
  dir="$(fetch sqlite3 libsqlite3-dev)"
  mkdir -p "$dir/bld"
  (cd "$dir/bld" && ../configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null)
  (cd "$dir/bld" && emcc -O2 -DNDEBUG -DSQLITE_THREADSAFE=0 -DSQLITE_OMIT_LOAD_EXTENSION \
      -DSQLITE_DEFAULT_MEMSTATUS=0 -DSQLITE_DQS=0 -Wno-everything -c sqlite3.c -o sqlite3.o &&
    emar rcs "$PREFIX/lib/libsqlite3.a" sqlite3.o && cp sqlite3.h "$PREFIX/include/")
  ver="$(version_of libsqlite3-dev | sed 's/-.*//')"
  cat > "$PREFIX/lib/pkgconfig/sqlite3.pc" <<PC
prefix=$PREFIX
Name: sqlite3
Description: SQLite for the browser
Version: $ver
Libs: \${prefix}/lib/libsqlite3.a
Cflags: -I\${prefix}/include
PC
  touch "$SQLITE_STAMP"
}

if [ -f "$PREFIX/.complete" ]; then
  rm -rf "$SRC"
  mkdir -p "$SRC"
  build_sqlite
  rm -rf "$SRC"
  log "built into $PREFIX"
  echo "$PREFIX"
  exit 0
fi

rm -rf "$PREFIX" "$SRC"
mkdir -p "$PREFIX/lib/pkgconfig" "$PREFIX/include" "$SRC"
echo "$key" > "$PREFIX/versions"

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

# SDL2 and SDL2_mixer are compiled file by file: their CMake configure runs one
# emcc link per check, which takes many minutes on a busy machine, and SDL
# ships its emscripten configuration header anyway.
build_objects() { # build_objects LIB ROOT FLAGS... -- SOURCES... (relative to ROOT, unique file names)
  local lib="$1" root="$2"; shift 2
  local flags=()
  while [ "$1" != "--" ]; do flags+=("$1"); shift; done
  shift
  local out="$SRC/obj-$(basename "$lib" .a)"
  rm -rf "$out"
  # One emcc call per share of the files: each call costs seconds of start-up.
  local sources=("$@") n=${#@} pids=() i
  for ((i = 0; i < JOBS; ++i)); do
    local part=()
    local k
    for ((k = i; k < n; k += JOBS)); do part+=("$root/${sources[k]}"); done
    mkdir -p "$out/$i"
    (cd "$out/$i" && emcc "${flags[@]}" -c "${part[@]}") & pids+=($!)
  done
  for i in "${pids[@]}"; do wait "$i" || { log "compiling $(basename "$lib") failed"; exit 1; }; done
  emar rcs "$lib" "$out"/*/*.o
}

log "SDL2"
dir="$(fetch libsdl2 libsdl2-dev)"
sdl_sources=$(cd "$dir/src" && ls *.c atomic/*.c audio/*.c audio/dummy/*.c audio/disk/*.c audio/emscripten/*.c \
  cpuinfo/*.c dynapi/*.c events/*.c file/*.c filesystem/emscripten/*.c haptic/*.c haptic/dummy/*.c \
  joystick/*.c joystick/emscripten/*.c joystick/virtual/*.c libm/*.c loadso/dlopen/*.c locale/*.c \
  locale/emscripten/*.c misc/*.c misc/emscripten/*.c power/*.c power/emscripten/*.c render/*.c \
  render/opengles2/*.c render/software/*.c sensor/*.c sensor/dummy/*.c stdlib/*.c thread/*.c \
  thread/generic/*.c timer/*.c timer/unix/*.c video/*.c video/dummy/*.c video/emscripten/*.c video/yuv2rgb/*.c)
# shellcheck disable=SC2086
build_objects "$PREFIX/lib/libSDL2.a" "$dir/src" -O2 -DNDEBUG -I"$dir/include" -I"$dir/src" \
  -idirafter "$dir/src/video/khronos" -Wno-everything -- $sdl_sources
mkdir -p "$PREFIX/include/SDL2"
cp "$dir"/include/*.h "$PREFIX/include/SDL2/"
ver="$(version_of libsdl2-dev | sed 's/+.*//; s/-.*//')"
cat > "$PREFIX/lib/pkgconfig/sdl2.pc" <<PC
prefix=$PREFIX
Name: sdl2
Description: SDL2 for the browser
Version: $ver
Libs: \${prefix}/lib/libSDL2.a
Cflags: -I\${prefix}/include/SDL2
PC

log "SDL2_mixer (OGG through its built-in decoder, WAVE)"
dir="$(fetch libsdl2-mixer libsdl2-mixer-dev)"
build_objects "$PREFIX/lib/libSDL2_mixer.a" "$dir/src" -O2 -DNDEBUG -I"$PREFIX/include/SDL2" -I"$dir/include" \
  -I"$dir/src" -I"$dir/src/codecs" -DMUSIC_WAV -DMUSIC_OGG -DOGG_USE_STB -Wno-everything -- \
  mixer.c music.c utils.c effect_position.c effect_stereoreverse.c effects_internal.c \
  codecs/load_aiff.c codecs/load_voc.c codecs/mp3utils.c codecs/music_wav.c codecs/music_ogg_stb.c
cp "$dir"/include/SDL_mixer.h "$PREFIX/include/SDL2/"
ver="$(version_of libsdl2-mixer-dev | sed 's/+.*//; s/-.*//')"
cat > "$PREFIX/lib/pkgconfig/SDL2_mixer.pc" <<PC
prefix=$PREFIX
Name: SDL2_mixer
Description: SDL2_mixer for the browser
Version: $ver
Requires: sdl2
Libs: \${prefix}/lib/libSDL2_mixer.a
Cflags: -I\${prefix}/include/SDL2
PC

build_sqlite
rm -rf "$SRC"
touch "$PREFIX/.complete"
log "built into $PREFIX"
echo "$PREFIX"
