#!/usr/bin/env bash
# The LANGUAGE choice of OPTIONS in a real window. From English, Français is
# chosen by the pointer and saved: the main menu speaks French and Options.ini
# keeps "fr"; started again (the system still asking for English) it stays
# French; then English is chosen again by the keys alone and saved.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8
open_window_test
click() { xdotool mousemove --window "$win" "$1" "$2" sleep 0.2 click 1; sleep 0.4; }
key() { xdotool key --window "$win" --delay 150 "$@"; sleep 0.3; }
# Off every control, so no button glows under a resting pointer.
park() { xdotool mousemove --window "$win" 150 400; sleep 0.5; }
# OPTIONS: the LANGUAGE button, where the main menu shows the dark backdrop.
options_shown() { is_navy "$(region_colour "$1" 180x24+797+292)"; }
# How many of the seven buttons read differently on two screenshots of the main menu.
buttons_differing() {
  local n=0 i d
  for i in 0 1 2 3 4 5 6; do
    d=$(pixels_differing "$1" "$2" 150x16+437+$((317 + 60 * i)))
    [ "$d" -gt 30 ] && n=$((n + 1))
  done
  echo $n
}
saved_language() { od -An -c -j8 -N8 "$work/Options.ini" | tr -d ' \\0\n'; }

first_profile
park; sleep 1; shot english

# By the pointer: OPTIONS, the LANGUAGE button twice (English, Español, Français), SAVE.
click 510 605
wait_for options 30 options_shown || fail "no OPTIONS screen"
click 887 304; click 887 304; park; shot options-french
click 357 725
wait_for french 30 main_menu_shown || fail "SAVE did not lead back to the main menu"
park; sleep 1; shot french
[ "$(saved_language)" = fr ] || fail "Options.ini holds language '$(saved_language)', not fr"
n=$(buttons_differing english french)
# ARCADE and OPTIONS are the same words in French.
[ "$n" -ge 5 ] || fail "only $n of the 7 main menu buttons changed their words after choosing Français"

# Started again: the saved choice wins over the system's English.
close_program
start_program
wait_for again 60 main_menu_shown || fail "no main menu on the second start"
park; sleep 1.5; shot again
n=$(buttons_differing french again)
[ "$n" -eq 0 ] || fail "$n main menu buttons read differently after starting again"

# By the keys: to OPTIONS, round to the LANGUAGE button, through Português
# (Brasil) and Deutsch back to English, round to SAVE.
key Down Down Down Down Down Return
wait_for options-keys 30 options_shown || fail "no OPTIONS screen by the keys"
# The white ring's top bar over a control whose top left is (X, Y), W wide.
ring_over() { awk -v c="$(region_colour "$1" "$4x2+$2+$(($3 - 6))")" 'BEGIN{split(c,a,","); exit !(a[1] > 0.8 && a[2] > 0.8 && a[3] > 0.8)}'; }
# Presses KEY until the ring is over the control, at most 30 times.
ring_to() {  # NAME KEY X Y W
  local i
  for i in $(seq 1 30); do
    key "$2"; shot "$1"
    ring_over "$1" "$3" "$4" "$5" && return 0
  done
  fail "the ring never came to $1"
}
ring_to ring-on-language Tab 772 282 230
key Return Return Return
park; shot options-english
ring_to ring-on-save shift+Tab 287 700 140
key Return
wait_for english-again 30 main_menu_shown || fail "SAVE by the keys did not lead back to the main menu"
park; sleep 1; shot english-again
[ "$(saved_language)" = en ] || fail "Options.ini holds language '$(saved_language)', not en"
n=$(buttons_differing english english-again)
[ "$n" -eq 0 ] || fail "$n main menu buttons do not read as in English after choosing English again"
close_program
echo "ok: screenshots in $out"
