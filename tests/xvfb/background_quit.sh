#!/usr/bin/env bash
# With another window focused the program is in the background (no frame runs);
# a close request, SIGTERM and SIGINT must each still end it at once and cleanly.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
need_tools Xvfb xdotool xwininfo xdpyinfo xmessage
prog=; work=; other=
start_xvfb
trap 'kill $prog 2>/dev/null; kill $other 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
make_work
windowed_settings "$work"

# Starts the program, lets it pass its start-up, then focuses another window.
start_in_background() {
  start_program
  sleep 2
  xmessage -geometry +0+0 "another program" 2>/dev/null & other=$!
  local owin=
  for i in $(seq 1 100); do
    owin=$(xdotool search --onlyvisible --class xmessage 2>/dev/null | head -n 1)
    [ -n "$owin" ] && break; sleep 0.1
  done
  [ -n "$owin" ] || fail "no second window"
  xdotool windowfocus --sync "$owin" || fail "cannot focus the second window"
  sleep 1
  [ "$(xdotool getwindowfocus)" != "$win" ] || fail "the game still has the focus"
}

# Waits up to 10 s for the program to end (it takes a few hundredths); checks its exit code.
expect_exit() {
  for i in $(seq 1 100); do kill -0 $prog 2>/dev/null || break; sleep 0.1; done
  kill -0 $prog 2>/dev/null && fail "$1 in the background did not end the program"
  wait $prog; local rc=$?
  [ $rc -eq 0 ] || fail "$1: exit code $rc"
  kill $other 2>/dev/null; wait $other 2>/dev/null; other=
  echo "$1 in the background: ended, exit code 0"
}

start_in_background; "$XCLOSE" "$win"; expect_exit "close request"
start_in_background; kill -TERM $prog; expect_exit "SIGTERM"
start_in_background; kill -INT $prog; expect_exit "SIGINT"
echo "ok"
