#!/usr/bin/env bash
# First run on the built program in a real window: loading screen, a click,
# the welcome screen, a typed name and Enter, the main menu greeting the player;
# options with the frame counter switched on and saved. Screenshots are kept.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
# Windowed, so that window pixels are game pixels; no Profiles.dat: a first run.
open_window_test identify

# Slower than the usual click: the first run's screens fade in.
click() { xdotool mousemove --window "$win" "$1" "$2" sleep 0.2 click 1; sleep 0.3; }

sleep 2; shot loading
[ "$(identify -format '%wx%h' "$out/loading.png")" = "1024x768" ] || fail "screenshot is not 1024 x 768"
awk -v b="$(bright loading 480x20+272+728)" 'BEGIN{exit !(b > 0.6)}' || fail "the status band is not light"

click 500 400; sleep 2; shot welcome
# The loading wait may already have ended by itself, and then the click above
# fell on the welcome screen beside the name box: click into the box.
click 600 369
xdotool type --window "$win" --delay 80 "Ada"; sleep 0.5
xdotool key --window "$win" Return; sleep 2.5; shot menu

[ -f "$work/Profiles.dat" ] || fail "no Profiles.dat"
[ "$(stat -c %s "$work/Profiles.dat")" = 504 ] || fail "Profiles.dat is not one record"
[ "$(head -c 4 "$work/Profiles.dat" | od -An -c | tr -d ' ')" = '003Ada' ] || fail "the name is not in the profile"
[ "$(od -An -j16 -N4 -tx1 "$work/Settings.ini" | tr -d ' ')" = 00000000 ] || fail "the profile is not active"
cmp -s "$out/welcome.png" "$out/menu.png" && fail "the screen did not change after Enter"

click 510 605; sleep 1.5
click 540 378; click 357 725; sleep 2; shot options-saved
[ "$(od -An -j3 -N1 -tx1 "$work/Settings.ini" | tr -d ' ')" = 01 ] || fail "Show Framerate was not saved"
# "FPS:" in white at (614, 9): the strip is bright where the menu had the dark backdrop.
awk -v a="$(bright menu 54x13+614+9)" -v b="$(bright options-saved 54x13+614+9)" 'BEGIN{exit !(b > a + 0.05)}' \
  || fail "no frame counter at the top right"

close_program
echo "ok: screenshots in $out"
