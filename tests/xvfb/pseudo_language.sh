#!/usr/bin/env bash
# The game in a real window in the pseudo-language of the tests (every text
# accented, 40 % longer and bracketed), its catalogue put beside the real ones
# and asked for through LANGUAGE as a player's system would: the set-up screens
# are photographed for a translator to look at. The in-process fit test
# (tests/textFit_test.cpp) measures every text; this one shows the real window.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
pseudo="$(dirname "$exe")/pseudo/lang/qps.mo"
[ -f "$pseudo" ] || { echo "SKIP: no pseudo-language catalogue beside $exe"; exit 77; }
source "$(dirname "$0")/lib.sh"
export LANGUAGE=qps
make_work() {
  work="$(mktemp -d)"
  cp -r "$(dirname "$exe")/data" "$work/"
  cp "$pseudo" "$work/data/lang/"
  cp "$exe" "$work/"
}
open_window_test
click() { xdotool mousemove --window "$win" "$1" "$2" sleep 0.2 click 1; sleep 0.3; }

sleep 2; shot loading; click 500 400; sleep 2
click 600 369; shot welcome
xdotool type --window "$win" --delay 80 "Ada"; sleep 0.5; xdotool key --window "$win" Return; sleep 2
shot main-menu
click 510 625; sleep 1.5; shot options
click 512 725; sleep 1.5; shot keys
xdotool key --window "$win" Escape; sleep 1; xdotool key --window "$win" Escape; sleep 1.5
click 510 325; sleep 1.5; shot tutorial
# The pseudo-language was the one taken: its pictures with words are asked for
# (and fall back to English, as a language without pictures does).
grep -q "lang/qps.asdb" "$out/program.log" || fail "the game did not speak the pseudo-language"
for s in loading welcome main-menu options keys tutorial; do
  [ -s "$out/$s.png" ] || fail "no screenshot $s"
done
close_program
echo "ok: screenshots in $out"
