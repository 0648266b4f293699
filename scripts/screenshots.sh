#!/usr/bin/env bash
# Saves pictures of the program's windows into build/screenshots/ as PNG files: screenshots.exe
# opens each window under Xvfb and saves it. Every window in English and in Chinese (*-zh.png); the
# main window, its tray menu and the startup manager in every other language (*-<folder>.png); the
# main window and one tool dialog again at 144 DPI (*-144.png); the main window, the startup manager
# and the History window in Windows' dark mode (*-dark.png, *-dark-zh.png); the tray picture on a
# light and a dark taskbar (tray-light.png, tray-dark.png).
set -euo pipefail
tree=${1:-build/win}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
out=$(realpath -m "$here/../build/screenshots")
mkdir -p "$out"
export TIDEWELL_SCREENSHOT_DIR="Z:$(echo "$out" | tr / '\\')"
status=0

# The screen is larger than the main window at 144 DPI (1054 px tall): off-screen parts come out black.
# shoot PREFIX LANGUAGE SUFFIX [GROUPS...]: the pictures screenshots.exe takes in that language (a
# folder under lang, empty for English), named <name>SUFFIX.
shoot() {
  local prefix=$1 language=$2 suffix=$3 folder=$tree
  shift 3
  WINEPREFIX=$prefix TIDEWELL_SCREENSHOT_LANGUAGE=$language TIDEWELL_SCREENSHOT_SUFFIX=$suffix xvfb-run -a -s "-screen 0 1920x1440x24" \
    timeout -k 10 600 "$WINE64" "$folder/screenshots.exe" "$@" >/dev/null || status=1
  WINEPREFIX=$prefix "$(dirname "$WINE64")/wineserver" -k 2>/dev/null || true
}

# Windows' two colour switches, as its Settings app stores them.
modes() {
  local key='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
  WINEPREFIX=$1 "$WINE64" reg add "$key" /v AppsUseLightTheme /t REG_DWORD /d "$2" /f >/dev/null 2>&1
  WINEPREFIX=$1 "$WINE64" reg add "$key" /v SystemUsesLightTheme /t REG_DWORD /d "$3" /f >/dev/null 2>&1
  WINEPREFIX=$1 "$(dirname "$WINE64")/wineserver" -w
}

prefix=$(realpath "$tree")/wineprefix
prefix_is_current "$prefix" || "$here/wine-env.sh" "$prefix"
modes "$prefix" 1 1 # light, as Windows 11 comes
shoot "$prefix" "" ""
shoot "$prefix" zh-CN -zh
for language in "$here"/../dist/lang/*/; do
  language=$(basename "$language")
  [ "$language" = zh-CN ] || shoot "$prefix" "$language" "-$language" main startup
done

# 150 % in a prefix of its own.
prefix144=$(realpath "$tree")/wineprefix-144
prefix_is_current "$prefix144" || TIDEWELL_PREFIX_DPI=144 "$here/wine-env.sh" "$prefix144"
shoot "$prefix144" "" -144 main process

# The dark app mode and a dark taskbar in a prefix of its own.
prefixDark=$(realpath "$tree")/wineprefix-dark
if ! prefix_is_current "$prefixDark"; then
  "$here/wine-env.sh" "$prefixDark"
  modes "$prefixDark" 0 0
fi
shoot "$prefixDark" "" -dark main startup history
shoot "$prefixDark" zh-CN -dark-zh main startup history
shoot "$prefixDark" "" "" tray

# High contrast in a prefix of its own, with the colours of Windows' "High Contrast Black" and, as
# Windows does then, no visual style.
prefixHc=$(realpath "$tree")/wineprefix-hc
if ! prefix_is_current "$prefixHc"; then
  "$here/wine-env.sh" "$prefixHc"
  WINEPREFIX=$prefixHc "$WINE64" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
    /v ThemeActive /d 0 /f >/dev/null 2>&1
  while read -r name rgb; do
    WINEPREFIX=$prefixHc "$WINE64" reg add 'HKCU\Control Panel\Colors' /v "$name" /d "$rgb" /f >/dev/null 2>&1
  done <<'COLOURS'
Window 0 0 0
WindowText 255 255 255
ButtonFace 0 0 0
ButtonText 255 255 255
ButtonShadow 128 128 128
ButtonHilight 255 255 255
ButtonLight 255 255 255
ButtonDkShadow 255 255 255
Hilight 26 235 255
HilightText 0 0 0
GrayText 63 242 63
HotTrackingColor 255 255 0
Menu 0 0 0
MenuText 255 255 255
WindowFrame 255 255 255
ActiveTitle 0 0 0
TitleText 255 255 255
COLOURS
  WINEPREFIX=$prefixHc "$(dirname "$WINE64")/wineserver" -w
fi
TIDEWELL_SCREENSHOT_HIGH_CONTRAST=1 shoot "$prefixHc" "" -hc main

for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || continue
  # GDI leaves the fourth byte of 32-bit pixels at 0: it is not transparency.
  convert "$bmp" -alpha off "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls -1 "$out"/*.png 2>/dev/null || echo "screenshots: none written"
exit $status
