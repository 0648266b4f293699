#!/usr/bin/env bash
# Runs every build tree's ctest, all of them even when one fails; non-zero if any failed.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
status=0
for tree in "$@"; do
  echo "=== tests in $tree"
  prefix=$(realpath "$tree")/wineprefix
  WINEPREFIX=$prefix ctest --test-dir "$tree" --output-on-failure || status=1
  # Leave no Wine server running behind the tests.
  [ -d "$prefix" ] && WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null
done
exit $status
