#!/usr/bin/env bash
# Tidewell's cost in real time: started hidden (-PowerOn) and shown, beside the floor program (one
# timer reading what the load meter reads), all three at once. Processor time is the Linux
# processes' utime + stime: GetProcessTimes from outside undercounts a Wine process.
# Usage: resident_realtime.sh BUILD_TREE   (TIDEWELL_BENCH_SECONDS, default 120)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tree=$(realpath "${1:?usage: resident_realtime.sh BUILD_TREE}")
seconds=${TIDEWELL_BENCH_SECONDS:-120}
settle=${TIDEWELL_BENCH_SETTLE:-20} # start-up (splash, clock measure, tray) is not counted
source "$here/../scripts/wine-env.sh"
wineserver=$(dirname "$WINE64")/wineserver

# One Tidewell per prefix: a second start in the same prefix only shows the first.
hiddenPrefix=$tree/wineprefix
shownPrefix=$tree/wineprefix-shown
[ -d "$hiddenPrefix/drive_c" ] || "$here/../scripts/wine-env.sh" "$hiddenPrefix" >/dev/null || exit 1
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

# utime + stime in clock ticks; the name field may hold blanks, so count from its closing bracket.
cpu() { sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk '{print $12 + $13}'; }
# The same to the nanosecond, from the scheduler, summed over the threads alive at the time: at
# 100 Hz the floor's two minutes are only a handful of ticks.
cpuns() { cat /proc/$1/task/*/schedstat 2>/dev/null | awk '{n += $1} END {printf "%.0f", n}'; }

start "$hiddenPrefix" "$tree/bench/floor/resident_floor.exe"
start "$hiddenPrefix" "$tree/Tidewell.exe" -PowerOn
start "$shownPrefix" "$tree/Tidewell.exe"
names=(floor hidden shown)
sleep "$settle"
before=() beforeNs=()
for i in 0 1 2; do
  beforeNs[$i]=$(cpuns "${pids[$i]}")
  before[$i]=$(cpu "${pids[$i]}")
  [ -n "${before[$i]}" ] || { echo "resident_realtime: the ${names[$i]} program is not running" >&2; exit 1; }
done
sleep "$seconds"
used=() usedNs=()
for i in 0 1 2; do
  after=$(cpu "${pids[$i]}")
  [ -n "$after" ] || { echo "resident_realtime: the ${names[$i]} program ended early" >&2; exit 1; }
  used[$i]=$((after - before[$i]))
  usedNs[$i]=$(( $(cpuns "${pids[$i]}") - beforeNs[$i] ))
done

hz=$(getconf CLK_TCK)
for i in 0 1 2; do
  awk -v n="${names[$i]}" -v t="${used[$i]}" -v hz="$hz" -v s="$seconds" \
    -v ns="${usedNs[$i]}" \
    'BEGIN { printf "%-6s %5d ticks of %d Hz in %d s: %.3f %% of a core; scheduler: %.3f ms per 500 ms tick\n",
             n, t, hz, s, 100 * t / hz / s, ns / 1e6 / (2 * s) }'
done
if [ "${used[0]}" -le 0 ]; then
  echo "resident_realtime: the floor used no measurable time; run longer" >&2
  exit 1
fi
awk -v h="${used[1]}" -v s="${used[2]}" -v f="${used[0]}" \
    -v hn="${usedNs[1]}" -v sn="${usedNs[2]}" -v fn="${usedNs[0]}" 'BEGIN {
  printf "resident cpu hidden / floor = %.2f\n", h / f
  printf "resident cpu shown / floor = %.2f\n", s / f
  printf "(scheduler: hidden / floor %.2f, shown / floor %.2f)\n", hn / fn, sn / fn }'
