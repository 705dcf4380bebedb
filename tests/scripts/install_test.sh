#!/usr/bin/env bash
# Installs and uninstalls Tallyvane into a fresh home folder and checks what
# lands where: program, icons, menu and autostart entries, and what stays.
set -uo pipefail
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
export TALLYVANE_BINARY=$(realpath "$1")
export HOME=$(mktemp -d /tmp/tallyvane-home.XXXXXX)
unset XDG_DATA_HOME XDG_CONFIG_HOME TALLYVANE_HOME
trap 'rm -rf "$HOME"' EXIT
PASSED=0
FAILED=0

check() {
  local name=$1
  shift
  if "$@" >/dev/null 2>&1; then PASSED=$((PASSED + 1)); else FAILED=$((FAILED + 1)); echo "FAILED: $name"; fi
}

program="$HOME/.local/opt/tallyvane"
applications="$HOME/.local/share/applications"
autostart="$HOME/.config/autostart"

"$SOURCE/scripts/install" >/dev/null || { echo "FAILED: install"; exit 1; }
check "program copied" test -x "$program/tallyvane"
check "menu entry valid" desktop-file-validate "$applications/tallyvane.desktop"
check "autostart entry valid" desktop-file-validate "$autostart/tallyvane.desktop"
check "entry runs the installed program" grep -qx "Exec=$program/tallyvane" "$autostart/tallyvane.desktop"
for size in 16 22 24 32 48 64 128 256; do
  icon="$HOME/.local/share/icons/hicolor/${size}x${size}/apps/tallyvane.png"
  check "icon ${size}" sh -c "identify -format '%wx%h' '$icon' | grep -qx '${size}x${size}'"
done

printf 'a line of the user\r\n' >"$program/triplog.txt"
printf '[main]\r\nTripStatus=0\r\n' >"$program/CHKPT.INI"
"$SOURCE/scripts/install" --no-autostart >/dev/null || echo "FAILED: second install"
check "no autostart when asked" test ! -e "$autostart/tallyvane.desktop"
check "reinstall keeps the trip log" grep -q "a line of the user" "$program/triplog.txt"

"$SOURCE/scripts/uninstall" >/dev/null || echo "FAILED: uninstall"
check "program removed" test ! -e "$program/tallyvane"
check "menu entry removed" test ! -e "$applications/tallyvane.desktop"
check "icons removed" test ! -e "$HOME/.local/share/icons/hicolor/48x48/apps/tallyvane.png"
check "trip log kept" grep -q "a line of the user" "$program/triplog.txt"

"$SOURCE/scripts/uninstall" --purge >/dev/null || echo "FAILED: purge"
check "purge removes the folder" test ! -e "$program"

echo "$PASSED passed, $FAILED failed"
[ "$FAILED" = 0 ]
