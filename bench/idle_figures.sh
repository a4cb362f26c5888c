#!/usr/bin/env bash
# idle_figures.sh BUILD_DIR REFERENCE_EXE [RUNS] [SECONDS]: the idle screens of
# the built program beside another build of it (REFERENCE_EXE, e.g. one built
# before a change), both silent (music and effects off), in windows of the
# same size on two Xvfb servers (each has the pointer and the keyboard focus
# to itself, as a player's screen would), measured over the same SECONDS (default 20), RUNS times (default 3).
# For each program and screen it prints the CPU of the whole process (every
# thread, from /proc/PID/task/*/schedstat) in percent of one core, and the
# wake-ups of its main thread a second (voluntary context switches), with the
# load average at the time. The screens: profile creation (caret blinking),
# then the main menu.
# Needs: Xvfb xdotool xdpyinfo.
set -u
build="$(cd "${1:?usage: idle_figures.sh BUILD_DIR REFERENCE_EXE [RUNS] [SECONDS]}" && pwd)"
reference="$(realpath "${2:?usage: idle_figures.sh BUILD_DIR REFERENCE_EXE [RUNS] [SECONDS]}")"
runs="${3:-3}"
seconds="${4:-20}"
source "$(dirname "$0")/../tests/xvfb/lib.sh"
need_tools Xvfb xdotool xdpyinfo
out="$(mktemp -d)"
pids=()
start_xvfb
display_ours=$DISPLAY xvfb_ours=$xvfb
start_xvfb
display_reference=$DISPLAY xvfb_reference=$xvfb
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; kill $xvfb_ours $xvfb_reference 2>/dev/null; rm -rf "$out"' EXIT

# start NAME EXE: a fresh folder with the data, silent windowed settings and
# no profile; sets pid_NAME and win_NAME.
start() {
  local name=$1 exe=$2 dir="$out/$1" p w i
  export DISPLAY=$(eval echo "\$display_$name")
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -r "$build/data" "$dir/"
  cp "$exe" "$dir/plotfray"
  # Windowed, antialias, effects, no frame counter, effects and music off.
  printf '\x00\x01\x01\x00\x00\x00\x00\x00\xb8\x0b\x00\x00\x2d\x00\x00\x00\xff\xff\xff\xff\x00\x00\x00\x00' \
    > "$dir/Settings.ini"
  SDL_AUDIODRIVER=dummy "$dir/plotfray" > "$dir/log" 2>&1 & p=$!
  pids+=("$p")
  w=
  for i in $(seq 1 300); do
    w=$(xdotool search --pid "$p" --onlyvisible 2>/dev/null | tail -n 1)
    [ -n "$w" ] && break; sleep 0.1
  done
  [ -n "$w" ] || { echo "no window for $name"; exit 1; }
  sleep 1
  w=$(xdotool search --pid "$p" --onlyvisible 2>/dev/null | tail -n 1)
  eval "pid_$name=$p; win_$name=$w"
}

# sample PID: "ns switches" summed over the process's threads, then the main thread's switches.
sample() {
  local t ns=0 sw=0
  for t in /proc/$1/task/*; do
    ns=$((ns + $(cut -d' ' -f1 "$t/schedstat" 2>/dev/null || echo 0)))
  done
  sw=$(awk '/^voluntary_ctxt_switches/{print $2}' "/proc/$1/task/$1/status")
  echo "$ns $sw"
}

# measure LABEL: both programs over the same $seconds.
measure() {
  local a0 b0 a1 b1 t0 t1 load
  a0=$(sample "$pid_ours"); b0=$(sample "$pid_reference"); t0=$(date +%s%N)
  sleep "$seconds"
  a1=$(sample "$pid_ours"); b1=$(sample "$pid_reference"); t1=$(date +%s%N)
  load=$(cut -d' ' -f1-3 /proc/loadavg)
  awk -v l="$1" -v a0="$a0" -v a1="$a1" -v b0="$b0" -v b1="$b1" -v t=$((t1 - t0)) -v load="$load" 'BEGIN {
    split(a0, x0, " "); split(a1, x1, " "); split(b0, y0, " "); split(b1, y1, " ")
    ca = 100 * (x1[1] - x0[1]) / t; cb = 100 * (y1[1] - y0[1]) / t
    wa = (x1[2] - x0[2]) / (t / 1e9); wb = (y1[2] - y0[2]) / (t / 1e9)
    printf "%s: ours %.3f %% of a core, %.1f wake-ups/s; reference %.3f %%, %.1f wake-ups/s; ratio %.2f (load %s)\n",
      l, ca, wa, cb, wb, (cb > 0 ? ca / cb : 0), load }'
}

for run in $(seq 1 "$runs"); do
  start ours "$build/plotfray"
  start reference "$reference"
  # Past the loading screen to profile creation: the caret blinks there.
  for n in ours reference; do
    w=$(eval echo "\$win_$n"); export DISPLAY=$(eval echo "\$display_$n")
    xdotool mousemove --window "$w" 500 400 sleep 0.2 click 1
  done
  sleep 3
  measure "run $run, profile creation (caret blinking)"
  for n in ours reference; do
    w=$(eval echo "\$win_$n"); export DISPLAY=$(eval echo "\$display_$n")
    xdotool type --window "$w" --delay 50 "Ada"; xdotool key --window "$w" Return
    xdotool mousemove --window "$w" 1000 20
  done
  sleep 3
  measure "run $run, main menu"
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  pids=()
done
