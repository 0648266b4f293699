#!/usr/bin/env bash
# Runs every build tree's ctest, all of them even when one fails; non-zero if any failed.
# A tree written <tree>:<label> runs only its tests of that label.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
status=0
for arg in "$@"; do
  tree=${arg%%:*}
  label=${arg#"$tree"}
  label=${label#:}
  echo "=== tests in $tree${label:+ (label $label)}"
  prefix=$(realpath "$tree")/wineprefix
  WINEPREFIX=$prefix ctest --test-dir "$tree" --output-on-failure --no-tests=error ${label:+-L "^$label\$"} || status=1
  # Leave no Wine server running behind the tests.
  for p in "$prefix" "$prefix-144"; do [ -d "$p" ] && WINEPREFIX=$p /usr/lib/wine/wineserver -k 2>/dev/null; done
done
exit $status
