#!/usr/bin/env bash
# Without any display the program must not run unseen: it says "No Graphics :("
# (in its log, as there is nothing to show a box on) and ends with an error.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
work=
trap 'rm -rf "$work"' EXIT
make_work
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy timeout 20 "$work/$(basename "$exe")" \
  > "$out/program.log" 2>&1
rc=$?
cat "$out/program.log"
[ $rc -eq 124 ] && { echo "FAIL: still running after 20 s without a display"; exit 1; }
[ $rc -ne 0 ] || { echo "FAIL: exit code 0 without a display"; exit 1; }
grep -q "No Graphics :(" "$out/program.log" || { echo "FAIL: no \"No Graphics :(\" message"; exit 1; }
echo "ok: exit code $rc"
