#!/usr/bin/env bash
# Runs copies of the real program on Wayland: each case gets a headless sway
# in a D-Bus session of its own, with or without a bar whose tray hosts
# StatusNotifierItems, and drives the program with wtype and D-Bus calls as a
# user and a tray would.
# No -e: a failed check is counted and the run goes on to the next case.
set -uo pipefail

BINARY=$(realpath "$1")
WORK=$(mktemp -d /tmp/tallyvane-wayland.XXXXXX)
RUN_USER=tallyvane-wl

# sway refuses to run as root, so root hands the compositor, the bar and the
# program to an unprivileged user of their own.
AS_USER=()
if [ "$(id -u)" = 0 ]; then
  id -u "$RUN_USER" >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin "$RUN_USER" 2>/dev/null ||
    id -u "$RUN_USER" >/dev/null || { echo "cannot create the user $RUN_USER"; exit 1; }
  AS_USER=(setpriv --reuid="$RUN_USER" --regid="$(id -g "$RUN_USER")" --clear-groups)
  chmod 755 "$WORK"
fi
give() { ((${#AS_USER[@]})) && chown -R "$RUN_USER:" "$@"; return 0; }

# shellcheck source=/dev/null
source "$(dirname "$0")/case_runner.sh"


# Stops the current session's processes by their ids. The bar and the bus
# daemon are not this shell's children, so each is checked to be still what
# it was before it is killed.
stop_session() {
  local bar
  stop_processes "${PROGRAM:-}" "${KEYBOARD:-}"
  bar=$(cat "${SESSION:-/nonexistent}/bar.pid" 2>/dev/null)
  [ -n "$bar" ] && [ "$(cat "/proc/$bar/comm" 2>/dev/null)" = swaybar ] && kill -KILL "$bar"
  # dbus-run-session ends its bus daemon once the compositor has ended.
  if [ -n "${BUS_SESSION:-}" ]; then
    [ -n "${COMPOSITOR:-}" ] && kill -TERM "$COMPOSITOR" 2>/dev/null
    wait_for process_ended "$BUS_SESSION" || stop_processes "${COMPOSITOR:-}" "${BUS_DAEMON:-}"
    stop_processes "$BUS_SESSION"
  fi
  PROGRAM= KEYBOARD= COMPOSITOR= BUS_DAEMON= BUS_SESSION= SESSION=
}

cleanup() {
  stop_session
  rm -rf "$WORK"
}
trap cleanup EXIT
trap "exit 1" INT TERM HUP

# A command in the current session, as the session's user, with nothing of
# the caller's desktop in its environment.
in_session() { "${AS_USER[@]}" env -i "${SESSION_ENV[@]}" "$@"; }

first_socket() { local f; for f in "$@"; do [ -S "$f" ] && { echo "$f"; return 0; }; done; return 1; }
wayland_socket() { first_socket "$SESSION"/run/wayland-? "$SESSION"/run/wayland-??; }
sway_socket() { first_socket "$SESSION"/run/sway-ipc.*.sock; }

# Starts sway headless in a new D-Bus session; with "bar", a swaybar whose
# tray acts as the StatusNotifierWatcher and host; with "late-bar", that bar
# starts only once $SESSION/bar.go exists, as a bar can at log-in.
start_session() {
  local child
  SESSION="$WORK/$1"
  SESSION_ENV=(PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 HOME="$SESSION/home" XDG_RUNTIME_DIR="$SESSION/run")
  mkdir -p "$SESSION/run" "$SESSION/home"
  chmod 700 "$SESSION/run"
  echo "xwayland disable" >"$SESSION/home/sway.conf"
  if [ "$2" != none ]; then
    # The bar leaves the compositor's process tree; its id is kept to end it.
    {
      echo '#!/bin/sh'
      [ "$2" = late-bar ] && echo "while [ ! -e '$SESSION/bar.go' ]; do sleep 0.1; done"
      echo "echo \$\$ >'$SESSION/bar.pid'"
      echo 'exec swaybar "$@"'
    } >"$SESSION/home/bar.sh"
    chmod 755 "$SESSION/home/bar.sh"
    printf 'bar {\n  swaybar_command %s\n  tray_output *\n}\n' "$SESSION/home/bar.sh" >>"$SESSION/home/sway.conf"
  fi
  give "$SESSION"
  (cd "$SESSION/home" && exec "${AS_USER[@]}" env -i "${SESSION_ENV[@]}" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    dbus-run-session -- sh -c 'echo "$DBUS_SESSION_BUS_ADDRESS" >"$1.tmp" && mv "$1.tmp" "$1"; exec sway -c "$2"' \
    sh "$SESSION/home/bus" "$SESSION/home/sway.conf" >"$SESSION/sway.txt" 2>&1) &
  BUS_SESSION=$!
  wait_for test -s "$SESSION/home/bus" && wait_for wayland_socket && wait_for sway_socket ||
    { session_failed "sway did not start"; return 1; }
  SESSION_ENV+=(DBUS_SESSION_BUS_ADDRESS="$(cat "$SESSION/home/bus")"
    WAYLAND_DISPLAY="$(basename "$(wayland_socket)")" SWAYSOCK="$(sway_socket)")
  for child in $(ps -o pid= --ppid "$BUS_SESSION"); do
    if [ "$(cat "/proc/$child/comm" 2>/dev/null)" = sway ]; then COMPOSITOR=$child; else BUS_DAEMON=$child; fi
  done
  wait_for in_session swaymsg -t get_version || { session_failed "sway does not answer"; return 1; }
  # A seat without a keyboard gets one only when a key is typed, and the
  # program binds it too late for that first key: a keyboard that stays
  # avoids the race.
  "${AS_USER[@]}" env -i "${SESSION_ENV[@]}" wtype -s 600000 >"$SESSION/keyboard.txt" 2>&1 &
  KEYBOARD=$!
  wait_for has_keyboard || { session_failed "the virtual keyboard did not appear"; return 1; }
}

session_failed() {
  fail "$1"
  echo "  sway's output:"
  tail -n 30 "$SESSION/sway.txt" | sed 's/^/    /'
}

has_keyboard() { in_session swaymsg -t get_inputs | grep -q '"type": "keyboard"'; }

# A sanitizer build reads its options from the environment, which env -i
# clears; a suppressions file is copied where the session's user can read it.
SANITIZER_ENV=()
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  value=${!name:-}
  [ -n "$value" ] || continue
  if [[ $value =~ suppressions=([^:]*) ]] && [ -f "${BASH_REMATCH[1]}" ]; then
    install -m 644 "${BASH_REMATCH[1]}" "$WORK/$name.supp"
    value=${value/"suppressions=${BASH_REMATCH[1]}"/"suppressions=$WORK/$name.supp"}
  fi
  SANITIZER_ENV+=("$name=$value")
done

# A program folder of the session's user (or the one given) with a copy of
# the program. The protocol log shows what the program asks of the compositor.
launch() {
  local folder="${1:-$SESSION/app}"
  mkdir -p "$folder"
  cp "$BINARY" "$folder/tallyvane"
  give "$folder"
  FOLDER=$folder
  (cd "$folder" && exec "${AS_USER[@]}" env -i "${SESSION_ENV[@]}" "${SANITIZER_ENV[@]}" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
    ./tallyvane >"$folder/stdout.txt" 2>&1) &
  PROGRAM=$!
}

# The program's window titled exactly "Tallyvane" is in sway's tree: mapped.
main_window_shown() { in_session swaymsg "[pid=$PROGRAM title=\"^Tallyvane\$\"] nop" >/dev/null; }
# sway answered, and no such window is in its tree: unmapped.
main_window_hidden() {
  local answer
  answer=$(in_session swaymsg "[pid=$PROGRAM title=\"^Tallyvane\$\"] nop")
  [[ $answer == *"No matching node"* ]]
}
asked_to_minimize() { grep -q 'xdg_toplevel@[0-9]*\.set_minimized()' "$FOLDER/stdout.txt"; }

bus_call() {
  local dest=$1 path=$2 method=$3
  shift 3
  in_session dbus-send --session --print-reply=literal --dest="$dest" "$path" "$method" "$@"
}
watcher_property() {
  bus_call org.kde.StatusNotifierWatcher /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierWatcher "string:$1"
}
tray_host_ready() { watcher_property IsStatusNotifierHostRegistered | grep -q true; }
has_name_owner() {
  bus_call org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q true
}

# Finds the program's own item among the registered ones (each is a bus name,
# with or without an object path) by the process behind its bus name.
find_item() {
  local item service pid
  for item in $(watcher_property RegisteredStatusNotifierItems); do
    case $item in variant | array | '[' | ']') continue ;; esac
    service=${item%%/*}
    pid=$(bus_call org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
      "string:$service" | awk '{print $2}')
    if [ "$pid" = "$PROGRAM" ]; then
      ITEM_SERVICE=$service
      ITEM_PATH=/StatusNotifierItem
      [ "$item" != "$service" ] && ITEM_PATH=/${item#*/}
      return 0
    fi
  done
  return 1
}

# Types a key until a condition holds, up to ten tries: a window can be in
# the tree before it takes its first key on a loaded machine.
type_until() {
  local key=$1 i
  shift
  for i in $(seq 10); do
    in_session wtype -k "$key" 2>/dev/null
    for _ in $(seq 10); do
      "$@" >/dev/null 2>&1 && return 0
      sleep 0.1
    done
  done
  return 1
}

wait_for_exit() {
  wait_for_exit_of "$PROGRAM"
  PROGRAM=
}

status_in() { checkpoint_value "$1" TripStatus; }

sigterm_ends_normally() {
  kill -TERM "$PROGRAM"
  wait_for_exit
  [ "$EXIT_CODE" = 0 ] || fail "exit code after SIGTERM: $EXIT_CODE"
  [ "$(status_in "$FOLDER")" = 0 ] || fail "status after SIGTERM: $(status_in "$FOLDER")"
}

tray_continue_hides_and_activate_shows() {
  start_session tray bar || return
  wait_for tray_host_ready || { fail "swaybar registered no StatusNotifierWatcher with a host"; return; }
  launch
  wait_for main_window_shown || { fail "the main window did not show"; return; }
  wait_for find_item || fail "no StatusNotifierItem of the program is registered: $(watcher_property RegisteredStatusNotifierItems | tr -s " \n" " ")"
  type_until Return main_window_hidden || fail "Continue did not hide the window"
  kill -0 "$PROGRAM" 2>/dev/null || { fail "the program ended"; return; }
  if [ -n "${ITEM_SERVICE:-}" ]; then
    bus_call "$ITEM_SERVICE" "$ITEM_PATH" org.kde.StatusNotifierItem.Activate int32:0 int32:0 >/dev/null ||
      fail "Activate failed"
    wait_for main_window_shown || fail "Activate did not show the window"
  fi
  sigterm_ends_normally
}

no_tray_continue_minimizes() {
  start_session notray none || return
  has_name_owner org.kde.StatusNotifierWatcher && { fail "a StatusNotifierWatcher is on the bus"; return; }
  launch
  wait_for main_window_shown || { fail "the main window did not show"; return; }
  # sway does not minimize windows: the request is what shows, and the
  # window stays.
  type_until Return asked_to_minimize || fail "Continue did not ask to minimize the window"
  main_window_shown || fail "the window is no longer there"
  kill -0 "$PROGRAM" 2>/dev/null || { fail "the program ended"; return; }
  sigterm_ends_normally
}

# A bar that starts after the program (both autostarted at log-in) still
# gets the icon, and Continue hides the window.
tray_host_after_start() {
  start_session late-host late-bar || return
  launch
  wait_for main_window_shown || { fail "the main window did not show"; return; }
  touch "$SESSION/bar.go"
  wait_for tray_host_ready || { fail "swaybar registered no StatusNotifierWatcher with a host"; return; }
  wait_for find_item || fail "no StatusNotifierItem of the program is registered: $(watcher_property RegisteredStatusNotifierItems | tr -s " \n" " ")"
  type_until Return main_window_hidden || fail "Continue did not hide the window"
  sigterm_ends_normally
}

# The compositor ends under the running program, as every Wayland desktop
# ends a session: a normal end, and the next start says so. With a note, it
# is typed into the Log window first, and the end saves it.
compositor_ends_under_the_program() {
  local bar=$1 name=$2 note=${3:-} watcher folder
  start_session "$name" "$bar" || return
  [ "$bar" = none ] || wait_for tray_host_ready || { fail "swaybar registered no StatusNotifierWatcher with a host"; return; }
  launch
  folder=$FOLDER
  wait_for main_window_shown || { fail "the main window did not show"; return; }
  wait_for pgrep -P "$PROGRAM" >/dev/null || fail "no watcher process"
  watcher=$(pgrep -P "$PROGRAM")
  if [ -n "$note" ]; then
    in_session wtype -M alt -k l -m alt
    wait_for log_window_shown || { fail "Alt+L showed no Log window"; return; }
    in_session wtype -d 20 "$note"
    wait_for kept_for_the_watcher "$note" || fail "the note was not kept"
  fi
  in_session swaymsg exit >/dev/null 2>&1
  wait_for_exit
  [ "$EXIT_CODE" != timeout ] || fail "the program outlived its compositor"
  wait_for process_ended "$watcher" || fail "the watcher stays"
  [ "$(status_in "$folder")" = 0 ] || fail "status after the compositor ended: $(status_in "$folder")"
  [ -z "$note" ] || [ "$(tail -c ${#note} "$folder/triplog.txt")" = "$note" ] ||
    fail "the note was not saved: $(tail -c 40 "$folder/triplog.txt")"
  stop_session
  start_session "$name-next" none || return
  launch "$folder"
  wait_for main_window_shown || { fail "the next start did not show its window"; return; }
  grep -q "  Normal program shutdown"$'\r'"$" "$folder/triplog.txt" ||
    fail "no normal end at the next start: $(tr -d '\r' <"$folder/triplog.txt")"
}
compositor_ends_with_a_bar() { compositor_ends_under_the_program bar end-bar; }
compositor_ends_without_a_bar() { compositor_ends_under_the_program none end-nobar "typed before the end"; }
log_window_shown() { in_session swaymsg "[pid=$PROGRAM title=\"^Tallyvane log\$\"] nop" >/dev/null; }

before_case() {
  ITEM_SERVICE=
  FOLDER=
}
after_failed_case() {
  if [ -n "$FOLDER" ]; then
    echo "  the program's output, protocol log left out:"
    grep -v '^\[ *[0-9.]*\] ' "$FOLDER/stdout.txt" | tail -n 30 | sed 's/^/    /'
  fi
}
after_case() { stop_session; }

# Every case by default; the names given after the binary run alone.
CASES=(tray_continue_hides_and_activate_shows no_tray_continue_minimizes tray_host_after_start
  compositor_ends_with_a_bar compositor_ends_without_a_bar)
(($# > 1)) && CASES=("${@:2}")

for name in "${CASES[@]}"; do run_case "$name"; done
finish
