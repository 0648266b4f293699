#!/usr/bin/env bash
# Prints tests/ against src/ in non-blank, non-comment C++ lines; fails above the ceiling (0.40).
set -uo pipefail
cd "$(dirname "$0")/.."
count() { git ls-files -- "$@" | grep -E '\.(cpp|h|hpp|cc)$' | xargs -r cat | grep -cvE '^\s*(//.*)?$'; }
code=$(count src); tests=$(count tests)
awk -v t="$tests" -v c="$code" 'BEGIN{r=t/c; printf "tests %d / src %d = %.4f\n", t, c, r; exit !(r <= 0.40)}'
