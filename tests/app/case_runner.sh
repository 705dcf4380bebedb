# The frame of the end-to-end scripts, sourced by each. A case is a shell
# function that calls fail for every check that does not hold; run_case runs
# one, counts it and prints its outcome, and finish prints the closing count
# and gives the exit code. A script may define the hooks before_case,
# after_failed_case (to print what the program or its desktop saw) and
# after_case (to stop what the case left running); each gets the case name.
# Also brings wait_for and the virtual display.

# shellcheck source=/dev/null
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual-display.sh"

PASSED=0
FAILED=0

fail() { echo "  FAILED: $*"; CASE_OK=0; }

run_case() {
  local name=$1
  CASE_OK=1
  declare -F before_case >/dev/null && before_case "$name"
  echo "[ RUN ] $name"
  "$name"
  if ((CASE_OK)); then
    PASSED=$((PASSED + 1))
    echo "[  OK ] $name"
  else
    FAILED=$((FAILED + 1))
    echo "[ FAIL] $name"
    declare -F after_failed_case >/dev/null && after_failed_case "$name"
  fi
  declare -F after_case >/dev/null && after_case "$name"
  return 0
}

finish() {
  echo "$PASSED passed, $FAILED failed"
  [ "$FAILED" = 0 ]
}

# Ended, or ended and not yet waited for.
process_ended() { [ ! -e "/proc/$1" ] || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]; }

# Waits up to 10 s for a child process to end and puts its exit code in
# EXIT_CODE, or "timeout" when it goes on.
wait_for_exit_of() {
  EXIT_CODE=timeout
  wait_for process_ended "$1" || return 0
  wait "$1" 2>/dev/null
  EXIT_CODE=$?
}

# Kills processes and waits for those that are children.
stop_processes() {
  local pid
  for pid in "$@"; do
    [ -n "$pid" ] || continue
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  return 0
}

# The program keeps this text for a display end that leaves it no time to
# save: in the memory it shares with its watcher.
kept_for_the_watcher() {
  local memory
  memory=$(find /proc/"$PROGRAM"/fd -lname '/memfd:tallyvane-pending*' 2>/dev/null | head -n1)
  [ -n "$memory" ] && grep -aq "$1" "$memory"
}

# A value of the checkpoint file in a program folder.
checkpoint_value() { tr -d '\r' <"$1/CHKPT.INI" 2>/dev/null | sed -n "s/^$2=//p"; }

# On X11: a window of a process with exactly this title. xdotool's own name
# match also returns windows without a WM_NAME (the tray icon's), so each is
# checked.
x_window_named() {
  local pid=$1 title=$2 w
  for w in $(xdotool search --all --pid "$pid" --name "^$title\$" 2>/dev/null); do
    [ "$(xprop -id "$w" WM_NAME 2>/dev/null)" = "WM_NAME(STRING) = \"$title\"" ] && { echo "$w"; return 0; }
  done
  return 1
}
is_mapped() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
is_unmapped() { xwininfo -id "$1" 2>/dev/null | grep -q IsUnMapped; }

# On X11: presses a key in a window until a condition holds, up to ten
# tries: on a loaded machine a window can be found and mapped before it takes
# its first key, and a key sent then is lost.
press_until() {
  local window=$1 key=$2
  shift 2
  wait_for is_mapped "$window" || return 1
  for _ in $(seq 10); do
    xdotool windowfocus --sync "$window" key "$key" 2>/dev/null
    for _ in $(seq 10); do
      "$@" && return 0
      sleep 0.1
    done
  done
  return 1
}
