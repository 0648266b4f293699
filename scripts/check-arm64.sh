#!/usr/bin/env bash
# Checks the ARM64 programs, which nothing here can run: each is an ARM64 image, and each function
# it imports, or looks up in ntdll at run time (win32::NtdllEntry), is one its DLL exports on ARM64
# Windows. The export lists are MinGW-w64's, as the Zig toolchain carries them, read once for ARM64
# and once for x64, so a function only x86 has is named as such.
# Usage: check-arm64.sh <arm64 build tree>
set -uo pipefail
tree=$(realpath "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
defs=$root/build/toolchains/zig/lib/libc/mingw
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "check-arm64: $*" >&2; status=1; }

# The exports of one DLL for one machine (DEF_ARM64, DEF_X64), one name a line; nothing when
# MinGW-w64 has no list of it for that machine.
exports() { # dll, machine
  local base=${1,,}; base=${base%.dll}
  local folders=("$defs/lib-common")
  [ "$2" = DEF_X64 ] && folders+=("$defs/lib64")
  for folder in "${folders[@]}"; do
    for def in "$folder/$base.def" "$folder/$base.def.in"; do
      [ -f "$def" ] || continue
      cpp -P -D"$2" -I"$defs/def-include" -include "$defs/def-include/func.def.in" "$def" 2>/dev/null |
        awk '/^[ \t]*(;|LIBRARY|EXPORTS|$)/ { next } { sub(/^[ \t]+/, ""); split($1, n, /[@=]/); print n[1] }'
      return
    done
  done
}

# Each "<dll> <function>" line of a file must be exported on ARM64 (who, file); counts them.
check_calls() {
  local dll name
  while read -r dll; do
    exports "$dll" DEF_ARM64 | sort -u >"$work/arm64"
    exports "$dll" DEF_X64 | sort -u >"$work/x64"
    [ -s "$work/arm64" ] || { fail "$1 $dll, which ARM64 Windows does not have"; continue; }
    while read -r _ name; do
      count=$((count + 1))
      grep -qxF "$name" "$work/arm64" && continue
      if grep -qxF "$name" "$work/x64"; then
        fail "$1 $dll!$name, which only x86 has"
      else
        fail "$1 $dll!$name, which $dll does not export"
      fi
    done < <(grep -i "^$dll " "$2")
  done < <(cut -d' ' -f1 "$2" | sort -u)
}

for entry in Tidewell.exe:GUI tidewellc.exe:CUI; do
  exe=${entry%:*}
  image=$tree/$exe
  [ -f "$image" ] || { fail "$image is missing"; continue; }
  file -b "$image" | grep -q Aarch64 || fail "$exe: file says $(file -b "$image")"
  llvm-readobj-14 --file-headers "$image" | grep -q 'Machine: IMAGE_FILE_MACHINE_ARM64' ||
    fail "$exe: the header names another machine"
  llvm-readobj-14 --file-headers "$image" | grep -q "Subsystem: IMAGE_SUBSYSTEM_WINDOWS_${entry#*:}" ||
    fail "$exe: not a ${entry#*:} program"
  # "DLL Name: X" opens a DLL's imports; its functions follow as "<hint> <name>" up to a blank line.
  llvm-objdump-14 -p "$image" | awk '
    /DLL Name:/ { dll = $3; next }
    /^[ \t]*$/ { dll = "" }
    dll != "" && NF == 2 && $1 ~ /^[0-9]+$/ { print dll, $2 }' | sort -u >"$work/imports"
  [ -s "$work/imports" ] || fail "$exe: no imports could be read"
  count=0
  check_calls "$exe imports" "$work/imports"
  echo "check-arm64: $exe: machine, subsystem and $count imports checked"
done

# The native calls are looked up by name; each must be found where its call is written.
sites=$(grep -rc 'NtdllEntry<' "$root/src" --include='*.cpp' | awk -F: '{ n += $2 } END { print n }')
grep -rhoE 'NtdllEntry<.*>\("[A-Za-z0-9_]+"\)' "$root/src" --include='*.cpp' |
  sed -E 's/.*\("([A-Za-z0-9_]+)"\)$/ntdll.dll \1/' >"$work/native"
[ "$(wc -l <"$work/native")" -eq "$sites" ] ||
  fail "$(wc -l <"$work/native") of $sites ntdll look-ups name their function on the same line"
count=0
check_calls "the program looks up" "$work/native"
echo "check-arm64: $count ntdll look-ups checked"
exit $status
