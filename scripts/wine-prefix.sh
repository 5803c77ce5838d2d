#!/usr/bin/env bash
# Creates the project's Wine prefix once (no Mono/Gecko installers), with the
# font substitutes that give "MS Sans Serif" Chinese glyphs, unmanaged windows,
# no crash dialog, and COM1/COM2 mapped to pseudo-terminal links.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"

stamp="$WINEPREFIX/.relayon-prefix-v2"
[ -f "$stamp" ] && exit 0

echo "wine-prefix: creating $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i </dev/null >/dev/null 2>&1 || true

reg="$(mktemp --suffix=.reg)"
cat >"$reg" <<REG
REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"MS Sans Serif"="WenQuanYi Micro Hei"
"MS Shell Dlg"="WenQuanYi Micro Hei"
"MS Shell Dlg 2"="WenQuanYi Micro Hei"
"Tahoma"="WenQuanYi Micro Hei"
"System"="WenQuanYi Micro Hei"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"Decorated"="Y"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]
"COM1"="$RELAYON_COM1"
"COM2"="$RELAYON_COM2"
"COM3"="$WINEPREFIX/relayon-com3"
"COM4"="$WINEPREFIX/relayon-com4"
"COM5"="$WINEPREFIX/relayon-com5"
"COM6"="$WINEPREFIX/relayon-com6"
"COM7"="$WINEPREFIX/relayon-com7"
"COM8"="$WINEPREFIX/relayon-com8"
REG
wine regedit "$reg" </dev/null >/dev/null 2>&1
rm -f "$reg"
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -f /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
wineserver -w
touch "$stamp"
