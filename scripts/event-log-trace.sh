#!/usr/bin/env bash
# Wine keeps no event log: its ReportEventW only traces the call. Runs the event log's test with
# that trace on and checks what the call carried: the source Tidewell, the clean's id and type, the
# record's columns as the strings in their order, and no event while the policy turns the log off;
# and that no sentence of the message table takes a string past the last one a call carries.
# Usage: event-log-trace.sh <windows build tree>
set -euo pipefail
tree=$(realpath "${1:-build/win}")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
export WINEPREFIX=${WINEPREFIX:-$tree/wineprefix}
prefix_is_current "$WINEPREFIX" || "$here/wine-env.sh" "$WINEPREFIX" >/dev/null
fail() { echo "event-log-trace: $*" >&2; exit 1; }

trace=$(WINEDEBUG=+eventlog,fixme+advapi timeout -k 10 300 "$WINE64" "$tree/win_tests.exe" \
  --gtest_filter='EventLog.*' 2>&1 | tr -d '\r') || fail "the test program failed"
grep -q '^\[  PASSED  \] 1 test' <<<"$trace" || fail "the test did not pass"
grep -q 'RegisterEventSourceW ((null),L"Tidewell")' <<<"$trace" || fail "no event source Tidewell"
[ "$(grep -c 'fixme:advapi:ReportEventW' <<<"$trace")" = 1 ] || fail "not one event: the policy did not turn the log off"
grep -q 'ReportEventW ([0-9A-F]*,0x0004,0x0000,0x00000064,[0-9A-F]*,0x001[aA],' <<<"$trace" ||
  fail "not an information event 100 with 26 strings"
line=$(sed -n 's/^written: //p' <<<"$trace")
strings=$(sed -n 's/^[0-9a-f]*:trace:eventlog:ReportEventW L"\(.*\)"$/\1/p' <<<"$trace" | paste -sd,)
[ -n "$line" ] && [ "$strings,end" = "$line" ] || fail "the strings were \"$strings\", the record \"$line\""
carried=$(awk -F, '{ print NF }' <<<"$strings")
most=$(sed 's/%%//g' "$here/../src/resources/tidewell_events.mc" | grep -v '^;' | grep -o '%[0-9][0-9]*' | tr -d % | sort -n | tail -n 1)
[ "$most" -le "$carried" ] || fail "a sentence takes %$most, the events carry $carried strings"
echo "event-log-trace: passed"
