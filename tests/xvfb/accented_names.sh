#!/usr/bin/env bash
# A name in Western European letters typed in a real window, on a machine
# where the asked-for locale is not installed: the game runs under
# LANG=fr_FR.UTF-8, and Zoë Begoña is saved in the profile's one-byte letters.
# A letter the font cannot draw (Ł) is refused, not saved as something else.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
export LANG=fr_FR.UTF-8
open_window_test identify
# xdotool itself needs a locale it can read UTF-8 in.
type_text() { LC_ALL=C.UTF-8 xdotool type --window "$win" --delay 120 "$1"; sleep 0.5; }
click() { xdotool mousemove --window "$win" "$1" "$2" sleep 0.2 click 1; sleep 0.3; }

sleep 2; click 500 400; sleep 2; click 600 369
type_text "Zoë"; type_text "Ł"; shot refused; type_text " Begoña"; shot typed
xdotool key --window "$win" Return; sleep 2.5; shot menu

[ -f "$work/Profiles.dat" ] || fail "no Profiles.dat"
got=$(head -c 11 "$work/Profiles.dat" | od -An -tx1 | tr -d ' \n')
# Length 10, then Z o ë(EB) space B e g o ñ(F1) a in Windows-1252.
[ "$got" = 0a5a6feb204265676ff161 ] || fail "the name was saved as $got"
close_program
echo "ok: screenshots in $out"
