#!/usr/bin/env bash
# The whole game by keys in a real window, the pointer never moved: Enter past
# the loading screen, a name typed, the arrows and Enter to ARCADE, EASY and
# the first game mode, answers by the arrows and Enter until the score rises,
# Esc into the in-game menu and out of it, P to pause (the board stands still)
# and P to play on, then the lives run out and Enter on the end screen opens
# the high-score table; the answers it gave are then in the answer log, every
# one by the keys. Every step is checked by what is on screen; screenshots
# are kept.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
open_window_test compare
key() { xdotool key --window "$win" --delay 120 "$@"; sleep 0.2; }

Score=120x40+115+88
Board=760x768+264+0
game_menu_shown() { is_navy "$(region_colour "$1" 200x30+540+305)"; }
game_menu_gone() { game_shown "$1" && ! game_menu_shown "$1"; }
score_as_at_start() { [ "$(pixels_differing game-start "$1" $Score)" -lt 20 ]; }
score_risen() { ! score_as_at_start "$1"; }
# The arcade end screen's two buttons, HIGH SCORES over BACK TO ARCADE.
game_over_shown() { is_navy "$(region_colour "$1" 200x25+540+440)" && is_navy "$(region_colour "$1" 200x25+540+505)"; }
# The table's BACK and its first game type's choice.
scores_shown() { is_navy "$(region_colour "$1" 180x30+415+660)" && is_navy "$(region_colour "$1" 250x16+60+297)"; }

# The loading screen waits for Enter once the data is in.
end=$((SECONDS + 90))
until wait_for welcome 1 welcome_shown; do
  key Return
  [ $SECONDS -ge $end ] && fail "Enter did not leave the loading screen"
done
xdotool type --window "$win" --delay 80 "Ada"; sleep 0.3; key Return
wait_for main-menu 60 main_menu_shown || fail "no main menu after the name"

key Down Return                    # TUTORIAL has the focus; ARCADE is under it
wait_for arcade 30 arcade_shown || fail "no arcade screen by the keys"
# The first game mode has the focus; EASY is above it, and the mode below EASY.
key Up Return Down Return
wait_for game-start 60 game_shown || fail "the game did not start by the keys"
hud_settled() {
  cp "$out/$1.png" "$out/.settling.png"; sleep 0.3; shot "$1"
  local changed; changed=$(FUZZ=0 pixels_differing .settling "$1" $Score); rm -f "$out/.settling.png"
  [ "$changed" = 0 ]
}
wait_for game-start 10 hud_settled || fail "the score never settles"

# The cursor starts on quadrant I: answer each quadrant in turn.
end=$((SECONDS + 150))
until wait_for game-playing 0 score_risen; do
  [ $SECONDS -ge $end ] && fail "no monster was answered by the keys"
  key Return Left Return Down Return Right Return Up
done

key Escape
wait_for game-menu 20 game_menu_shown || fail "Esc did not open the in-game menu"
key Escape
wait_for game-menu-gone 20 game_menu_gone || fail "Esc did not close the in-game menu"

key p
sleep 0.5; shot paused
sleep 1; shot paused-later
moved=$(pixels_differing paused paused-later $Board)
[ "$moved" -lt 50 ] || fail "the board went on while paused ($moved pixels changed in a second)"
key p
end=$((SECONDS + 20))
until read -r count x y < <(board_changes playing-again); [ "$count" -ge 50 ]; do
  [ $SECONDS -ge $end ] && fail "nothing moves on the board after P again"
done

wait_for game-over 220 game_over_shown || fail "the game did not end"
key Return                         # HIGH SCORES has the focus
wait_for high-scores 30 scores_shown || fail "Enter on the end screen did not open the high scores"

close_program

# Every answer of the game was recorded as given by the keys, right ones among them.
"$work/plotfray" --report "$out/answers.csv" > "$out/report.log" 2>&1 || fail "no report: $(cat "$out/report.log")"
answers=$(tail -n +2 "$out/answers.csv" | grep -c ',keys'$'\r''$')
by_pointer=$(tail -n +2 "$out/answers.csv" | grep -c ',pointer'$'\r''$')
right=$(tail -n +2 "$out/answers.csv" | grep -c ',1,[0-9]*,keys'$'\r''$')
[ "$answers" -ge 1 ] && [ "$right" -ge 1 ] && [ "$by_pointer" -eq 0 ] ||
  fail "answers recorded: $answers by keys ($right right), $by_pointer by the pointer"
echo "ok: screenshots in $out ($answers answers recorded by the keys, $right right)"
