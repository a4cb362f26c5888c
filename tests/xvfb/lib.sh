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

# The usual start of a script: the common tools (and any named) or a skip, a
# private Xvfb, a work folder with windowed settings and no profile, the program
# in it; and the two helpers every script uses. Everything is removed on exit.
open_window_test() {
  need_tools Xvfb xdotool xwininfo xdpyinfo import convert "$@"
  prog=; work=
  start_xvfb
  trap 'kill $prog 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
  make_work
  windowed_settings "$work"
  start_program
}
fail() { echo "FAIL: $*"; cat "$out/program.log"; exit 1; }
shot() { import -window "$win" "$out/$1.png"; }
# xdotool's click presses and releases at once: the game must see both.
click() { xdotool mousemove --window "$win" "$1" "$2" sleep 0.1 click 1; sleep 0.2; }
# Mean brightness (0..1) of a region of a screenshot.
bright() { convert "$out/$1.png" -crop "$2" -colorspace Gray -format '%[fx:mean]' info:; }

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
  # Under load the replacement may take a while to map: wait for it too.
  for i in $(seq 1 100); do
    win=$(xdotool search --pid $prog --onlyvisible 2>/dev/null | tail -n 1)
    [ -n "$win" ] && break; sleep 0.1
  done
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

# --- Checks by what is on screen (need: out, win, fail) ---

# Mean colour (r,g,b in 0..1) of a region WxH+X+Y of a screenshot in $out.
region_colour() { convert "$out/$1.png" -crop "$2" +repage -resize 1x1! -format '%[fx:r],%[fx:g],%[fx:b]' info:; }
# A navy control, as the buttons, group entries and panels wear: blue well above
# red and green, and brighter than the dark backdrop behind them.
is_navy() { awk -v c="$1" 'BEGIN{split(c,a,","); exit !(a[3] > 0.3 && a[3] > a[1] + 0.15 && a[3] > a[2] + 0.1)}'; }
# The HUD strip's navy: darker than a control, blue still well above red and green.
is_dark_navy() { awk -v c="$1" 'BEGIN{split(c,a,","); exit !(a[3] > 0.15 && a[3] < 0.3 && a[3] > a[1] + 0.12 && a[3] > a[2] + 0.1)}'; }
# Very dark: the well of a text box.
is_dark() { awk -v c="$1" 'BEGIN{split(c,a,","); exit !(a[1] < 0.15 && a[2] < 0.15 && a[3] < 0.15)}'; }
# Green above red and blue (and at least MIN bright, 0 unless given): the board, the first mode's buttons.
is_green() { awk -v c="$1" -v m="${2:-0}" 'BEGIN{split(c,a,","); exit !(a[2] > a[1] + 0.1 && a[2] > a[3] + 0.1 && a[2] >= m)}'; }
# How many pixels of a region WxH+X+Y differ between two screenshots in $out;
# a rectangle "X0,Y0 X1,Y1" given fourth is left out (a menu fading in over it).
# The fuzz (10%, or FUZZ) lets the game's slowly tinting backdrop pass, not a sprite or a digit.
pixels_differing() {
  local mask=(-fill black -draw "rectangle ${4:-0,0 0,0}")
  convert "$out/$1.png" "${mask[@]}" -crop "$3" +repage "$out/.a.png"
  convert "$out/$2.png" "${mask[@]}" -crop "$3" +repage "$out/.b.png"
  compare -metric AE -fuzz "${FUZZ:-10}%" "$out/.a.png" "$out/.b.png" null: 2>&1 | cut -d' ' -f1
  rm -f "$out/.a.png" "$out/.b.png"
}

# What moves on the board (right of the HUD) now: two screenshots 0.3 s apart,
# NAME the later. Prints the number of pixels that changed and the middle of
# the box around them, "COUNT X Y" (COUNT 0 when nothing moved). Over longer
# gaps the backdrop's tint would show as change too.
board_changes() {
  import -window "$win" "$out/.before.png"; sleep 0.3; import -window "$win" "$out/$1.png"
  compare -fuzz 10% "$out/.before.png" "$out/$1.png" -compose src -highlight-color white -lowlight-color black \
    "$out/.changed.png" 2>/dev/null
  convert "$out/.changed.png" -fill black -draw "rectangle 0,0 263,767" "$out/.changed.png"
  local count
  count=$(convert "$out/.changed.png" -threshold 50% -format '%[fx:round(mean * w * h)]' info:)
  if [ "$count" -eq 0 ]; then
    echo "0 0 0"
  else
    convert "$out/.changed.png" -format '%@' info: | tr 'x+' '  ' | awk -v n="$count" '{print n, $3 + $1 / 2, $4 + $2 / 2}'
  fi
  rm -f "$out/.before.png" "$out/.changed.png"
}

# wait_for NAME SECONDS TEST [ARGS...]: screenshots NAME until TEST NAME ARGS holds.
# Loading and fading are several times slower under the sanitizers: wait on what
# the screen shows, not on the clock.
wait_for() {
  local name="$1" secs="$2"; shift 2
  local end=$((SECONDS + secs))
  while :; do
    import -window "$win" "$out/$name.png"
    "$@" "$name" && return 0
    [ $SECONDS -ge $end ] && return 1
    sleep 0.3
  done
}

# The quadrant tiles' centres: 128 pixels from the origin (640, 384) on both axes.
Tiles=("768 256" "512 256" "512 512" "768 512")
# Clicks the four tiles in turn, as a child answering every quadrant would,
# until the screen test holds on a screenshot of the name; fails after 150 s.
click_tiles_until() {  # NAME TEST
  local end=$((SECONDS + 150)) t
  until wait_for "$1" 0 "$2"; do
    [ $SECONDS -ge $end ] && fail "no monster was answered: the score stayed as at the start"
    for t in "${Tiles[@]}"; do click $t; done
  done
}

# Screen tests over a screenshot: each takes the screenshot's name.
# OK under the name box's dark well (the loading screen has neither there).
welcome_shown() { is_navy "$(region_colour "$1" 200x30+410+420)" && is_dark "$(region_colour "$1" 200x16+510+362)"; }
# CREDITS, at the top right of the main menu only.
main_menu_shown() { is_navy "$(region_colour "$1" 200x30+815+40)"; }
# The first mode's button, on the arcade and tutorial screens.
modes_shown() { is_navy "$(region_colour "$1" 180x30+210+420)"; }
# The arcade screen: its EASY entry there too.
arcade_shown() { modes_shown "$1" && is_navy "$(region_colour "$1" 140x20+210+320)"; }
# The tutorial screen: the first mode's RESET there too.
missions_shown() { modes_shown "$1" && is_navy "$(region_colour "$1" 100x30+717+420)"; }
# The HUD's navy strip beside the green board (its first quadrant, between the y axis and the tile).
game_shown() { is_dark_navy "$(region_colour "$1" 200x40+20+680)" && is_green "$(region_colour "$1" 40x40+660+140)"; }

# A first profile named Ada, from the loading screen to the main menu.
first_profile() {
  local end=$((SECONDS + 90))
  until wait_for welcome 1 welcome_shown; do
    # The loading screen waits for a click once the data is in.
    xdotool mousemove --window "$win" 500 400 sleep 0.1 click 1
    [ $SECONDS -ge $end ] && fail "the welcome screen did not come"
  done
  xdotool mousemove --window "$win" 600 369 sleep 0.1 click 1; sleep 0.3
  xdotool type --window "$win" --delay 80 "Ada"; sleep 0.3; xdotool key --window "$win" Return
  wait_for main-menu 60 main_menu_shown || fail "no main menu after the name"
  [ -f "$work/Profiles.dat" ] || fail "no Profiles.dat"
}
