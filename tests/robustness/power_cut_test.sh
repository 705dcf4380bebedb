#!/usr/bin/env bash
# Power cuts during start-up of the real program: starts a virtual display
# (Xvfb; the notification area is not needed) and lets the driver cut the
# program again and again in one folder.
#   power_cut_test.sh DRIVER PROGRAM [CUTS [SECONDS]]
# No -e: the driver's exit code is the test's, and the clean-up must run.
set -uo pipefail

DRIVER=$1
PROGRAM=$(realpath "$2")
shift 2
WORK=$(mktemp -d /tmp/tallyvane-powercut-display.XXXXXX)
BACKGROUND_PIDS=()

cleanup() {
  for pid in "${BACKGROUND_PIDS[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$WORK"
}
trap cleanup EXIT

# shellcheck source=/dev/null
source "$(dirname "$0")/../../scripts/virtual-display.sh"
start_display --no-tray || exit 1

"$DRIVER" "$PROGRAM" "$@"
