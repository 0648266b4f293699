#!/usr/bin/env bash
# ctest's emulator for the Windows tree: runs one test program under Wine and fails when it
# crashes, hangs, or ends without writing the GoogleTest report it was asked for.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
export WINEPREFIX=${WINEPREFIX:-$here/../build/win/wineprefix}
prefix_is_current "$WINEPREFIX" || "$here/wine-env.sh" "$WINEPREFIX" >/dev/null

report=""
args=()
for a in "$@"; do
  case "$a" in
    --gtest_output=xml:*)
      report=${a#--gtest_output=xml:}
      mkdir -p "$(dirname "$report")"; rm -f "$report"
      # The program sees the report path as a Windows path on drive Z.
      winpath="Z:$(realpath -m "$report" | tr / '\\')"
      args+=("--gtest_output=xml:$winpath") ;;
    *) args+=("$a") ;;
  esac
done

timeout -k 10 "${TIDEWELL_TEST_TIMEOUT:-900}" "$WINE64" "${args[@]}"
rc=$?
if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
  echo "wine-exec: $1 timed out" >&2
  "$(dirname "$WINE64")/wineserver" -k 2>/dev/null
  exit 124
fi
[ $rc -eq 0 ] || { echo "wine-exec: $1 exited with $rc" >&2; exit $rc; }
if [ -n "$report" ] && [ ! -s "$report" ]; then
  echo "wine-exec: $1 wrote no test report (crashed before the end?)" >&2
  exit 3
fi
exit 0
