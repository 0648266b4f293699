#!/usr/bin/env bash
# Tidewell's cost in real time: started hidden (-PowerOn) and shown, beside the floor program (one
# timer reading what the load meter reads), all three at once, measured over three runs in a row.
# The figure is each process's processor time as the scheduler counts it, to the nanosecond, for
# all its threads, ended ones included (the process's CPU clock): the utime + stime of
# /proc/<pid>/stat come in 10 ms ticks, of which the floor uses only a handful a minute, and
# GetProcessTimes from outside undercounts a Wine process.
# Usage: resident_realtime.sh BUILD_TREE
#   (TIDEWELL_BENCH_SECONDS per run, default 60; TIDEWELL_BENCH_RUNS, default 3)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tree=$(realpath "${1:?usage: resident_realtime.sh BUILD_TREE}")
seconds=${TIDEWELL_BENCH_SECONDS:-60}
runs=${TIDEWELL_BENCH_RUNS:-3}
settle=${TIDEWELL_BENCH_SETTLE:-20} # start-up (splash, clock measure, tray) is not counted
source "$here/../scripts/wine-env.sh"
wineserver=$(dirname "$WINE64")/wineserver

# One Tidewell per prefix: a second start in the same prefix only shows the first.
hiddenPrefix=$tree/wineprefix
shownPrefix=$tree/wineprefix-shown
prefix_is_current "$hiddenPrefix" || "$here/../scripts/wine-env.sh" "$hiddenPrefix" >/dev/null || exit 1
"$here/../scripts/wine-env.sh" "$shownPrefix" >/dev/null || exit 1

pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for p in "$hiddenPrefix" "$shownPrefix"; do WINEPREFIX=$p "$wineserver" -k 2>/dev/null; done
}
trap stop EXIT

start() { # PREFIX PROGRAM [ARGUMENT]: the Wine process runs under the pid bash reports
  WINEPREFIX=$1 "$WINE64" "${@:2}" >/dev/null 2>&1 &
  pids+=($!)
}

# Nanoseconds of processor time of each process named, one a line (empty for one that has ended).
clock=$tree/bench/process_cpu_ns
[ "$clock" -nt "$here/host/process_cpu_ns.c" ] || cc -O2 -o "$clock" "$here/host/process_cpu_ns.c" || exit 1
cpu_ns() { "$clock" "$@"; }

start "$hiddenPrefix" "$tree/bench/floor/resident_floor.exe"
start "$hiddenPrefix" "$tree/Tidewell.exe" -PowerOn
start "$shownPrefix" "$tree/Tidewell.exe"
names=(floor hidden shown)
sleep "$settle"

read_all() { # into the array named $1
  local -n into=$1
  mapfile -t into < <(cpu_ns "${pids[@]}")
  for i in 0 1 2; do
    [ -n "${into[$i]:-}" ] || { echo "resident_realtime: the ${names[$i]} program is not running" >&2; exit 1; }
  done
}

echo "$runs runs of $seconds s after $settle s; processor time per 500 ms tick"
hiddenRatios=() shownRatios=()
read_all before
for run in $(seq 1 "$runs"); do
  sleep "$seconds"
  read_all after
  used=()
  for i in 0 1 2; do used[$i]=$((after[i] - before[i])); done
  [ "${used[0]}" -gt 0 ] || { echo "resident_realtime: the floor used no processor time" >&2; exit 1; }
  ratios=$(awk -v f="${used[0]}" -v h="${used[1]}" -v s="${used[2]}" 'BEGIN { printf "%.2f %.2f", h / f, s / f }')
  hiddenRatios+=("${ratios% *}") shownRatios+=("${ratios#* }")
  awk -v f="${used[0]}" -v h="${used[1]}" -v s="${used[2]}" -v t="$((2 * seconds))" -v r="$run" -v q="$ratios" 'BEGIN {
    split(q, ratio, " ")
    printf "run %d: floor %.3f ms, hidden %.3f ms, shown %.3f ms; hidden / floor %s, shown / floor %s\n",
           r, f / 1e6 / t, h / 1e6 / t, s / 1e6 / t, ratio[1], ratio[2] }'
  before=("${after[@]}")
done

# The headline: the median of the runs, and their spread.
summary() { # NAME RATIO...
  printf '%s\n' "${@:2}" | sort -g | awk -v n="$1" '{ v[NR] = $1 } END {
    printf "resident cpu %s / floor = %.2f (runs %.2f to %.2f)\n", n, v[int((NR + 1) / 2)], v[1], v[NR] }'
}
summary hidden "${hiddenRatios[@]}"
summary shown "${shownRatios[@]}"
