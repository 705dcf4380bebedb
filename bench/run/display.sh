# A virtual display (Xvfb) with a notification area (trayer), shared by all
# whole-program runs so that both programs get a tray to put their icon in.
# Needs WORK (a scratch folder) and the array BENCH_PIDS.

# The display server and the measured programs run ahead of other work on
# a shared machine (when allowed to), all alike, so that others' builds
# disturb the comparison less.
BOOST="nice -n -10"
[ "$(nice -n -10 nice 2>/dev/null)" = -10 ] || BOOST=""

wait_for() {
  for _ in $(seq 100); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

start_display() {
  $BOOST Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1024x768}x24" -dpi 96 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
  BENCH_PIDS+=($!)
  wait_for test -s "$WORK/display" || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$WORK/display")"
  $BOOST trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
  BENCH_PIDS+=($!)
  wait_for xdotool search --onlyvisible --class trayer || { echo "trayer did not start" >&2; exit 1; }
}
