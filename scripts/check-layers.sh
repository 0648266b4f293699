#!/usr/bin/env bash
# Fails when an #include in src/ points from a lower layer to a higher one. Layers, lowest first:
# win32 (and the resource ids) < common < controls, memory, monitors < tools < app, console.
set -uo pipefail
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}

level() {
  case "$1" in
    win32|resources) echo 0 ;;
    common) echo 1 ;;
    controls|memory|monitors) echo 2 ;;
    tools) echo 3 ;;
    app|console) echo 4 ;;
    *) echo "" ;;
  esac
}

status=0
while IFS= read -r line; do
  file=${line%%:*}
  rest=${line#*:}
  target=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$rest")
  from=${file#"$src"/}
  from=${from%%/*}
  [ "$target" = "$rest" ] && continue # not a path into src/
  lf=$(level "$from"); lt=$(level "$target")
  if [ -z "$lf" ] || [ -z "$lt" ]; then
    echo "check-layers: ${file#"$src"/}: folder without a layer (${from} or ${target})" >&2
    status=1
  elif [ "$lt" -gt "$lf" ]; then
    echo "check-layers: ${file#"$src"/}:${rest%%:*}: $from includes $target, a higher layer" >&2
    status=1
  fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$src")
[ $status -eq 0 ] && echo "check-layers: every include points down or across"
exit $status
