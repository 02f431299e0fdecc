#!/bin/sh
# Runs the fuzz target for a fixed time and says what it did.
#   run_fuzzer.sh FUZZER SECONDS WORK_DIR
# New inputs go to WORK_DIR/corpus (kept between runs), the committed seeds
# are read from fuzz/corpus, a failing input lands in WORK_DIR/artifacts and
# the whole output in WORK_DIR/fuzz.log. Exits non-zero on any crash,
# sanitizer report, leak, hang (an input running over 10 s) or broken check.
set -eu

fuzzer=$1
seconds=$2
work=$3
seeds=$(dirname "$0")/corpus
log=$work/fuzz.log

mkdir -p "$work/corpus" "$work/artifacts"
echo "fuzz: running $fuzzer for $seconds s (log: $log)"
status=0
UBSAN_OPTIONS=print_stacktrace=1 "$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds" >"$log" 2>&1 || status=$?

# libFuzzer's last status line: executions, edges covered (cov), features (ft).
summary=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "fuzz: FAILED (exit status $status); the input is in $work/artifacts/"
    exit 1
fi
echo "fuzz: $summary"
grep -E '^(Done [0-9]+ runs|stat::number_of_executed_units|stat::average_exec_per_sec)' "$log" | sed 's/^/fuzz: /'
