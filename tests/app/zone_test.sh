#!/usr/bin/env bash
# Runs the real program across a change of time zone and in an hour that
# comes twice (a POSIX TZ rule made so that now falls in the second pass of
# a repeated hour), on the offscreen platform: the verdict must not change
# with the zone, only the texts it shows.
# No -e: a failed check is counted and the run goes on to the next case.
set -uo pipefail

BINARY=$(realpath "$1")
WORK=$(mktemp -d /tmp/tallyvane-zone.XXXXXX)

# shellcheck source=/dev/null
source "$(dirname "$0")/case_runner.sh"

cleanup() {
  stop_processes "${PROGRAM:-}"
  rm -rf "$WORK"
}
trap cleanup EXIT

new_folder() {
  FOLDER="$WORK/$1"
  mkdir -p "$FOLDER"
  cp "$BINARY" "$FOLDER/tallyvane"
}
# Without a system bus, so that no logind of the machine takes part.
launch() {
  (cd "$FOLDER" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS TZ="$1" \
    DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent QT_QPA_PLATFORM=offscreen ./tallyvane >>"$FOLDER/stdout.txt" 2>&1) &
  PROGRAM=$!
}
log_lines() { tr -d '\r' <"$FOLDER/triplog.txt" 2>/dev/null | wc -l; }
has_log_lines() { [ "$(log_lines)" -ge "$1" ]; }
last_words() { tr -d '\r' <"$FOLDER/triplog.txt" | tail -n 1 | cut -c 19-; }
kept_running() {
  [ "$(last_words)" = "The computer kept running: only this program was stopped" ] ||
    fail "$1: the log ends with: $(tr -d '\r' <"$FOLDER/triplog.txt" | tail -n 3)"
}

# The boot must lie well before the checkpoints, or the third line would be
# left out as too close to call.
wait_for_uptime() {
  local up
  up=$(cut -d. -f1 /proc/uptime)
  ((up >= 180)) || sleep $((180 - up))
}

# Killed in one zone, started again in another with the computer up all along.
zone_changes_leave_the_verdict() {
  local pair from to
  for pair in UTC:Asia/Tokyo UTC:America/New_York Europe/Paris:America/Los_Angeles; do
    from=${pair%%:*} to=${pair#*:}
    new_folder "${to//\//-}"
    launch "$from"
    wait_for has_log_lines 1 || { fail "$pair: no first start"; continue; }
    wait_for test -f "$FOLDER/CHKPT.INI" || fail "$pair: no checkpoint"
    stop_processes "$PROGRAM"
    launch "$to"
    wait_for has_log_lines 4 || { fail "$pair: no verdict after the second start"; continue; }
    kept_running "$pair"
    stop_processes "$PROGRAM"
  done
}

# A zone one hour ahead of UTC whose clocks go back to UTC half an hour ago:
# from then until half an hour from now the local clock shows each minute a
# second time, and shows it now.
REPEATED_ZONE=AAA0BBB-1,0/0,$((10#$(date -u -d '+30 min' +%j) - 1))/$(date -u -d '+30 min' +%H:%M)
local_stamp() { TZ=$REPEATED_ZONE date -d "$1" +'%Y-%m-%d %H:%M'; }

in_the_second_pass() {
  [ "$(TZ=$REPEATED_ZONE date +%z)" = +0000 ] && [ "$(TZ=$REPEATED_ZONE date -d '-45 min' +%z)" = +0100 ]
}

# What the third line must say of a checkpoint at an instant: by the boot
# time, and in the words of the program, computed here on their own.
duration_text() {
  local m=$1
  if ((m < 60)); then echo "$m min"; elif ((m < 1440)); then echo "$((m / 60)) h $((m % 60)) min"; else
    echo "$((m / 1440)) d $((m % 1440 / 60)) h"
  fi
}
expected_third_line() {
  local boot apart
  boot=$(awk '/^btime/ {print $2}' /proc/stat)
  apart=$((boot - $1))
  if ((apart <= -120)); then
    echo "The computer kept running: only this program was stopped"
  elif ((apart >= 120)); then
    echo "The computer started again at $(TZ=$REPEATED_ZONE date -d "@$boot" +'%Y-%m-%d %H:%M'):" \
      "it was off for at most $(duration_text $((apart / 60)))"
  fi
}

# A checkpoint of the first pass, five minutes later on the clock than now:
# an hour earlier in time.
first_pass_checkpoint_is_earlier() {
  local stored expected
  in_the_second_pass || { fail "the zone $REPEATED_ZONE puts now in no second pass"; return; }
  new_folder first-pass
  stored=$(($(date -u -d '+5 min' +%s) / 60 * 60 - 3600))
  printf '[main]\r\nTripStatus=1\r\nTripTS=%s\r\nTripOffset=+01:00\r\n' "$(local_stamp '+5 min')" >"$FOLDER/CHKPT.INI"
  expected=$(expected_third_line "$stored")
  launch "$REPEATED_ZONE"
  wait_for has_log_lines 2 || { fail "no verdict"; return; }
  sleep 0.5
  if [ -n "$expected" ]; then
    [ "$(last_words)" = "$expected" ] || fail "the log ends with: $(tr -d '\r' <"$FOLDER/triplog.txt" | tail -n 1), not: $expected"
  else
    [ "$(log_lines)" = 2 ] || fail "a third line where none was due: $(last_words)"
  fi
}

# The first pass's checkpoint was judged by a start in the second pass that
# was cut before its checkpoint: the next start judges the cut start, and
# the verdict on that checkpoint is not logged again.
cut_start_in_the_repeated_hour_is_judged_once() {
  local stored cut
  in_the_second_pass || { fail "the zone $REPEATED_ZONE puts now in no second pass"; return; }
  new_folder cut-start
  stored=$(local_stamp '+5 min') cut=$(local_stamp '-2 min')
  printf '[main]\r\nTripStatus=1\r\nTripTS=%s\r\nTripOffset=+01:00\r\n' "$stored" >"$FOLDER/CHKPT.INI"
  printf '%s  ABNORMAL PROGRAM END\r\n%s  Program restart\r\n%s  The computer kept running: only this program was stopped\r\n' \
    "$stored" "$cut" "$cut" >"$FOLDER/triplog.txt"
  launch "$REPEATED_ZONE"
  wait_for has_log_lines 6 || { fail "no verdict"; return; }
  [ "$(grep -c "^$stored  ABNORMAL PROGRAM END" "$FOLDER/triplog.txt")" = 1 ] || fail "the verdict was logged twice"
  grep -q "^$cut  ABNORMAL PROGRAM END" "$FOLDER/triplog.txt" || fail "the cut start was not judged"
}

after_failed_case() {
  echo "  the program's output and log:"
  sed 's/^/    /' "${FOLDER:-/nonexistent}/stdout.txt" "${FOLDER:-/nonexistent}/triplog.txt" 2>/dev/null | tail -n 20
}
after_case() {
  stop_processes "${PROGRAM:-}"
  PROGRAM=
}

wait_for_uptime
CASES=(zone_changes_leave_the_verdict first_pass_checkpoint_is_earlier cut_start_in_the_repeated_hour_is_judged_once)
(($# > 1)) && CASES=("${@:2}")
for name in "${CASES[@]}"; do run_case "$name"; done
finish
