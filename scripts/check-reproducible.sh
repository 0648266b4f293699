#!/usr/bin/env bash
# Builds the downloads twice and compares them byte for byte, printing which files are identical
# and, for those that are not, where they differ.
#   check-reproducible.sh            two fresh clones of HEAD, in folders of different lengths, each
#                                    with its own copy of the toolchains and its own caches, the
#                                    second in another time zone and with another umask: make dist
#                                    and the x64 clang tree's programs (tens of minutes)
#   check-reproducible.sh --quick <tree>
#                                    the GCC tree's programs only, built again from the working
#                                    tree's files in another folder and compared with <tree>'s
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
programs=(Tidewell.exe tidewellc.exe)
status=0
start=$SECONDS
say() { echo "check-reproducible: $*"; }

# Why two files differ (file, file).
explain() {
  case "$1" in
    *.msi)
      local a b
      a=$(mktemp -d) b=$(mktemp -d)
      # msidump writes binary columns below the current folder, whatever -d says.
      (cd "$a" && msidump -t -s "$1" >/dev/null) && (cd "$b" && msidump -t -s "$2" >/dev/null)
      echo "tables and streams that differ: $(diff -rq "$a" "$b" | sed -E 's|.*/([^/ ]+) and .*|\1|' | tr '\n' ' ')"
      diff "$a/_SummaryInformation.idt" "$b/_SummaryInformation.idt" | grep '^[<>]' | tr '\t' ' '
      rm -rf "$a" "$b" ;;
    *.zip)
      diff <(unzip -Zv "$1" | grep -vE '^(Archive|Zip file size)') <(unzip -Zv "$2" | grep -vE '^(Archive|Zip file size)') |
        grep '^[<>]' | head -6 ;;
    *)
      echo "$(cmp -l "$1" "$2" | wc -l) bytes differ, first at $(cmp "$1" "$2" | awk '{ print $5 }' | tr -d ,)" ;;
  esac
}

# Compares one file of the two builds (first, second, name shown).
compare() {
  if [ ! -f "$1" ] || [ ! -f "$2" ]; then
    say "MISSING    $3"; status=1
  elif cmp -s "$1" "$2"; then
    say "identical  $3  $(sha256sum "$1" | cut -c1-16)"
  else
    say "DIFFERS    $3"; status=1
    explain "$1" "$2" | sed 's/^/check-reproducible:              /'
  fi
  # What an MSI installs, file by file, even where the packages are the same bytes.
  if [[ "$3" == *.msi ]] && [ -f "$1" ] && [ -f "$2" ]; then
    local a b
    a=$(mktemp -d) b=$(mktemp -d)
    msiextract -C "$a" "$1" >/dev/null && msiextract -C "$b" "$2" >/dev/null
    if diff -r "$a" "$b" >/dev/null; then
      say "           its $(find "$a" -type f | wc -l) files are identical"
    else
      say "           its files differ: $(diff -rq "$a" "$b" | tr '\n' ' ')"; status=1
    fi
    rm -rf "$a" "$b"
  fi
}

work=$(mktemp -d /tmp/tw-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT

if [ "${1:-}" = --quick ]; then
  tree=$(realpath "${2:?usage: check-reproducible.sh --quick <build tree>}")
  copy=$work/a-longer-folder-name/src
  mkdir -p "$copy/build"
  # The working tree as it is (committed or not), without what git ignores.
  # One tar for the whole list: archives that xargs would split it into end at the first one's end.
  (cd "$root" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - --ignore-failed-read 2>/dev/null) |
    tar -xf - -C "$copy"
  ln -s "$root/build/toolchains" "$copy/build/toolchains"
  CCACHE_DISABLE=1 make -s -C "$copy" win TARGETS="${programs[*]}" LAUNCHER= >"$work/build.log" 2>&1 ||
    { tail -20 "$work/build.log"; say "the second build failed"; exit 1; }
  for p in "${programs[@]}"; do
    compare "$tree/$p" "$copy/build/win/$p" "$(basename "$tree")/$p"
  done
  say "$((SECONDS - start)) s"
  exit $status
fi

# Two clones of HEAD; the toolchains copied (nothing fetched), each clone's caches its own.
[ -d "$root/build/toolchains/zig" ] || "$root/scripts/install-deps.sh"
first=$work/a second=$work/bb-a-longer-folder-for-the-second-build
for clone in "$first" "$second"; do
  git clone -q "$root" "$clone" && mkdir -p "$clone/build/toolchains" &&
    cp -a "$root/build/toolchains/zig" "$clone/build/toolchains/" || exit 1
done
build() { # clone, log
  make -C "$1" dist TARGETS="${programs[*]}" LAUNCHER= >"$2" 2>&1 &&
    make -C "$1" win-clang TARGETS="${programs[*]}" LAUNCHER= >>"$2" 2>&1 ||
    { tail -20 "$2"; say "the build in $1 failed"; exit 1; }
}
say "building in $first"
CCACHE_DISABLE=1 build "$first" "$work/first.log"
say "building in $second"
(umask 0002; CCACHE_DISABLE=1 TZ=Pacific/Kiritimati build "$second" "$work/second.log") || exit 1
for tree in build/win build/win-clang build/arm64; do
  for p in "${programs[@]}"; do
    compare "$first/$tree/$p" "$second/$tree/$p" "$tree/$p"
  done
done
while read -r f; do
  compare "$first/build/dist/$f" "$second/build/dist/$f" "build/dist/$f"
done < <(cd "$first/build/dist" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
say "$((SECONDS - start)) s"
exit $status
