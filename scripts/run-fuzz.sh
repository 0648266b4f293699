#!/usr/bin/env bash
# Runs the file-reader fuzz target for the given number of seconds, starting from the seeds in
# tests/fuzz/corpus; non-zero on any crash, leak or sanitizer report.
set -euo pipefail
tree=$1
seconds=$2
here=$(cd "$(dirname "$0")/.." && pwd)
work=$tree/corpus
mkdir -p "$work"
echo "=== fuzzing the file readers (ini, Delay.ini, history) for ${seconds}s"
"$tree/ini_fuzz" -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$tree/" "$work" "$here/tests/fuzz/corpus" 2>"$tree/fuzz.log" || {
  tail -40 "$tree/fuzz.log"
  echo "fuzz: FAILED (log in $tree/fuzz.log)"
  exit 1
}
grep -E "^stat::number_of_executed_runs|^#[0-9]+.*DONE" "$tree/fuzz.log" | tail -2
