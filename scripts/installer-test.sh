#!/usr/bin/env bash
# Installs Tidewell's MSI into a fresh Wine prefix, starts the installed program, upgrades it to a
# newer version and removes it, checking at each step what a Windows user would see.
# Usage: installer-test.sh <windows build tree>   (needs a display: runs inside make test's Xvfb)
set -euo pipefail
tree=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$tree/installer-test
rm -rf "$work"
mkdir -p "$work"
fail() { echo "installer-test: $*" >&2; exit 1; }
step() { echo "installer-test: $*"; }

version=$(sed -n 's/^#define TIDEWELL_VERSION_TEXT "\(.*\)"/\1/p' "$tree/generated/version.h")
IFS=. read -r major minor patch <<<"$version"
newer=$major.$minor.$((patch + 1))
"$here/dist.sh" "$tree" "$work/old" >/dev/null
"$here/dist.sh" "$tree" "$work/new" "$newer" >/dev/null

"$here/wine-env.sh" "$work/prefix" >/dev/null
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
export WINEPREFIX=$work/prefix
server=$(dirname "$WINE64")/wineserver
trap '"$server" -k 2>/dev/null || true' EXIT
wine() { "$WINE64" "$@" 2>/dev/null; }
windows_path() { local p=$1; echo "Z:${p//\//\\}"; }
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
"$server" -k 2>/dev/null || true

drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/Tidewell"
exe='C:\Program Files\Tidewell\Tidewell.exe'
settings='HKLM\Software\Kelvane'
run='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
products() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r'; }
shortcut() { find "$drive" -iname 'Tidewell.lnk' | grep -q .; }
window_shown() { xdotool search --onlyvisible --name '^Tidewell$' >/dev/null 2>&1; }
wait_for() { # seconds, command...
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do [ $SECONDS -lt $deadline ] || return 1; sleep 0.5; done
}

old_msi=$(windows_path "$work/old/Tidewell-$version-x64.msi")
installer='HKLM\Software\Tidewell\Installer'
told() { wine reg query "$installer" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n { print $3 }'; }
step "refuse what an unattended installation must not be told"
for bad in ALERTVALUE=76 ALERTVALUE=twenty AUTOSTART=2 KEEPSETTINGS=yes; do
  wine msiexec /i "$old_msi" /qn "$bad" && fail "installed with $bad"
  [ -e "$folder/Tidewell.exe" ] && fail "$bad left the program installed"
done

step "install $version, every language"
wine msiexec /i "$old_msi" /qn || fail "msiexec /i failed"
for f in Tidewell.exe tidewellc.exe Kelvane.ini Alert.wav "Kelvane Help.chm" "Kelvane Help zh-CN.chm"; do
  [ -f "$folder/$f" ] || fail "$f was not installed"
done
for language in "$here"/../dist/lang/*/; do
  cmp -s "$folder/lang/$(basename "$language")/Kelvane.ini" "$language/Kelvane.ini" ||
    fail "lang/$(basename "$language") was not installed"
done
[ "$(told Autostart)" = 1 ] || fail "the installer did not store AUTOSTART's default"
for f in Tidewell.admx en-US/Tidewell.adml zh-CN/Tidewell.adml; do
  cmp -s "$folder/policies/$f" "$here/../installer/policies/$f" || fail "policies/$f was not installed"
done
source_key='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\Tidewell'
wine reg query "$source_key" /v EventMessageFile | tr -d '\r' |
  grep -qF "REG_EXPAND_SZ    $exe" || fail "the event source Tidewell does not name the program as its message file"
wine reg query "$source_key" /v TypesSupported | grep -qi '0x7' || fail "the event source takes not every type"
cmp -s "$folder/Kelvane.ini" "$here/../dist/Kelvane.ini" || fail "the English package installed other texts"
shortcut || fail "no Start-menu shortcut"
products | grep -q "DisplayVersion *REG_SZ *$version" || fail "no Add/Remove Programs entry for $version"

step "start the installed program"
wine "$exe" &
program=$!
wait_for 60 window_shown || fail "the installed Tidewell showed no window"
wait_for 30 wine reg query "$settings" /v CPUMHZ >/dev/null || fail "no settings key after the first start"
wine reg add "$settings" /v RamAlertValue /t REG_DWORD /d 42 /f >/dev/null
# A delayed list beside the program, in a folder every user can change under Wine: nothing in it
# may reach the Run keys, and the removal leaves it as it is.
printf '[Item0]\r\nProject=Planted\r\nPath=C:\\planted.exe\r\nDelay=1\r\nOLDID=0\r\n\r\n' >"$folder/Delay.ini"
cp "$folder/Delay.ini" "$work/Delay.ini"
# What an earlier copy in a protected place would have left: the logon task and the Run value.
sed 's/^ *//' >"$work/task.xml" <<'XML'
<?xml version="1.0"?>
<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">
<Actions Context="Author"><Exec><Command>"C:\Program Files\Tidewell\Tidewell.exe"</Command><Arguments>-PowerOn</Arguments></Exec></Actions>
</Task>
XML
wine schtasks /create /tn Tidewell /xml "$(windows_path "$work/task.xml")" /f >/dev/null || fail "could not plant the task"
wine reg add "$run" /v Orvanta /d "\"$exe\" -PowerOn" /f >/dev/null
task_file="$drive/windows/system32/tasks/Tidewell"
[ -f "$task_file" ] || fail "the planted task has no file"

step "upgrade to $newer"
wine msiexec /i "$(windows_path "$work/new/Tidewell-$newer-x64.msi")" /qn || fail "the upgrade failed"
products | grep -q "DisplayVersion *REG_SZ *$newer" || fail "Add/Remove Programs does not show $newer"
[ "$(products | grep -c 'DisplayName *REG_SZ *Tidewell$')" = 1 ] || fail "the older version stayed installed"
wine reg query "$settings" /v RamAlertValue | grep -qi '0x2a' || fail "the upgrade lost the settings"
[ -f "$folder/Delay.ini" ] || fail "the upgrade lost Delay.ini"
[ -f "$folder/Tidewell.exe" ] || fail "the upgrade lost the program"
[ -f "$task_file" ] || fail "the upgrade removed the logon task"
wine reg query "$source_key" /v EventMessageFile >/dev/null || fail "the upgrade lost the event source"

ended() { [ ! -e "/proc/$1" ] || grep -q '^[0-9]* (.*) Z' "/proc/$1/stat"; }
# Wine's installer names no upgrade to the removed package: its removal ended the running copy.
if ended "$program"; then
  step "start the upgraded program"
  wine "$exe" &
  program=$!
  wait_for 60 window_shown || fail "the upgraded Tidewell showed no window"
fi
# What an Explorer window on the program's folder is on Windows: another program's window titled
# Tidewell (Wine's Explorer names its windows otherwise).
step "open another program's window titled Tidewell"
wine "$(windows_path "$tree/sleeper_child.exe")" Tidewell &
other=$!
titled() { [ "$(xdotool search --onlyvisible --name '^Tidewell$' 2>/dev/null | wc -l)" -ge "$1" ]; }
wait_for 30 titled 2 || fail "no second window titled Tidewell"

step "uninstall"
wine msiexec /x "$(windows_path "$work/new/Tidewell-$newer-x64.msi")" /qn || fail "msiexec /x failed"
wait_for 20 ended "$program" || fail "Tidewell still runs after the removal"
ended "$other" && fail "the removal ended another program's window titled Tidewell"
titled 1 || fail "the other program's window titled Tidewell is gone"
cmp -s "$folder/Delay.ini" "$work/Delay.ini" || fail "the removal changed or took Delay.ini from a place users can change"
wine reg query "$run" /v Planted >/dev/null && fail "the removal put an entry from that Delay.ini into the Run key"
left=$(find "$folder" -type f ! -name Delay.ini 2>/dev/null || true)
[ -z "$left" ] || fail "files left behind: $left"
shortcut && fail "the Start-menu shortcut is left"
[ -f "$task_file" ] && fail "the logon task is left"
wine reg query "$run" /v Orvanta >/dev/null && fail "the Run value is left"
products | grep -q 'DisplayName *REG_SZ *Tidewell$' && fail "Add/Remove Programs still lists Tidewell"
wine reg query "$source_key" >/dev/null 2>&1 && fail "the event source Tidewell is left"
wine reg query "$settings" /v RamAlertValue >/dev/null || fail "the removal took the settings key"

step "install unattended with LANGUAGE=de AUTOSTART=0 ALERTVALUE=20, remove with KEEPSETTINGS=0"
wine reg delete "$settings" /f >/dev/null
wine msiexec /i "$old_msi" /qn LANGUAGE=de AUTOSTART=0 ALERTVALUE=20 || fail "the unattended install failed"
[ "$(told Language)/$(told Autostart)/$(told AlertValue)" = de/0/20 ] || fail "the properties did not land"
wine "$exe" &
program=$!
wait_for 60 window_shown || fail "the unattended installation's Tidewell showed no window"
wait_for 30 wine reg query "$settings" /v Language >/dev/null || fail "no language stored at the first start"
wine reg query "$settings" /v Language | grep -q 'REG_SZ *de' || fail "the first start did not take LANGUAGE"
wine reg query "$settings" /v RamAlertValue | grep -qi '0x14' || fail "the first start did not take ALERTVALUE"
wine msiexec /x "$old_msi" /qn KEEPSETTINGS=0 || fail "msiexec /x KEEPSETTINGS=0 failed"
wait_for 20 ended "$program" || fail "Tidewell still runs after the removal"
wine reg query "$settings" >/dev/null 2>&1 && fail "KEEPSETTINGS=0 left the settings key"
step "passed"
