#!/usr/bin/env bash
# The in-game menu in a real window: a first profile, ARCADE, EASY, ROZIR
# IVIVURUDA; the quadrant tiles are clicked until the score rises; Esc opens the
# menu over a board that stands still; RESTART begins the game again at 0; Esc,
# EXIT TO MENU lead to the arcade screen and BACK to the main menu.
# Every step is checked by what is on screen; screenshots are kept.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
open_window_test compare
escape() { xdotool key --window "$win" Escape; }

# The HUD's score; the board right of the HUD, with the margins monsters walk in.
Score=120x40+115+88
Board=760x768+264+0
MenuPanel="500,244 779,523"
# RETURN TO GAME on the in-game menu, over the board otherwise.
# The button's navy over quadrant I's green.
game_menu_shown() { is_navy "$(region_colour "$1" 90x30+645+305)"; }
game_menu_gone() { game_shown "$1" && ! game_menu_shown "$1"; }
score_as_at_start() { [ "$(pixels_differing game-start "$1" $Score)" -lt 20 ]; }
score_risen() { ! score_as_at_start "$1"; }

first_profile
click 510 395                      # ARCADE
wait_for arcade 30 arcade_shown || fail "no arcade screen"
click 275 330                      # EASY
click 302 435                      # ROZIR IVIVURUDA
wait_for game-start 60 game_shown || fail "the game did not start"
# The score is the reference for what follows: wait until the screen has faded in.
hud_settled() {
  cp "$out/$1.png" "$out/.settling.png"; sleep 0.3; shot "$1"
  local changed; changed=$(FUZZ=0 pixels_differing .settling "$1" $Score); rm -f "$out/.settling.png"
  [ "$changed" = 0 ]
}
wait_for game-start 10 hud_settled || fail "the score never settles"

click_tiles_until game-playing score_risen

escape
wait_for game-menu 20 game_menu_shown || fail "Esc did not open the in-game menu"
sleep 1; shot game-menu-later
moved=$(pixels_differing game-menu game-menu-later $Board "$MenuPanel")
[ "$moved" -lt 50 ] || fail "the board went on under the menu ($moved pixels changed in a second)"
score_risen game-menu || fail "the menu reset the score"

click 640 400                      # RESTART
wait_for game-restarted 20 game_menu_gone || fail "RESTART did not close the menu"
# The game starts again a frame after the menu is gone.
wait_for game-restarted 5 score_as_at_start || fail "the score does not read 0 after RESTART"
# Monsters walk again after the restart.
end=$((SECONDS + 30))
until read -r count x y < <(board_changes game-restarted-later); [ "$count" -ge 50 ]; do
  [ $SECONDS -ge $end ] && fail "nothing moves on the board after RESTART"
done

escape
wait_for game-menu-again 20 game_menu_shown || fail "Esc did not open the menu after RESTART"
click 640 550                      # EXIT TO MENU
wait_for arcade-again 30 arcade_shown || fail "EXIT TO MENU did not lead to the arcade screen"
# The program's own account of the game it closed: the restarted one, untouched.
closed=$(grep "game screen closed:" "$out/program.log")
[ "$(echo "$closed" | wc -l)" = 1 ] || fail "expected one closed game: $closed"
echo "$closed" | grep -q "level 1, score 0, kills 0$" || fail "the restarted game did not start at 0: $closed"

click 507 675                      # BACK
wait_for main-menu-again 30 main_menu_shown || fail "BACK did not lead to the main menu"
grep -q "screen slot" "$out/program.log" && fail "a screen was missing or opened twice"

close_program
echo "ok: screenshots in $out"
