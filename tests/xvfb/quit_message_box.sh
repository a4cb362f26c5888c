#!/usr/bin/env bash
# A quit is honoured while a message box is up: with a data file missing, the
# program tells the player in a box during start-up; SIGTERM (and then SIGINT)
# must close the box and end the program at once and cleanly, not wait for
# somebody to click the box away. SIGTERM sent to the box's own process alone
# ends that box as OK would, and the game goes on.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
need_tools Xvfb xdotool xwininfo xdpyinfo
prog=; work=
start_xvfb
trap 'kill $prog 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
make_work
windowed_settings "$work"
rm -f "$work/data/GoArcade.asdb"

# xdotool's search cannot read the box's UTF-8 title; xwininfo can.
box_windows() { xwininfo -root -tree 2>/dev/null | grep '"Game Data Missing"'; }

quit_during_box() {  # SIGNAL
  start_program
  local box=
  for i in $(seq 1 200); do box=$(box_windows | head -n 1); [ -n "$box" ] && break; sleep 0.1; done
  [ -n "$box" ] || fail "no \"Game Data Missing\" box"
  sleep 1
  kill -"$1" $prog
  for i in $(seq 1 100); do kill -0 $prog 2>/dev/null || break; sleep 0.1; done
  kill -0 $prog 2>/dev/null && fail "SIG$1 with the box up did not end the program within 10 s"
  wait $prog; local rc=$?
  [ $rc -eq 0 ] || fail "SIG$1 with the box up: exit code $rc"
  sleep 0.5
  [ -z "$(box_windows)" ] || fail "the box stayed on the screen after the program ended"
  grep -q "closed: the program was asked to quit" "$out/program.log" || fail "no log line for the closed box"
  echo "SIG$1 with the box up: box closed, program ended, exit code 0"
  prog=
}

quit_during_box TERM
quit_during_box INT

# The box's process alone: it ends, the box goes, the game runs on.
start_program
box=
for i in $(seq 1 200); do box=$(box_windows | head -n 1); [ -n "$box" ] && break; sleep 0.1; done
[ -n "$box" ] || fail "no \"Game Data Missing\" box"
sleep 1
helper=$(pgrep -P $prog | head -n 1)
[ -n "$helper" ] || fail "the box has no process of its own"
kill -TERM "$helper"
for i in $(seq 1 50); do [ -z "$(box_windows)" ] && break; sleep 0.1; done
[ -z "$(box_windows)" ] || fail "SIGTERM to the box's process alone left the box up"
kill -0 $prog 2>/dev/null || fail "the game ended with its box"
sleep 1
kill -0 $prog 2>/dev/null || fail "the game ended after its box"
close_program
echo "SIGTERM to the box's process: box closed, the game went on"
echo "ok"
