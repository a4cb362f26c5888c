#!/usr/bin/env bash
# The built program opens a 1024 x 768 window titled Plotfray, keeps to its
# frame cap without busy-waiting, snaps back after a resize, and quits when the
# window is closed.
set -u
exe="$1"; out="$2"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
open_window_test

name=$(xdotool getwindowname "$win")
geom=$(xwininfo -id "$win" | awk '/Width:/{w=$2}/Height:/{h=$2}END{print w"x"h}')
echo "window '$name' $geom"
[ "$name" = "Plotfray" ] || { echo "FAIL: title is '$name'"; exit 1; }
[ "$geom" = "1024x768" ] || { echo "FAIL: client area is $geom"; exit 1; }

# CPU over 5 s of idle running: the frame cap sleeps instead of spinning.
sleep 2
t0=$(awk '{print $14+$15}' /proc/$prog/stat); sleep 5; t1=$(awk '{print $14+$15}' /proc/$prog/stat)
cpu=$(( (t1 - t0) * 100 / (5 * $(getconf CLK_TCK)) ))
echo "cpu over 5 s: ${cpu}% of one core"

# Moved and resized, it snaps back to 1024 x 768 centred on the 1280 x 1024 screen.
xdotool windowmove "$win" 10 20; xdotool windowsize "$win" 800 600; sleep 1
geom=$(xwininfo -id "$win" | awk '/Absolute upper-left X/{x=$4}/Absolute upper-left Y/{y=$4}/Width:/{w=$2}/Height:/{h=$2}END{print w"x"h"+"x"+"y}')
echo "after a resize: $geom"
[ "$geom" = "1024x768+128+128" ] || { echo "FAIL: resize left $geom"; exit 1; }

close_program
[ $cpu -lt 50 ] || { echo "FAIL: busy at ${cpu}%"; exit 1; }
echo "ok"
