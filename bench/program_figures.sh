#!/usr/bin/env bash
# program_figures.sh BUILD_DIR [SECONDS]: the built program in a real window
# under Xvfb, as a player has it (windowed, sound on the dummy driver). Reports
#  - private memory (Private_Dirty of /proc/PID/smaps_rollup) on the idle main
#    menu, every archive loaded;
#  - CPU of the whole process (every thread, from /proc/PID/task/*/schedstat)
#    over SECONDS (default 20) on the idle main menu and on the profile-creation
#    screen with its blinking caret, with the share of each busy thread (the
#    main loop, SDL's audio thread that decodes the music, the GL driver's);
#  - start-up: from the launch of bench_startup to the first frame that shows
#    "CLICK TO CONTINUE", five runs.
# Needs: Xvfb xdotool xdpyinfo.
set -u
build="$(cd "${1:?usage: program_figures.sh BUILD_DIR [SECONDS]}" && pwd)"
seconds="${2:-20}"
exe="$build/plotfray"
out="$(mktemp -d)"
source "$(dirname "$0")/../tests/xvfb/lib.sh"
need_tools Xvfb xdotool xdpyinfo
prog=; work=
start_xvfb
trap 'kill $prog 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work" "$out"' EXIT

threads() {  # "tid name ns" for every thread of $prog
  local t
  for t in /proc/$prog/task/*; do
    echo "${t##*/} $(tr ' ' '_' < "$t/comm" 2>/dev/null) $(cut -d' ' -f1 "$t/schedstat" 2>/dev/null || echo 0)"
  done | LC_ALL=C sort
}
idle_cpu() {  # percent of one core over $seconds: the whole process, then its busy threads
  local t0 t1
  threads > "$out/cpu0"; t0=$(date +%s%N); sleep "$seconds"; threads > "$out/cpu1"; t1=$(date +%s%N)
  LC_ALL=C join "$out/cpu0" "$out/cpu1" | awk -v t=$((t1 - t0)) -v s="$seconds" '
    { d = $5 - $3; total += d; if (d > 0.0005 * t) busy = busy sprintf(", %s %.2f %%", $2, 100 * d / t) }
    END { printf "%.2f %% of one core over %s s (threads:%s)", 100 * total / t, s, substr(busy, 2) }'
}
private_kb() { awk '/^Private_Dirty/{print $2}' /proc/$prog/smaps_rollup; }
stop() { "$XCLOSE" "$win" 2>/dev/null || kill $prog; wait $prog 2>/dev/null; prog=; }
export XCLOSE="${XCLOSE:-$build/xclose}"

make_work
windowed_settings "$work"

# First run: no profile, so the click leads to profile creation (caret blinking).
start_program
sleep 2
xdotool mousemove --window "$win" 500 400 sleep 0.2 click 1
sleep 3
echo "profile creation, idle: $(idle_cpu)"
xdotool type --window "$win" --delay 50 "Ada"; xdotool key --window "$win" Return
sleep 2
stop

# Second run: the profile exists, the click leads to the main menu.
start_program
sleep 2
xdotool mousemove --window "$win" 500 400 sleep 0.2 click 1
xdotool mousemove --window "$win" 1000 20
sleep 3
echo "main menu, idle: private $(private_kb) kB (Private_Dirty)"
echo "main menu, idle: $(idle_cpu)"
echo "main menu, idle: private $(private_kb) kB (Private_Dirty) after the idle run"
stop

# Start-up, five runs in the same folder (the files are in the page cache).
for i in 1 2 3 4 5; do
  t0=$(date +%s%N)
  line=$(SDL_AUDIODRIVER=dummy "$build/bench_startup" "$work/" 2>/dev/null)
  at=${line##* at }
  echo "start-up $i: $(awk -v a="$at" -v b="$t0" 'BEGIN{printf "%.3f", (a - b) / 1e9}') s from launch ($line)"
done
