#!/usr/bin/env bash
# An arcade game in a real window: a first profile, ARCADE, EASY, ROZIR
# IVIVURUDA; the four quadrant tiles are clicked in turn, as a child answering
# every quadrant would, until at least three monsters have died; Esc opens the
# menu over the still game, EXIT TO MENU leads to the arcade screen and BACK to
# the main menu. Screenshots are kept.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
open_window_test

sleep 2; click 500 400; sleep 1.5
click 600 369
xdotool type --window "$win" --delay 80 "Ada"; xdotool key --window "$win" Return; sleep 2

click 510 395; sleep 1.5      # ARCADE
click 275 330; sleep 0.3      # EASY
click 302 435; sleep 2        # ROZIR IVIVURUDA
shot game-start

for round in $(seq 1 40); do
  for t in "${Tiles[@]}"; do click $t; done
  [ "$round" = 20 ] && shot game-playing
done
shot game-later
xdotool key --window "$win" Escape; sleep 1.5
shot game-menu
click 640 550; sleep 2        # EXIT TO MENU
shot arcade-again
kills=$(grep -o "game screen closed: .*kills [0-9]*" "$out/program.log" | tail -n 1 | grep -o "[0-9]*$")
[ -n "$kills" ] || fail "the game screen did not close"
[ "$kills" -ge 3 ] || fail "only $kills monsters were killed"
cmp -s "$out/game-start.png" "$out/game-playing.png" && fail "nothing moved on the board"
click 507 675; sleep 1.5      # BACK
shot main-menu
grep -q "screen slot" "$out/program.log" && fail "a screen was missing or opened twice"

close_program
echo "ok: $kills kills; screenshots in $out"
