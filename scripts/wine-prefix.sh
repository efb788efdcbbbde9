#!/usr/bin/env bash
# Creates the project's own 64-bit Wine prefix once, without Mono or Gecko,
# and maps the Chinese UI face "宋体" (SimSun) to the installed CJK font.
set -euo pipefail
source "$(dirname "$0")/env.sh"

stamp="$WINEPREFIX/.tonmill-ready"
[ -f "$stamp" ] && exit 0

mkdir -p "$TONMILL_DEPS"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

# Wine's own fonts (Marlett draws the caption buttons' glyphs) into the
# prefix's font folder, where this Wine build looks for them.
if [ -d /usr/share/wine/fonts ]; then
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
font="WenQuanYi Zen Hei"
for face in "宋体" "SimSun" "新宋体" "NSimSun" "MS Shell Dlg" "MS Shell Dlg 2"; do
  wine reg add "$subst" /v "$face" /t REG_SZ /d "$font" /f >/dev/null 2>&1
done
# A Wine virtual desktop: Wine then draws every window's frame and caption
# itself (as Windows does) instead of leaving them to an X window manager,
# which a virtual display does not have.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x1024 /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
echo "wine-prefix: ready in $WINEPREFIX"
