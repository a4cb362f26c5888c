#!/usr/bin/env bash
# First run on the built program in a real window: loading screen, a click,
# the welcome screen, a typed name and Enter, the main menu greeting the player;
# options with the frame counter switched on and saved. Screenshots are kept.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
for t in Xvfb xdotool xwininfo import convert; do command -v $t >/dev/null || { echo "SKIP: $t is missing"; exit 77; }; done
for n in $(seq 100 119); do [ -e /tmp/.X11-unix/X$n ] || break; done
Xvfb :$n -screen 0 1280x1024x24 >/dev/null 2>&1 & xvfb=$!
export DISPLAY=:$n
for i in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { kill $xvfb; echo "SKIP: Xvfb did not start"; exit 77; }

work="$(mktemp -d)"
trap 'kill $prog 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$(dirname "$exe")/data" "$work/"; cp "$exe" "$work/"
# Windowed, so that window pixels are game pixels; no Profiles.dat: a first run.
printf '\x00\x01\x01\x00\x01\x01\x00\x00\xb8\x0b\x00\x00\x2d\x00\x00\x00\xff\xff\xff\xff\x00\x00\x00\x00' > "$work/Settings.ini"
SDL_AUDIODRIVER=dummy "$work/$(basename "$exe")" > "$out/program.log" 2>&1 & prog=$!
win=
for i in $(seq 1 300); do
  win=$(xdotool search --pid $prog --onlyvisible 2>/dev/null | head -n 1)
  [ -n "$win" ] && break; sleep 0.1
done
[ -n "$win" ] || { echo "FAIL: no window"; exit 1; }

fail() { echo "FAIL: $*"; cat "$out/program.log"; exit 1; }
shot() { import -window "$win" "$out/$1.png"; }
click() { xdotool mousemove --window "$win" "$1" "$2" sleep 0.2 click 1; sleep 0.3; }
# Mean brightness (0..1) of a region of a screenshot.
bright() { convert "$out/$1.png" -crop "$2" -colorspace Gray -format '%[fx:mean]' info:; }

sleep 2; shot loading
[ "$(identify -format '%wx%h' "$out/loading.png")" = "1024x768" ] || fail "screenshot is not 1024 x 768"
awk -v b="$(bright loading 480x20+272+728)" 'BEGIN{exit !(b > 0.6)}' || fail "the status band is not light"

click 500 400; sleep 2; shot welcome
xdotool type --window "$win" --delay 80 "Ada"; sleep 0.5
xdotool key --window "$win" Return; sleep 2.5; shot menu

[ -f "$work/Profiles.dat" ] || fail "no Profiles.dat"
[ "$(stat -c %s "$work/Profiles.dat")" = 504 ] || fail "Profiles.dat is not one record"
[ "$(head -c 4 "$work/Profiles.dat" | od -An -c | tr -d ' ')" = '003Ada' ] || fail "the name is not in the profile"
[ "$(od -An -j16 -N4 -tx1 "$work/Settings.ini" | tr -d ' ')" = 00000000 ] || fail "the profile is not active"
cmp -s "$out/welcome.png" "$out/menu.png" && fail "the screen did not change after Enter"

click 510 605; sleep 1.5
click 540 378; click 410 675; sleep 2; shot options-saved
[ "$(od -An -j3 -N1 -tx1 "$work/Settings.ini" | tr -d ' ')" = 01 ] || fail "Show Framerate was not saved"
# "FPS:" in white at (614, 9): the strip is bright where the menu had the dark backdrop.
awk -v a="$(bright menu 54x13+614+9)" -v b="$(bright options-saved 54x13+614+9)" 'BEGIN{exit !(b > a + 0.05)}' \
  || fail "no frame counter at the top right"

"$XCLOSE" "$win"
for i in $(seq 1 50); do kill -0 $prog 2>/dev/null || break; sleep 0.1; done
kill -0 $prog 2>/dev/null && fail "still running after close"
wait $prog; rc=$?
[ $rc -eq 0 ] || fail "exit code $rc"
echo "ok: screenshots in $out"
