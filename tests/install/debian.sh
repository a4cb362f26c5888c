#!/usr/bin/env bash
# Builds the Debian package from the build's install rules, checks its contents
# and dependencies, installs it with dpkg into a throw-away root and starts the
# program from there up to its main menu.
# debian.sh CPACK BUILD_DIR OUT VERSION APP_ID
set -u
cpack="$1"; build="$2"; out="$3"; version="$4"; appid="$5"
rm -rf "$out"; mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
need_tools dpkg dpkg-deb dpkg-shlibdeps identify convert
prog=; xvfb=; home=
tmp="$(mktemp -d)"
trap 'kill $prog 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$tmp" "$home"' EXIT

"$cpack" --config "$build/CPackConfig.cmake" -B "$tmp/pkg" > "$out/cpack.log" 2>&1 \
  || { cat "$out/cpack.log"; fail "cpack failed"; }
deb=$(ls "$tmp"/pkg/plotfray_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no package was made"
cp "$deb" "$out/"
[ "$(dpkg-deb -f "$deb" Package)" = plotfray ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "package section"
# Runtime libraries only, found from the program itself.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libsdl2-2.0-0 libsdl2-mixer-2.0-0 zlib1g libnettle8; do
  grep -q "$lib" <<< "$depends" || fail "no dependency on $lib"
done
grep -q -e '-dev\b' -e 'cairo' -e 'vorbis' -e 'gtest' <<< "$depends" && fail "a build-only package is a dependency"
# Every dependency can be met on this machine.
if command -v apt-get >/dev/null; then
  apt-get install -s "$deb" > "$out/apt-simulate.log" 2>&1 || { cat "$out/apt-simulate.log"; fail "apt cannot install the package"; }
fi

# The file list: the program, the data, the desktop entry, the icons, the metainfo.
dpkg-deb -c "$deb" | awk '{print $6}' > "$out/files.txt"
for f in ./usr/bin/plotfray ./usr/share/plotfray/data/core.asdb ./usr/share/plotfray/data/Music.asdb \
         ./usr/share/plotfray/data/fxkill.sl "./usr/share/applications/$appid.desktop" \
         "./usr/share/metainfo/$appid.metainfo.xml" "./usr/share/icons/hicolor/scalable/apps/$appid.svg"; do
  grep -qx -- "$f" "$out/files.txt" || fail "$f is not in the package"
done
dpkg-deb -c "$deb" | grep -q '^-rwxr-xr-x root/root .* ./usr/bin/plotfray$' || fail "the program is not an executable owned by root"

# A throw-away root with its own dpkg database; dependencies are those of this
# machine, so they are not looked for in the empty root.
root="$tmp/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v fakeroot >/dev/null || { echo "SKIP: not root and no fakeroot to install the package"; exit 77; }
  as_root=(fakeroot)
  dpkg_extra=(--force-not-root)
else
  dpkg_extra=()
fi
"${as_root[@]}" dpkg --root="$root" --log=/dev/null --force-depends "${dpkg_extra[@]}" -i "$deb" \
  > "$out/dpkg.log" 2>&1 || { cat "$out/dpkg.log"; fail "dpkg -i failed"; }
[ "$(dpkg --root="$root" -s plotfray 2>/dev/null | grep '^Status:')" = "Status: install ok installed" ] \
  || fail "dpkg does not list the package as installed"
check_tree "$root/usr" "$build/data" "$appid"
[ "$("$root/usr/bin/plotfray" --version)" = "plotfray $version" ] || fail "the packaged program's --version"

need_tools Xvfb xdotool xdpyinfo import
start_xvfb
run_to_main_menu "$root/usr/bin/plotfray" "$root/usr"
echo "ok: $(basename "$deb") installed in a throw-away root and started"
