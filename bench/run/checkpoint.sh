# The checkpoint write: its median wall-clock time (Google Benchmark) and
# the flushes (fsync, fdatasync) one checkpoint makes, counted by strace as
# the difference between a run of 20 checkpoints and a run of none.
# Needs WORK, BIN; sets CHECKPOINT_MS and CHECKPOINT_FSYNCS.

fsyncs_of_run() {
  strace -f -c -o "$WORK/strace.txt" -e trace=fsync,fdatasync "$BIN/bench/checkpoint_writes" "$1" >/dev/null
  awk '$NF == "fsync" || $NF == "fdatasync" { n += $4 } END { print n + 0 }' "$WORK/strace.txt"
}

measure_checkpoint() {
  CHECKPOINT_MS=$("$BIN/bench/checkpoint_bench" --benchmark_repetitions=10 --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { printf "%.2f\n", $3 }')
  local none twenty
  none=$(fsyncs_of_run 0)
  twenty=$(fsyncs_of_run 20)
  CHECKPOINT_FSYNCS=$(awk -v a="$twenty" -v b="$none" 'BEGIN { printf "%g\n", (a - b) / 20 }')
}
