#!/usr/bin/env bash
# Installs and uninstalls Tallyvane into a fresh home folder and checks what
# lands where: program, icons, menu and autostart entries, and what stays.
# No -e: a failed check is counted and the run goes on to the next one.
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
  if "$@" >/dev/null 2>&1; then PASSED=$((PASSED + 1)); return 0; fi
  FAILED=$((FAILED + 1))
  echo "FAILED: $name"
  return 1
}

# The icon sizes that the install script puts in place.
# shellcheck source=/dev/null
ICON_SIZES=$(source "$SOURCE/scripts/install-paths" && echo "$ICON_SIZES")

program="$HOME/.local/opt/tallyvane"
applications="$HOME/.local/share/applications"
autostart="$HOME/.config/autostart"

check "install" "$SOURCE/scripts/install" || { echo "$PASSED passed, $FAILED failed"; exit 1; }
check "program copied" test -x "$program/tallyvane"
check "menu entry valid" desktop-file-validate "$applications/tallyvane.desktop"
check "autostart entry valid" desktop-file-validate "$autostart/tallyvane.desktop"
check "entry runs the installed program" grep -qx "Exec=$program/tallyvane" "$autostart/tallyvane.desktop"
for size in $ICON_SIZES; do
  icon="$HOME/.local/share/icons/hicolor/${size}x${size}/apps/tallyvane.png"
  check "icon ${size}" sh -c "identify -format '%wx%h' '$icon' | grep -qx '${size}x${size}'"
done

printf 'a line of the user\r\n' >"$program/triplog.txt"
printf '[main]\r\nTripStatus=0\r\n' >"$program/CHKPT.INI"
check "second install" "$SOURCE/scripts/install" --no-autostart
check "no autostart when asked" test ! -e "$autostart/tallyvane.desktop"
check "reinstall keeps the trip log" grep -q "a line of the user" "$program/triplog.txt"

check "uninstall" "$SOURCE/scripts/uninstall"
check "program removed" test ! -e "$program/tallyvane"
check "menu entry removed" test ! -e "$applications/tallyvane.desktop"
check "icons removed" test ! -e "$HOME/.local/share/icons/hicolor/48x48/apps/tallyvane.png"
check "trip log kept" grep -q "a line of the user" "$program/triplog.txt"

check "purge" "$SOURCE/scripts/uninstall" --purge
check "purge removes the folder" test ! -e "$program"

echo "$PASSED passed, $FAILED failed"
[ "$FAILED" = 0 ]
