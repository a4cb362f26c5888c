#!/usr/bin/env bash
# web_figures.sh [RUNS]: the browser build's figures, after scripts/web.sh --build-only.
#  - what a player downloads in each language, compressed as a web server sends it (gzip -9),
#    before the first frame and with the music;
#  - from navigation to the first frame of the loading screen in headless
#    chromium, RUNS times (default 5) with a fresh browser profile, and after a reload;
#  - the heaviest game scene (bench_gamescreen) in headless chromium against the
#    desktop build's under Xvfb, on this machine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
web="$root/build-web"
runs="${1:-5}"
[ -f "$web/plotfray.wasm" ] || { echo "build it first: scripts/web.sh --build-only" >&2; exit 2; }

gz() { gzip -9 -c "$1" | wc -c; }
mb() { awk -v b="$1" 'BEGIN{printf "%.2f MB", b / 1048576}'; }
first=0
for f in index.html plotfray.js plotfray.wasm plotfray.data sizes.json; do
  n=$(gz "$web/$f"); first=$((first + n))
  printf '  %-14s %10d bytes, %10d gzip\n' "$f" "$(stat -c %s "$web/$f")" "$n"
done
music=$(gz "$web/Music.asdb")
printf '  %-14s %10d bytes, %10d gzip (fetched after the first frame)\n' Music.asdb "$(stat -c %s "$web/Music.asdb")" "$music"
# The page fetches one language's pictures with words before the first frame,
# English's too (lang/en.asdb; a build without it keeps them in the package).
for words in "$web"/lang/*.asdb; do
  [ -f "$words" ] || continue
  language=$(basename "$words" .asdb)
  n=$(gz "$words")
  echo "download in $language: $(mb $((first + n))) before the first frame, $(mb $((first + n + music))) with the music (gzip -9; its pictures with words $(mb "$n"))"
done
[ -f "$web/lang/en.asdb" ] || echo "download: $(mb "$first") before the first frame, $(mb $((first + music))) with the music (gzip -9)"

# The browser figures, driven by the test's puppeteer-core.
(cd "$root/tests/web" && [ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund --loglevel=error)
# emcc needs node's own modules (its JavaScript optimiser) at -O1 and above, as in scripts/web.sh.
NODE_PATH=/usr/share/nodejs cmake --build "$web" --target bench_gamescreen >/dev/null
NODE_PATH="$root/tests/web/node_modules" timeout 600 node "$root/bench/web_figures.js" "$web" "$runs"

# The desktop build's frame of the same scene, under Xvfb.
if [ -x "$root/build/bench_gamescreen" ] && command -v Xvfb >/dev/null; then
  source "$root/tests/xvfb/lib.sh"
  start_xvfb
  trap 'kill $xvfb 2>/dev/null' EXIT
  "$root/build/bench_gamescreen" "$root/build/" 2>/dev/null | grep '^frame' | sed 's/^/desktop /'
else
  echo "desktop: build/bench_gamescreen or Xvfb is missing"
fi
