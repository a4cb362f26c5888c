# Shared by the install tests: checks on an installed tree, and a run of an
# installed program under a private Xvfb, with a home of its own, up to the
# main menu. Needs: out (artefact folder). Uses tests/xvfb/lib.sh for Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/../xvfb/lib.sh"

fail() { echo "FAIL: $*"; [ -f "$out/program.log" ] && cat "$out/program.log"; exit 1; }
# X clients get a time limit: a display that stops answering fails the test
# instead of hanging it.
x() { timeout 30 "$@"; }

# check_tree ROOT DATA APPID: the game's files under ROOT (a prefix) with the
# data folder beside the generated one in DATA.
check_tree() {
  local root="$1" data="$2" appid="$3"
  [ -x "$root/bin/plotfray" ] || fail "no program in $root/bin"
  local f n=0
  for f in "$data"/*.asdb "$data"/*.sl; do
    cmp -s "$f" "$root/share/plotfray/data/$(basename "$f")" || fail "data file $(basename "$f") is missing or differs"
    n=$((n + 1))
  done
  [ $n -ge 19 ] || fail "only $n data files were generated"
  # Each language: its catalogue and its pictures with words.
  n=0
  for f in "$data"/lang/*.mo "$data"/lang/*.asdb; do
    [ -e "$f" ] || continue
    cmp -s "$f" "$root/share/plotfray/data/lang/$(basename "$f")" || fail "language file lang/$(basename "$f") is missing or differs"
    n=$((n + 1))
  done
  [ $n -ge 8 ] || fail "only $n language files were generated"
  [ -f "$root/share/applications/$appid.desktop" ] || fail "no desktop entry"
  [ -f "$root/share/metainfo/$appid.metainfo.xml" ] || fail "no metainfo"
  local size
  for size in 16 22 24 32 48 64 128 256; do
    f="$root/share/icons/hicolor/${size}x${size}/apps/$appid.png"
    [ "$(identify -format '%wx%h' "$f" 2>/dev/null)" = "${size}x${size}" ] || fail "icon $f is not ${size}x${size}"
  done
  grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/$appid.svg" || fail "no scalable icon"
  # Nothing but the game: no test program, generator or build file is installed.
  local extra
  extra=$(cd "$root" && find . -type f | grep -v -e '^./bin/plotfray$' -e '^./share/plotfray/data/' \
    -e "^./share/applications/$appid.desktop\$" -e "^./share/metainfo/$appid.metainfo.xml\$" \
    -e "^./share/icons/hicolor/[0-9a-z]*/apps/$appid.\(png\|svg\)\$")
  [ -z "$extra" ] || fail "unexpected files installed: $extra"
  # Another user plays too: every file readable by all, every folder open,
  # in the install and in the build's data folder that play.sh runs from (the
  # install would hide a private file there: it gives every file 0644).
  local closed
  closed=$(find "$root/bin" "$root/share" "$data" \( -type f ! -perm -0444 \) -o \( -type d ! -perm -0555 \))
  [ -z "$closed" ] || fail "not readable by every user: $closed"
  echo "ok: files in place under $root"
}

# run_to_main_menu EXE PREFIX: starts the installed program as a player would
# on a first run, with fresh HOME and XDG_DATA_HOME under $home, types a name,
# and checks that it reached the main menu, kept its files in the player's
# data folder and wrote nothing under PREFIX.
# Under the sanitizers the GL driver stays loaded until exit: its allocations are
# only recognised (and suppressed) while the library is still mapped.
gl_preload() {
  if [ -n "${ASAN_OPTIONS:-}" ]; then
    local dri
    dri=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1)
    echo "libGL.so.1 libGLX_mesa.so.0 ${dri}"
  fi
}

run_to_main_menu() {
  local exe="$1" prefix="$2"
  home="$(mktemp -d)"
  export HOME="$home/home" XDG_DATA_HOME="$home/xdg"
  local saves="$XDG_DATA_HOME/plotfray"
  mkdir -p "$HOME" "$saves"
  # Windowed, so that window pixels are game pixels.
  windowed_settings "$saves"
  touch "$home/before"
  local preload
  preload=$(gl_preload)
  # Started from another folder: the program must find its data by itself.
  (cd "$home" && LD_PRELOAD="$preload" SDL_AUDIODRIVER=dummy exec "$exe") > "$out/program.log" 2>&1 & prog=$!
  win=
  for i in $(seq 1 300); do
    win=$(x xdotool search --pid $prog --onlyvisible 2>/dev/null | head -n 1)
    [ -n "$win" ] && break; sleep 0.1
  done
  [ -n "$win" ] || fail "no window on $DISPLAY"
  # SDL may replace its first window while it sets up the renderer: let it
  # settle, then take the newest.
  sleep 1
  # Under load the replacement may take a while to map: wait for it too.
  for i in $(seq 1 100); do
    win=$(x xdotool search --pid $prog --onlyvisible 2>/dev/null | tail -n 1)
    [ -n "$win" ] && break; sleep 0.1
  done
  [ -n "$win" ] || fail "the window went away"
  sleep 1
  x xdotool mousemove --window "$win" 500 400 sleep 0.2 click 1; sleep 2
  x import -window "$win" "$out/welcome.png" || fail "no picture of the welcome screen"
  x xdotool type --window "$win" --delay 80 "Ada"; sleep 0.5
  x xdotool key --window "$win" Return; sleep 2.5
  x import -window "$win" "$out/menu.png" || fail "no picture of the main menu"
  # Closed as a window manager's close button does; the program must end cleanly.
  x "$XCLOSE" "$win"
  for i in $(seq 1 100); do kill -0 $prog 2>/dev/null || break; sleep 0.1; done
  kill -0 $prog 2>/dev/null && fail "still running after close"
  wait $prog; local rc=$?
  [ $rc -eq 0 ] || fail "exit code $rc"

  [ "$(stat -c %s "$saves/Profiles.dat" 2>/dev/null)" = 504 ] || fail "no profile saved in $saves"
  [ "$(head -c 4 "$saves/Profiles.dat" | od -An -c | tr -d ' ')" = '003Ada' ] || fail "the name is not in the profile"
  [ "$(od -An -j16 -N4 -tx1 "$saves/Settings.ini" | tr -d ' ')" = 00000000 ] \
    || fail "the settings in $saves were not read and written back with the new profile"
  [ -f "$saves/Scores.dat" ] || fail "no high scores in $saves"
  grep -q "data from $(cd "$prefix" && pwd -P)/share/plotfray/data/" "$saves/plotfray.log" \
    || fail "the log in $saves does not name the installed data folder"
  # The greeting and the profile button, top left, are only on the main menu.
  local a b
  a=$(convert "$out/welcome.png" -crop 210x70+5+3 -colorspace Gray -format '%[fx:mean]' info:)
  b=$(convert "$out/menu.png" -crop 210x70+5+3 -colorspace Gray -format '%[fx:mean]' info:)
  awk -v a="$a" -v b="$b" 'BEGIN{exit !(b > a + 0.1)}' || fail "no main menu after the name (brightness $a -> $b)"
  local written
  written=$(find "$prefix" -newer "$home/before")
  [ -z "$written" ] || fail "written under the install prefix: $written"
  echo "ok: the installed program reached its main menu; its files are in $saves"
}
