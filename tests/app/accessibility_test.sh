#!/usr/bin/env bash
# The real program as a screen reader and a keyboard-only user meet it: on a
# virtual display with an accessibility bus (AT-SPI) of its own, read with
# pyatspi and driven by keys with xdotool. One display and one bus for all.
set -uo pipefail
[ -n "${A11Y_TEST_BUS:-}" ] || A11Y_TEST_BUS=1 exec dbus-run-session -- "$0" "$@"

BINARY=$(realpath "$1")
PROBE=$(dirname "$0")/a11y_probe.py
WORK=$(mktemp -d /tmp/tallyvane-a11y.XXXXXX)
BACKGROUND_PIDS=()
BUS_PIDS=()
# The launcher leaves its bus behind when it is killed: both end here.
trap 'kill -TERM "${BUS_PIDS[@]}" 2>/dev/null; stop_processes "${BACKGROUND_PIDS[@]}"; rm -rf "$WORK"' EXIT
# shellcheck source=/dev/null
source "$(dirname "$0")/case_runner.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

stamp() { date -d "@$(($(date +%s) - $1))" '+%Y-%m-%d %H:%M'; }
month_of() { LC_ALL=C date -d "@$(($(date +%s) - $1))" '+%b %Y'; }
DAY=86400
LAST_RUN=$(stamp 3600)

# After an abnormal end an hour ago, with two older outages in the log: the
# start records the third.
launch_after_three_outages() {
  local ago
  FOLDER=$WORK/$1
  mkdir -p "$FOLDER" && cp "$BINARY" "$FOLDER/tallyvane"
  printf '[main]\r\nTripStatus=1\r\nTripTS=%s\r\n' "$LAST_RUN" >"$FOLDER/CHKPT.INI"
  for ago in $((40 * DAY)) $((35 * DAY)); do
    printf '%s  ABNORMAL PROGRAM END\r\n%s  Program restart\r\n' "$(stamp "$ago")" "$(stamp $((ago - 600)))"
  done >"$FOLDER/triplog.txt"
  (cd "$FOLDER" && exec ./tallyvane >stdout.txt 2>&1) &
  PROGRAM=$!
  BACKGROUND_PIDS+=("$PROGRAM")
  wait_for probe frame Tallyvane || { fail "the main window did not reach the accessibility bus"; return 1; }
  MAIN=$(x_window_named "$PROGRAM" Tallyvane)
}
after_case() { stop_processes "$PROGRAM"; }

probe() { timeout 5 "$PROBE" "$PROGRAM" "$@"; }
# Field 1 role, 2 name, 3 description.
field() { probe "${@:2}" | cut -f"$1"; }
focused_is() { [ "$(field 1-2 focused)" = "$1" ]; }
# Chooses a menu command by its letter in the main window until a condition
# holds.
choose() { press_until "$MAIN" "alt+$1" "${@:2}" >/dev/null; }
shown() { local w; w=$(x_window_named "$PROGRAM" "$1") && is_mapped "$w"; }
hidden() { ! shown "$1"; }

main_window_announces_the_verdict() {
  launch_after_three_outages verdict || return
  xdotool windowfocus --sync "$MAIN"
  wait_for focused_is $'push button\tContinue' || fail "focus: $(field 1-2 focused)"
  local said
  said=$(field 3 frame Tallyvane)
  [[ $said == *"terminated ABNORMALLY soon after $LAST_RUN"*"New checkpoint = "* ]] || fail "the window says: $said"
}

outages_table_is_named_and_described() {
  launch_after_three_outages table || return
  choose o focused_is $'table cell\t'"$LAST_RUN" || fail "focus not on the newest outage: $(field 1-2 focused)"
  [ "$(field 1 table Outages)" = table ] || fail "no table table Outages"
  local summary
  summary=$(field 3 table Outages)
  [ -n "$summary" ] && probe label "$summary" >/dev/null || fail "the description is not the summary: $summary"
}

outages_chart_reads_its_months() {
  local -A expected=(["$(month_of $((40 * DAY)))"]=1)
  expected["$(month_of $((35 * DAY)))"]=$((${expected["$(month_of $((35 * DAY)))"]:-0} + 1))
  expected["$(month_of 3600)"]=$((${expected["$(month_of 3600)"]:-0} + 1))
  launch_after_three_outages chart || return
  choose o probe chart "Outages per month, the last twelve months" || { fail "no chart"; return; }
  local text entries=() entry
  text=$(field 3 chart "Outages per month, the last twelve months")
  IFS=, read -ra entries <<<"${text//, /,}"
  [ ${#entries[@]} = 12 ] || fail "${#entries[@]} months in: $text"
  for entry in "${entries[@]}"; do
    [ "${entry##*: }" = "${expected[${entry%: *}]:-0}" ] || fail "$entry in: $text"
  done
}

escape_closes_log_and_outages() {
  launch_after_three_outages escape || return
  local key title
  for key in l o; do
    title=$([ $key = l ] && echo "Tallyvane log" || echo "Tallyvane outages")
    choose $key shown "$title" || { fail "$title did not open"; continue; }
    press_until "$(x_window_named "$PROGRAM" "$title")" Escape hidden "$title" || fail "Escape left $title open"
  done
}

tab_in_the_log_leaves_the_file() {
  launch_after_three_outages tab || return
  local before
  before=$(md5sum <"$FOLDER/triplog.txt")
  choose l focused_is $'text\tTrip log' || fail "focus not in the log: $(field 1-2 focused)"
  xdotool key Tab Tab Escape
  wait_for hidden "Tallyvane log" || fail "the log did not close"
  [ "$(md5sum <"$FOLDER/triplog.txt")" = "$before" ] || fail "the file changed: $(od -c "$FOLDER/triplog.txt" | tail -3)"
}

log_chosen_while_open_behind_gets_focus() {
  launch_after_three_outages behind || return
  choose l focused_is $'text\tTrip log' || fail "the log did not take the focus"
  xdotool windowfocus --sync "$MAIN"
  wait_for focused_is $'push button\tContinue' || fail "the main window did not take the focus back"
  choose l focused_is $'text\tTrip log' || fail "focus after Log again: $(field 1-2 focused)"
}

start_display --no-tray || exit 1
/usr/libexec/at-spi-bus-launcher --launch-immediately &
BACKGROUND_PIDS+=($!)
wait_for grep -q . "/proc/$!/task/$!/children" && read -ra BUS_PIDS <"/proc/$!/task/$!/children"
for name in main_window_announces_the_verdict outages_table_is_named_and_described outages_chart_reads_its_months \
  escape_closes_log_and_outages tab_in_the_log_leaves_the_file log_chosen_while_open_behind_gets_focus; do
  run_case "$name"
done
finish
