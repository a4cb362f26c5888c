# Shared by the real-window tests: a private Xvfb, a throw-away program folder,
# the program started in it, and its window found.
# Needs: exe, out. Sets: work, prog, win, xvfb.

need_tools() {
  for t in "$@"; do command -v "$t" >/dev/null || { echo "SKIP: $t is missing"; exit 77; }; done
}

start_xvfb() {
  # The server picks a free display itself and writes its number to fd 3.
  local dfile
  dfile="$(mktemp)"
  # -noreset: a test that starts the program again must not meet a server resetting
  # itself after the last client left.
  Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 3>"$dfile" >/dev/null 2>&1 & xvfb=$!
  for i in $(seq 1 100); do [ -s "$dfile" ] && break; sleep 0.1; done
  local n
  n=$(tr -dc '0-9' < "$dfile"); rm -f "$dfile"
  [ -n "$n" ] || { kill $xvfb 2>/dev/null; echo "SKIP: Xvfb did not start"; exit 77; }
  export DISPLAY=:$n
  for i in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || { kill $xvfb; echo "SKIP: Xvfb did not answer"; exit 77; }
}

# Settings.ini: windowed, antialias, effects, no frame counter, sound on,
# volumes 3000 and 45, no active profile.
windowed_settings() {
  printf '\x00\x01\x01\x00\x01\x01\x00\x00\xb8\x0b\x00\x00\x2d\x00\x00\x00\xff\xff\xff\xff\x00\x00\x00\x00' > "$1/Settings.ini"
}

# Copies the program and its data into a fresh folder ($work).
make_work() {
  work="$(mktemp -d)"
  cp -r "$(dirname "$exe")/data" "$work/"
  cp "$exe" "$work/"
}

start_program() {
  # Under the sanitizers, keep the GL driver loaded until exit: its allocations
  # would otherwise be reported from an unloaded, nameless module.
  local preload=""
  if [ -n "${ASAN_OPTIONS:-}" ]; then
    local dri
    dri=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1)
    preload="libGL.so.1 libGLX_mesa.so.0 ${dri}"
  fi
  # A background job of a script starts with SIGINT ignored; the program must see it as a terminal would.
  LD_PRELOAD="$preload" SDL_AUDIODRIVER=dummy env --default-signal=INT "$work/$(basename "$exe")" \
    > "$out/program.log" 2>&1 & prog=$!
  win=
  for i in $(seq 1 300); do
    win=$(xdotool search --pid $prog --onlyvisible 2>/dev/null | head -n 1)
    [ -n "$win" ] && break; sleep 0.1
  done
  if [ -z "$win" ]; then
    echo "FAIL: no window on $DISPLAY"; xdotool search --name Plotfray 2>&1; cat "$out/program.log"; exit 1
  fi
  # SDL may replace its first window while it sets up the renderer (slowly under
  # the sanitizers): let it settle, then take the newest.
  sleep 1
  win=$(xdotool search --pid $prog --onlyvisible 2>/dev/null | tail -n 1)
  [ -n "$win" ] || { echo "FAIL: the window went away"; cat "$out/program.log"; exit 1; }
}

# Closes the window as a window manager would and checks a clean exit.
close_program() {
  "$XCLOSE" "$win"
  for i in $(seq 1 100); do kill -0 $prog 2>/dev/null || break; sleep 0.1; done
  if kill -0 $prog 2>/dev/null; then echo "FAIL: still running after close"; exit 1; fi
  wait $prog; local rc=$?
  [ $rc -eq 0 ] || { echo "FAIL: exit code $rc"; cat "$out/program.log"; exit 1; }
}
