#!/usr/bin/env bash
# The whole game by keys in a real window, the pointer never moved: Enter past
# the loading screen, a name typed, the arrows and Enter to ARCADE, EASY and
# the first game mode, answers by the arrows and Enter until the score rises,
# Esc into the in-game menu and out of it, P to pause (the board stands still)
# and P to play on, then the lives run out and Enter on the end screen opens
# the high-score table. Then Esc back to the main menu, where quick Shift+Tab
# chords move the ring back; OPTIONS set to GAME SPEED 50 % and KEY REPEAT
# SLOW and saved, and the KEYS panel opened and closed, all by keys; and a
# game of Define the Line at that speed: Home, Page Up and Page Down jump the
# board's ring, Enter takes a first point and Backspace takes it back, the
# KEYS panel opens from the in-game menu, EXIT TO MENU leaves. The answers it
# gave are then in the answer log, every one by the keys. Every step is
# checked by what is on screen; screenshots are kept.
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
sleep 1.2                          # the end panel holds Enter back for a second, to be seen
key Return                         # HIGH SCORES has the focus
wait_for high-scores 30 scores_shown || fail "Enter on the end screen did not open the high scores"

# The white ring's top bar, on the screenshot named last: round main-menu
# button ROW (0 TUTORIAL .. 6 EXIT), and round the board point at (X, Y).
bright() { awk -v c="$1" 'BEGIN{split(c,a,","); exit !(a[1] > 0.8 && a[2] > 0.8 && a[3] > 0.8)}'; }
ring_on_menu() { bright "$(region_colour "$2" 200x2+412+$((293 + 60 * $1)))"; }
ring_at() { bright "$(region_colour "$3" 30x2+$(($1 - 15))+$(($2 - 19)))"; }
# OPTIONS: the white words of its first heading bar, where the main menu and
# the KEYS panel show plain navy; KEYS: its lit BACK button low in the middle.
options_shown() { awk -v b="$(convert "$out/$1.png" -crop 150x12+440+294 -colorspace Gray -format "%[fx:mean]" info:)" 'BEGIN{exit !(b > 0.26)}'; }
keys_panel_shown() { ! options_shown "$1" && is_navy "$(region_colour "$1" 180x30+422+704)"; }

key Escape
wait_for main-menu-again 30 main_menu_shown || fail "Esc did not lead back from the high scores"
wait_for ring-on-arcade 5 ring_on_menu 1 || fail "the main menu did not put the ring back on ARCADE"
# Shift+Tab sent as one quick chord, as switch devices and sticky keys send it.
for i in 1 2 3; do
  xdotool key --window "$win" --delay 0 shift+Tab; sleep 0.4
  wait_for shift-tab-$i 2 ring_on_menu 0 || fail "a quick Shift+Tab did not move the ring back to TUTORIAL"
  key Tab
  wait_for tab-$i 2 ring_on_menu 1 || fail "Tab did not move the ring on to ARCADE"
done

# OPTIONS: in reading order 12 Tabs lead from Fullscreen to GAME SPEED 50 %,
# 2 more to KEY REPEAT SLOW, 2 more to SAVE.
key Down Down Down Down Return    # ARCADE to OPTIONS
wait_for options 30 options_shown || fail "no options by the keys"
key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
key Return
key Tab Tab
key Return
key Tab Tab
key Return
wait_for options-saved 30 main_menu_shown || fail "SAVE by the keys did not lead back to the main menu"
saved=$(od -An -tu1 -w16 "$work/Options.ini" | tr -s ' ')
[ "$saved" = " 0 0 3 50 1 0 0 0 0 0 0 0 0 0 0 0" ] || fail "Options.ini holds$saved, not GAME SPEED 50 and KEY REPEAT SLOW"
wait_for ring-on-options 5 ring_on_menu 5 || fail "the main menu did not put the ring back on OPTIONS"
key Return                         # OPTIONS again: its ring is back on SAVE, KEYS is next
wait_for options-again 30 options_shown || fail "OPTIONS did not open again"
key Tab Return
wait_for keys-panel 30 keys_panel_shown || fail "the KEYS panel did not open from OPTIONS"
key Escape
wait_for options-under-keys 30 options_shown || fail "Esc did not close the KEYS panel back to OPTIONS"
key Escape
wait_for main-menu-after-options 30 main_menu_shown || fail "Esc did not leave OPTIONS"

# Define the Line at 50 %: the arcade screen's ring is back on the mode played.
key Up Up Up Up Return            # OPTIONS to ARCADE
wait_for arcade-again 30 arcade_shown || fail "no arcade screen by the keys the second time"
key Down Down Return
wait_for line-game 60 game_shown || fail "Define the Line did not start by the keys"
sleep 1
# Easy's grid runs from -2 to 2: a point every 128 pixels round the origin (640, 384).
key Home
wait_for home 3 ring_at 640 384 || fail "Home did not take the ring to the origin"
key Prior
wait_for page-up 3 ring_at 640 128 || fail "Page Up did not take the ring up to the top row"
key Next
wait_for page-down 3 ring_at 640 640 || fail "Page Down did not take the ring down to the bottom row"
key Home
band() { region_colour "$1" 10x10+699+315; }
differs() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN{split(a,x,","); split(b,y,","); d=0; for(i=1;i<=3;i++) d+=(x[i]>y[i]?x[i]-y[i]:y[i]-x[i]); exit !(d > t)}'; }
shot before-band; plain=$(band before-band)
key Return Up Right               # the first point at the origin, the band to (1,1)
shot band; drawn=$(band band)
differs "$drawn" "$plain" 0.1 || fail "no band from the first point ($drawn against $plain)"
key BackSpace
sleep 1; shot band-taken-back; after=$(band band-taken-back)
differs "$after" "$plain" 0.05 && fail "Backspace did not take the first point back ($after against $plain)"
key Escape
wait_for line-menu 20 game_menu_shown || fail "Esc did not open the in-game menu in Define the Line"
key Down Down Return               # KEYS
wait_for keys-over-game 30 keys_panel_shown || fail "the KEYS panel did not open from the in-game menu"
key Escape
wait_for line-menu-again 20 game_menu_shown || fail "Esc did not close the KEYS panel back to the menu"
key Down Down Down Return          # EXIT TO MENU
wait_for arcade-at-end 30 arcade_shown || fail "EXIT TO MENU did not lead to the arcade screen"

close_program

# Every answer of the game was recorded as given by the keys, right ones among them.
"$work/plotfray" --report "$out/answers.csv" > "$out/report.log" 2>&1 || fail "no report: $(cat "$out/report.log")"
answers=$(tail -n +2 "$out/answers.csv" | grep -c ',keys'$'\r''$')
by_pointer=$(tail -n +2 "$out/answers.csv" | grep -c ',pointer'$'\r''$')
right=$(tail -n +2 "$out/answers.csv" | grep -c ',1,[0-9]*,keys'$'\r''$')
[ "$answers" -ge 1 ] && [ "$right" -ge 1 ] && [ "$by_pointer" -eq 0 ] ||
  fail "answers recorded: $answers by keys ($right right), $by_pointer by the pointer"
echo "ok: screenshots in $out ($answers answers recorded by the keys, $right right)"
