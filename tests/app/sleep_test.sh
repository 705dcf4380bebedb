#!/usr/bin/env bash
# Runs the real program beside a stand-in logind (python3-dbusmock's logind
# template) on a private bus that the program takes for the system bus, and
# puts the computer to sleep and wakes it with logind's own signal. The
# program draws on the offscreen platform: the sleep needs no display.
# No -e: a failed check is counted and the run goes on to the next case.
set -uo pipefail

BINARY=$(realpath "$1")
HERE=$(dirname "$0")
WORK=$(mktemp -d /tmp/tallyvane-sleep.XXXXXX)

# shellcheck source=/dev/null
source "$HERE/case_runner.sh"

cleanup() {
  stop_bus
  stop_processes "${PROGRAM:-}"
  rm -rf "$WORK"
}
trap cleanup EXIT

# A bus of its own, and logind on it.
start_bus() {
  local lines
  mapfile -t lines < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  BUS=${lines[0]} BUS_PID=${lines[1]}
  ((${2:-1})) || return 0
  DBUS_SYSTEM_BUS_ADDRESS=$BUS /usr/bin/python3 -m dbusmock --system --template logind >"$WORK/logind-$1.txt" 2>&1 &
  LOGIND=$!
  wait_for logind_answers || fail "the stand-in logind did not start"
}
stop_bus() {
  stop_processes "${LOGIND:-}"
  [ -n "${BUS_PID:-}" ] && kill -KILL "$BUS_PID" 2>/dev/null
  LOGIND='' BUS_PID=''
}
logind() { /usr/bin/python3 "$HERE/logind_call.py" "$BUS" "$@"; }
logind_answers() { logind locks >/dev/null 2>&1; }
locks_held() { [ "$(logind locks 2>/dev/null)" = "$1" ]; }

# A program folder with a copy of the program and, if given, a checkpoint.
new_folder() {
  FOLDER="$WORK/$1"
  mkdir -p "$FOLDER"
  cp "$BINARY" "$FOLDER/tallyvane"
  [ -n "${2:-}" ] && printf '%s' "$2" >"$FOLDER/CHKPT.INI"
  return 0
}
launch() {
  (cd "$FOLDER" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS \
    DBUS_SYSTEM_BUS_ADDRESS="$1" QT_QPA_PLATFORM=offscreen ./tallyvane >"$FOLDER/stdout.txt" 2>&1) &
  PROGRAM=$!
}
value() { checkpoint_value "$FOLDER" "$1"; }
checked_in() { [ "$(value TripStatus)" = 1 ]; }
checked_in_anew() { checked_in && [ "$(value TripTS)" != 2020-01-06\ 23:10 ]; }
marked() { [ "$(value TripSleep)" = 1 ]; }
unmarked() { [ -f "$FOLDER/CHKPT.INI" ] && ! grep -q TripSleep "$FOLDER/CHKPT.INI"; }
# Within a second, as logind's delay lock leaves no more.
within_a_second() {
  local _
  for _ in $(seq 20); do "$@" && return 0; sleep 0.05; done
  return 1
}
this_minute_or_the_last() {
  local stamp
  stamp=$(value TripTS)
  [ "$stamp" = "$(date +'%Y-%m-%d %H:%M')" ] || [ "$stamp" = "$(date -d '-1 min' +'%Y-%m-%d %H:%M')" ]
}
started_and_locked() {
  wait_for checked_in || { fail "no first checkpoint"; return 1; }
  wait_for locks_held 1 || { fail "no sleep lock taken (held: $(logind locks))"; return 1; }
}

sleep_is_checked_in_and_survives_a_kill() {
  start_bus sleep
  new_folder sleep
  launch "$BUS"
  started_and_locked || return
  logind sleep true
  within_a_second marked || fail "no sleep mark within a second: $(tr -d '\r' <"$FOLDER/CHKPT.INI" | tr '\n' ' ')"
  checked_in || fail "status at the sleep: $(value TripStatus)"
  this_minute_or_the_last || fail "stamp at the sleep: $(value TripTS)"
  within_a_second locks_held 0 || fail "the lock was kept through the sleep"
  logind sleep true # said twice, as some logind versions do
  sleep 0.3
  process_ended "$PROGRAM" && fail "the second signal ended the program"
  marked || fail "the second signal took the mark out"
  stop_processes "$PROGRAM"
  { checked_in && marked; } || fail "after the kill: $(tr -d '\r' <"$FOLDER/CHKPT.INI" | tr '\n' ' ')"
}

wake_up_takes_the_mark_out_and_a_new_lock() {
  start_bus wake
  new_folder wake
  launch "$BUS"
  started_and_locked || return
  logind sleep true
  within_a_second marked || fail "no sleep mark"
  logind sleep false
  within_a_second unmarked || fail "the mark stayed after the wake-up"
  checked_in || fail "status after the wake-up: $(value TripStatus)"
  wait_for locks_held 1 || fail "no new lock after the wake-up"
  logind sleep false
  sleep 0.5
  locks_held 1 || fail "a second wake-up took a second lock: $(logind locks)"
  unmarked || fail "a second wake-up marked the file"
}

# The last checkpoint is of a sleep before this computer's boot: the power
# went in that sleep.
died_asleep_is_told_and_logged() {
  local boot
  start_bus verdict
  new_folder verdict $'[main]\r\nTripStatus=1\r\nTripTS=2020-01-06 23:10\r\nTripSleep=1\r\n'
  launch "$BUS"
  wait_for checked_in_anew || { fail "no checkpoint"; return; }
  boot=$(date -d "@$(awk '/^btime/ {print $2}' /proc/stat)" +'%Y-%m-%d %H:%M')
  tr -d '\r' <"$FOLDER/triplog.txt" >"$WORK/log.txt"
  grep -qx '2020-01-06 23:10  ABNORMAL PROGRAM END' "$WORK/log.txt" || fail "no abnormal end in the log"
  grep -q "^.\{16\}  The computer started again at $boot without waking from sleep: it was off for at most " \
    "$WORK/log.txt" || fail "no sleep line in the log: $(cat "$WORK/log.txt")"
  unmarked || fail "the new checkpoint kept the mark"
}

# Without logind, or without any system bus, the program runs as before and
# says nothing of it.
runs_as_before_without_logind() {
  local with_logind
  for with_logind in 0 1; do
    start_bus "none-$with_logind" "$with_logind"
    new_folder "none-$with_logind"
    launch "$BUS"
    wait_for checked_in || fail "no checkpoint on a bus without logind"
    stop_processes "$PROGRAM"
    stop_bus
  done
  new_folder no-bus
  launch unix:path=/nonexistent/bus
  wait_for checked_in || fail "no checkpoint without a system bus"
  sleep 0.5
  process_ended "$PROGRAM" && fail "the program ended without a system bus"
  if grep -qi -e 'dbus' -e 'login1' -e 'inhibit' "$WORK"/none-*/stdout.txt "$FOLDER/stdout.txt"; then
    fail "it spoke of the missing logind: $(cat "$WORK"/none-*/stdout.txt "$FOLDER/stdout.txt")"
  fi
}

after_failed_case() {
  echo "  the program's output:"
  sed 's/^/    /' "${FOLDER:-/nonexistent}/stdout.txt" 2>/dev/null | tail -n 20
  tail -n 20 "$WORK/logind-$1.txt" 2>/dev/null | sed 's/^/    logind: /'
}
after_case() {
  stop_processes "${PROGRAM:-}"
  stop_bus
  PROGRAM=
}

CASES=(sleep_is_checked_in_and_survives_a_kill wake_up_takes_the_mark_out_and_a_new_lock died_asleep_is_told_and_logged
  runs_as_before_without_logind)
(($# > 1)) && CASES=("${@:2}")
for name in "${CASES[@]}"; do run_case "$name"; done
finish
