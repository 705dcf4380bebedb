#!/usr/bin/env bash
# Power cuts during start-up of the real program: starts a virtual display
# (Xvfb; the notification area is not needed) and lets the driver cut the
# program again and again in one folder.
#   power_cut_test.sh DRIVER PROGRAM [CUTS [SECONDS]]
set -uo pipefail

DRIVER=$1
PROGRAM=$(realpath "$2")
shift 2
WORK=$(mktemp -d /tmp/tallyvane-powercut-display.XXXXXX)
XVFB=

cleanup() {
  if [ -n "$XVFB" ]; then
    kill "$XVFB" 2>/dev/null
    wait "$XVFB" 2>/dev/null
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB=$!
for _ in $(seq 100); do
  [ -s "$WORK/display" ] && break
  sleep 0.1
done
[ -s "$WORK/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$WORK/display")"

"$DRIVER" "$PROGRAM" "$@"
