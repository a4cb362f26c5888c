#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks it as a desktop and a player
# would: every file in its place, the desktop entry and the metainfo valid, the
# command-line options, and the installed program started up to its main menu
# with its files in the player's data folder and nothing written in the prefix.
# installed.sh CMAKE BUILD_DIR SOURCE_DIR OUT VERSION APP_ID
set -u
cmake="$1"; build="$2"; source_dir="$3"; out="$4"; version="$5"; appid="$6"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
need_tools identify convert
prog=; xvfb=; home=
tmp="$(mktemp -d)"
trap 'kill $prog 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$tmp" "$home"' EXIT
# An unusual prefix: the program must find its data relative to itself.
prefix="$tmp/some where/games"
"$cmake" --install "$build" --prefix "$prefix" > "$out/install.log" || { cat "$out/install.log"; fail "install failed"; }
check_tree "$prefix" "$build/data" "$appid"

desktop="$prefix/share/applications/$appid.desktop"
metainfo="$prefix/share/metainfo/$appid.metainfo.xml"
grep -qx 'Exec=plotfray' "$desktop" || fail "the desktop entry does not start plotfray"
grep -qx "Icon=$appid" "$desktop" || fail "the desktop entry does not name the installed icon"
grep -qx 'Categories=Game;Education;.*' "$desktop" || fail "the desktop entry is not in Game and Education"
grep -q "<launchable type=\"desktop-id\">$appid.desktop</launchable>" "$metainfo" || fail "the metainfo does not launch the desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
# Every screenshot named by the metainfo is one of docs/screenshots, at the size it gives.
shots=$(grep -o '<image[^>]*>[^<]*</image>' "$metainfo" \
  | sed 's|.*width="\([0-9]*\)" height="\([0-9]*\)".*/\([^/<]*\)</image>|\3 \1x\2|')
[ -n "$shots" ] || fail "the metainfo has no screenshots"
while read -r name size; do
  [ -f "$source_dir/docs/screenshots/$name" ] || fail "screenshot $name is not in docs/screenshots"
  [ "$(identify -format '%wx%h' "$source_dir/docs/screenshots/$name")" = "$size" ] || fail "screenshot $name is not $size"
done <<< "$shots"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
  echo "note: desktop-file-validate is missing, not run"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
else
  echo "note: appstreamcli is missing, not run"
fi

exe="$prefix/bin/plotfray"
[ "$("$exe" --version)" = "plotfray $version" ] || fail "--version says '$("$exe" --version)'"
"$exe" --help | grep -q -- '--data DIR' || fail "--help does not list --data"
"$exe" --no-such-option > "$tmp/o" 2> "$tmp/e"; rc=$?
[ $rc -eq 2 ] || fail "an unknown option exits with $rc"
[ ! -s "$tmp/o" ] && [ "$(wc -l < "$tmp/e")" -eq 1 ] || fail "an unknown option does not give one line on stderr"
"$exe" --data "$tmp/no-such-folder" 2>/dev/null; rc=$?
[ $rc -eq 2 ] || fail "--data with no folder exits with $rc"
echo "ok: options"

need_tools Xvfb xdotool xdpyinfo import
start_xvfb
run_to_main_menu "$exe" "$prefix"
# --data points the same program at another data folder (silent audio, ended
# by SIGTERM as a session manager would).
real_data="$(cd "$build/data" && pwd -P)"
LD_PRELOAD="$(gl_preload)" SDL_AUDIODRIVER=dummy timeout --preserve-status -s TERM 4 "$exe" --data "$build/data" \
  > "$out/data-option.log" 2>&1; rc=$?
[ $rc -eq 0 ] || fail "the run with --data ended with $rc"
grep -q "data from $real_data/" "$out/data-option.log" || fail "--data was not used: $(cat "$out/data-option.log")"
echo "ok: screenshots in $out"
