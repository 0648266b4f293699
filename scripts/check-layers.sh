#!/usr/bin/env bash
# Fails when an #include in src/ points from a lower layer to a higher one, or across between two
# folders of one layer. Layers, lowest first:
#   win32, resources < common < controls, memory, monitors < remote, history, tools/* < app, console
# Within a layer every folder stands alone (each tool under tools/ counts as a folder of its own):
# what two of them share belongs a layer below. Inside app/ the rooms are layered the same way:
#   texts < settings, tray, dialogs < cleaning < main_window < the files of app/ itself
# so the window uses the tray and the cleaning rooms, and they never reach back to it.
set -uo pipefail
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}

level() {
  case "$1" in
    win32|resources) echo 0 ;;
    common) echo 1 ;;
    controls|memory|monitors) echo 2 ;;
    remote|history|tools/*) echo 3 ;;
    app|console) echo 4 ;;
    *) echo "" ;;
  esac
}

# The folder a path in src/ belongs to: its first part, or its first two under tools/.
folder() {
  case "$1" in
    tools/*/*) local rest=${1#tools/}; echo "tools/${rest%%/*}" ;;
    *) echo "${1%%/*}" ;;
  esac
}

# A room of app/: its second part, or "app" for a file of app/ itself.
room() {
  case "$1" in
    app/*/*) local rest=${1#app/}; echo "${rest%%/*}" ;;
    *) echo app ;;
  esac
}

room_level() {
  case "$1" in
    texts) echo 0 ;;
    settings|tray|dialogs) echo 1 ;;
    cleaning) echo 2 ;;
    main_window) echo 3 ;;
    app) echo 4 ;;
    *) echo "" ;;
  esac
}

status=0
while IFS= read -r line; do
  file=${line%%:*}
  rest=${line#*:}
  path=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$rest")
  [ "$path" = "$rest" ] && continue # not a path into src/
  from=$(folder "${file#"$src"/}")
  target=$(folder "$path")
  where="${file#"$src"/}:${rest%%:*}"
  if [ "$from" = app ] && [ "$target" = app ]; then
    rf=$(room "${file#"$src"/}"); rt=$(room "$path")
    [ "$rf" = "$rt" ] && continue
    lf=$(room_level "$rf"); lt=$(room_level "$rt")
    if [ -z "$lf" ] || [ -z "$lt" ]; then
      echo "check-layers: $where: room of app/ without a level (${rf} or ${rt})" >&2
      status=1
    elif [ "$lt" -ge "$lf" ]; then
      echo "check-layers: $where: app/$rf includes app/$rt, $([ "$lt" -gt "$lf" ] && echo "a higher room" || echo "a room beside it")" >&2
      status=1
    fi
    continue
  fi
  [ "$from" = "$target" ] && continue
  lf=$(level "$from"); lt=$(level "$target")
  if [ -z "$lf" ] || [ -z "$lt" ]; then
    echo "check-layers: $where: folder without a layer (${from} or ${target})" >&2
    status=1
  elif [ "$lt" -gt "$lf" ]; then
    echo "check-layers: $where: $from includes $target, a higher layer" >&2
    status=1
  elif [ "$lt" -eq "$lf" ]; then
    echo "check-layers: $where: $from includes $target, a folder beside it" >&2
    status=1
  fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$src")
[ $status -eq 0 ] && echo "check-layers: every include points down"
exit $status
