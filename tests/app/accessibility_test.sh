#!/usr/bin/env bash
# The real program as a screen reader (AT-SPI, read with pyatspi) and a
# keyboard-only user (xdotool) meet it; one display and one bus for all cases.
set -uo pipefail
[ -n "${A11Y_TEST_BUS:-}" ] || A11Y_TEST_BUS=1 exec dbus-run-session -- "$0" "$@"
BINARY=$(realpath "$1") PROBE=$(dirname "$0")/a11y_probe.py WORK=$(mktemp -d /tmp/tallyvane-a11y.XXXXXX)
BACKGROUND_PIDS=() BUS_PIDS=()
# The launcher leaves its bus behind when it is killed: both end here.
trap 'kill -TERM "${BUS_PIDS[@]}" 2>/dev/null; stop_processes "${BACKGROUND_PIDS[@]}"; rm -rf "$WORK"' EXIT
# shellcheck source=/dev/null
source "$(dirname "$0")/case_runner.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
stamp() { date -d "@$(($(date +%s) - $1))" "+${2:-%Y-%m-%d %H:%M}"; }
# The last run ended an hour before the computer started: an outage of the computer.
BOOT_SECONDS=$(awk '/^btime/ {print $2}' /proc/stat)
DAY=86400 BEFORE_BOOT=$(($(date +%s) - BOOT_SECONDS + 3600))
LAST_RUN=$(stamp "$BEFORE_BOOT") BOOT=$(date -d "@$BOOT_SECONDS" '+%Y-%m-%d %H:%M')

# After that abnormal end, with two older outages in the log.
before_case() {
  local ago folder=$WORK/$1
  mkdir -p "$folder" && cp "$BINARY" "$folder/tallyvane" && LOG=$folder/triplog.txt
  printf '[main]\r\nTripStatus=1\r\nTripTS=%s\r\n' "$LAST_RUN" >"$folder/CHKPT.INI"
  for ago in $((40 * DAY)) $((35 * DAY)); do
    printf '%s  ABNORMAL PROGRAM END\r\n%s  Program restart\r\n' "$(stamp $ago)" "$(stamp $((ago - 600)))"
  done >"$LOG"
  (cd "$folder" && exec ./tallyvane >stdout.txt 2>&1) &
  PROGRAM=$! && BACKGROUND_PIDS+=("$PROGRAM")
  wait_for probe frame Tallyvane && MAIN=$(x_window_named "$PROGRAM" Tallyvane) || fail "no main window on the bus"
}
after_case() { stop_processes "$PROGRAM"; }
probe() { timeout 5 "$PROBE" "$PROGRAM" "$@"; }
said() { probe "${@:2}" | cut -f"$1"; }  # field 1 role, 2 name, 3 description
focused_is() { [ "$(said 1-2 focused)" = "$1" ]; }
# Chooses a command of the main window's menu by its letter until a check holds.
choose() { press_until "$MAIN" "alt+$1" "${@:2}" >/dev/null; }
shown() { local w; w=$(x_window_named "$PROGRAM" "$1") && is_mapped "$w"; }
hidden() { ! shown "$1"; }
LOG_TEXT=$'text\tTrip log' CHART="Outages per month, the last twelve months"
main_window_announces_the_verdict() {
  xdotool windowfocus --sync "$MAIN"
  wait_for focused_is $'push button\tContinue' || fail "focus: $(said 1-2 focused)"
  [[ $(said 3 frame Tallyvane) == *"ABNORMALLY soon after $LAST_RUN. New checkpoint = "* ]] ||
    fail "the window says: $(said 3 frame Tallyvane)"
}
outages_table_is_named_and_described() {
  choose o focused_is $'table cell\t'"$LAST_RUN" || fail "focus not on the newest outage: $(said 1-2 focused)"
  local summary && summary=$(said 3 table Outages)
  [ -n "$summary" ] && probe label "$summary" >/dev/null || fail "no table with the summary: $summary"
  # The newest row is back at the computer's start, which went down.
  probe "table cell" "$BOOT" >/dev/null && probe "table cell" computer >/dev/null || fail "no row back at $BOOT"
}
outages_chart_reads_its_months() {
  local -A counts=() && local ago entry text
  # One "1" per outage in its month's entry, its length the count.
  for ago in $((40 * DAY)) $((35 * DAY)) "$BEFORE_BOOT"; do counts[$(LC_ALL=C stamp $ago '%b %Y')]+=1; done
  choose o probe chart "$CHART" || fail "no chart"
  text=$(said 3 chart "$CHART") && IFS=, read -ra entries <<<"${text//, /,}"
  [ ${#entries[@]} = 12 ] || fail "${#entries[@]} months in: $text"
  for entry in "${entries[@]}"; do
    [ "${entry##*: }" = "${#counts[${entry%: *}]}" ] || fail "$entry in: $text"
  done
}
escape_closes_log_and_outages() {
  local key title
  for key in l o; do
    title=$([ $key = l ] && echo "Tallyvane log" || echo "Tallyvane outages")
    choose $key shown "$title" || { fail "$title did not open" && continue; }
    press_until "$(x_window_named "$PROGRAM" "$title")" Escape hidden "$title" || fail "Escape left $title open"
  done
}
tab_in_the_log_leaves_the_file() {
  local before && before=$(md5sum <"$LOG")
  choose l focused_is "$LOG_TEXT" || fail "focus not in the log: $(said 1-2 focused)"
  xdotool key Tab Tab Escape
  wait_for hidden "Tallyvane log" || fail "the log did not close"
  [ "$(md5sum <"$LOG")" = "$before" ] || fail "the file changed: $(od -c "$LOG" | tail -3)"
}
log_chosen_while_open_behind_gets_focus() {
  choose l focused_is "$LOG_TEXT" || fail "the log did not take the focus"
  xdotool windowfocus --sync "$MAIN"
  wait_for focused_is $'push button\tContinue' || fail "the main window did not take the focus back"
  choose l focused_is "$LOG_TEXT" || fail "focus after Log again: $(said 1-2 focused)"
}
start_display --no-tray || exit 1
/usr/libexec/at-spi-bus-launcher --launch-immediately &
BACKGROUND_PIDS+=($!)
wait_for grep -q . "/proc/$!/task/$!/children" && read -ra BUS_PIDS <"/proc/$!/task/$!/children"
for name in main_window_announces_the_verdict outages_table_is_named_and_described outages_chart_reads_its_months \
  escape_closes_log_and_outages tab_in_the_log_leaves_the_file log_chosen_while_open_behind_gets_focus; do run_case "$name"; done
finish
