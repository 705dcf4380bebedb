# Waiting for a quiet moment on a shared machine: a start-up measured while
# other jobs keep every processor busy says more about the scheduler than
# about the program, and hurts the program with more wake-ups the most.

# The share of processor time left idle over the next 0.3 s, in percent.
idle_percent() {
  local a b
  a=$(awk '/^cpu / { print $5 + $6, $2 + $3 + $4 + $5 + $6 + $7 + $8 + $9 }' /proc/stat)
  sleep 0.3
  b=$(awk '/^cpu / { print $5 + $6, $2 + $3 + $4 + $5 + $6 + $7 + $8 + $9 }' /proc/stat)
  awk -v a="$a" -v b="$b" 'BEGIN { split(a, x, " "); split(b, y, " ");
    total = y[2] - x[2]; print (total > 0) ? int(100 * (y[1] - x[1]) / total) : 100 }'
}

# Waits until at least a third of the processors' time is idle, for at most
# QUIET_WAIT seconds (30 unless set); counts the rounds that waited in vain.
QUIET_MISSES=0
wait_for_quiet() {
  local deadline=$((SECONDS + ${QUIET_WAIT:-30}))
  while ((SECONDS < deadline)); do
    (($(idle_percent) >= 33)) && return 0
    sleep 1
  done
  QUIET_MISSES=$((QUIET_MISSES + 1))
}
