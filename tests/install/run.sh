#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root, and publishes
# a template with the installed velmora-cli as a normal user would: the
# installed program folder is read-only, so the program works from a
# per-user folder seeded from the installed files.
# Usage: tests/install/run.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi
}

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb="$(ls "$work"/package/velmora_*.deb)"
dpkg-deb -x "$deb" "$work/root"
root="$work/root"
check "package holds velmora-cli" test -x "$root/usr/bin/velmora-cli"
check "package holds the runtime" test -s "$root/usr/share/velmora/jsmenu0.js"
check "package holds the desktop entry" test -f "$root/usr/share/applications/velmora.desktop"
check "package holds the MIME type" test -f "$root/usr/share/mime/packages/velmora.xml"
check "package holds the icon" test -f "$root/usr/share/icons/hicolor/scalable/apps/velmora.svg"
for folder in templates help samples; do
  if [ -d "$build/$folder" ]; then check "package holds $folder" test -d "$root/usr/share/velmora/$folder"; fi
done
if [ -x "$build/velmora" ]; then check "package holds the designer" test -x "$root/usr/bin/velmora"; fi
dpkg-deb -f "$deb" Depends | grep -q libc6 && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAILED: Depends"; }

# A normal user: nobody when we are root, ourselves otherwise.
chmod -R a-w "$root"
touch "$work/installed"
sleep 1
user_home="$work/home"
mkdir -p "$user_home/designs"
cp "$source"/examples/* "$user_home/designs/"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody "$user_home"
  chmod 755 "$work"
  as_user=(runuser -u nobody --)
fi
run() { "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$user_home" "$@"; }

check "installed velmora-cli publishes" run "$root/usr/bin/velmora-cli" publish \
  "$user_home/designs/velmora-example.velm" --menu-name menu1
check "published page exists" test -s "$user_home/designs/velmora-example.html"
check "runtime copied beside it" cmp -s "$user_home/designs/jsmenu0.js" "$root/usr/share/velmora/jsmenu0.js"
check "per-user program folder seeded" test -s "$user_home/.local/share/velmora/jsmenu0.js"
check "nothing written into the installed folders" test -z "$(find "$root" -newer "$work/installed" -print -quit)"
check "published page holds the menu's container" grep -q 'id=menu1div' "$user_home/designs/velmora-example.html"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
