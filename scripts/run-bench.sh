#!/usr/bin/env bash
# Runs every benchmark of a Windows build tree under Wine and prints what each measured: the
# programs in BUILD_TREE/bench, then the scripts in bench/ (given the tree). Needs a display for
# the ones that open windows (make bench provides Xvfb).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tree=${1:?usage: run-bench.sh BUILD_TREE}
source "$here/wine-env.sh"
export WINEPREFIX=$(realpath "$tree")/wineprefix
shopt -s nullglob
benches=("$tree"/bench/*.exe)
[ ${#benches[@]} -gt 0 ] || { echo "run-bench: no benchmark programs in $tree/bench" >&2; exit 1; }
status=0
for exe in "${benches[@]}"; do
  echo "=== $(basename "$exe" .exe)"
  "$here/wine-exec.sh" "$exe" || status=1
done
"$(dirname "$WINE64")/wineserver" -k 2>/dev/null
for script in "$here"/../bench/*.sh; do
  echo "=== $(basename "$script" .sh)"
  "$script" "$tree" || status=1
done
exit $status
