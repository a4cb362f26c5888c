#!/usr/bin/env bash
# The built program opens a 1024 x 768 window titled Plotfray, keeps to about
# 60 frames a second without busy-waiting, and quits when the window is closed.
set -u
exe="$1"; out="$2"
mkdir -p "$out"
for t in Xvfb xdotool xwininfo; do command -v $t >/dev/null || { echo "SKIP: $t is missing"; exit 77; }; done
for n in $(seq 80 99); do [ -e /tmp/.X11-unix/X$n ] || break; done
Xvfb :$n -screen 0 1280x1024x24 >/dev/null 2>&1 & xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=:$n
for i in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "SKIP: Xvfb did not start"; exit 77; }

work="$(mktemp -d)"; cp -r "$(dirname "$exe")/data" "$work/" 2>/dev/null; cp "$exe" "$work/"
# Settings.ini: windowed, antialias, effects, no frame counter, sound on, volumes 3000 and 45, no profile.
printf '\x00\x01\x01\x00\x01\x01\x00\x00\xb8\x0b\x00\x00\x2d\x00\x00\x00\xff\xff\xff\xff\x00\x00\x00\x00' > "$work/Settings.ini"
SDL_AUDIODRIVER=dummy "$work/$(basename "$exe")" & prog=$!
win=
for i in $(seq 1 300); do
  win=$(xdotool search --pid $prog --onlyvisible 2>/dev/null | head -n 1)
  [ -n "$win" ] && break; sleep 0.1
done
[ -n "$win" ] || { echo "FAIL: no window"; kill $prog; exit 1; }
name=$(xdotool getwindowname "$win")
geom=$(xwininfo -id "$win" | awk '/Width:/{w=$2}/Height:/{h=$2}END{print w"x"h}')
echo "window '$name' $geom"
[ "$name" = "Plotfray" ] || { echo "FAIL: title is '$name'"; kill $prog; exit 1; }
[ "$geom" = "1024x768" ] || { echo "FAIL: client area is $geom"; kill $prog; exit 1; }

# CPU over 5 s of idle running: the frame cap sleeps instead of spinning.
t0=$(awk '{print $14+$15}' /proc/$prog/stat); sleep 5; t1=$(awk '{print $14+$15}' /proc/$prog/stat)
ticks=$(getconf CLK_TCK)
cpu=$(( (t1 - t0) * 100 / (5 * ticks) ))
echo "cpu over 5 s: ${cpu}% of one core"

# Resizing snaps back to 1024 x 768.
xdotool windowsize "$win" 800 600; sleep 1
geom=$(xwininfo -id "$win" | awk '/Width:/{w=$2}/Height:/{h=$2}END{print w"x"h}')
[ "$geom" = "1024x768" ] || { echo "FAIL: resize left $geom"; kill $prog; exit 1; }

"$XCLOSE" "$win"
for i in $(seq 1 50); do kill -0 $prog 2>/dev/null || break; sleep 0.1; done
if kill -0 $prog 2>/dev/null; then echo "FAIL: still running after close"; kill $prog; exit 1; fi
wait $prog; rc=$?
rm -rf "$work"
[ $rc -eq 0 ] || { echo "FAIL: exit code $rc"; exit 1; }
[ $cpu -lt 50 ] || { echo "FAIL: busy at ${cpu}%"; exit 1; }
echo "ok"
