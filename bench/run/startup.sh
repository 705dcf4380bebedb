# Start-up time (exec to the first mapped window) and memory one second
# after it (the proportional set size summed over the program and the
# processes it started), for the floor and for Tallyvane with an empty and
# with a 1 MB trip log, in alternating runs.
# Needs WORK, BIN (the build folder), RUNS; leaves NAME.map and NAME.pss.

# run_once NAME BINARY [LOGFILE]: one run, its figures appended to NAME's files.
run_once() {
  local name=$1 binary=$2 log=${3:-} folder output
  folder=$(new_program_folder "$binary" "$log")
  output=$(cd "$folder" && $BOOST "$BIN/bench/map_timer" --memory-after 1000 -- "./$(basename "$binary")")
  sed -n 's/^map_ms=\([0-9.]*\).*/\1/p' <<<"$output" >>"$WORK/$name.map"
  sed -n 's/^pss_kb=\([0-9]*\).*/\1/p' <<<"$output" >>"$WORK/$name.pss"
  rm -rf "$folder"
}

measure_startup() {
  local empty_log="$WORK/empty-triplog.txt" big_log="$WORK/big-triplog.txt"
  : >"$empty_log"
  make_big_log "$big_log"
  # One unmeasured run of each fills the font and page caches.
  run_once warmup "$BIN/bench/tallyvane_floor"
  run_once warmup "$BIN/tallyvane" "$empty_log"
  rm -f "$WORK"/{floor,tallyvane,biglog,tmpfs}.{map,pss}
  for i in $(seq "$RUNS"); do
    wait_for_quiet
    run_once floor "$BIN/bench/tallyvane_floor"
    run_once tallyvane "$BIN/tallyvane" "$empty_log"
    run_once biglog "$BIN/tallyvane" "$big_log"
    if [ -n "${RAM_FOLDER:-}" ]; then FOLDER_BASE=$RAM_FOLDER run_once tmpfs "$BIN/tallyvane" "$empty_log"; fi
    printf '\r  start-up runs: %d/%d' "$i" "$RUNS" >&2
  done
  echo >&2
  ((QUIET_MISSES == 0)) || echo "  $QUIET_MISSES of $RUNS rounds ran while other work kept the processors busy" >&2
}
