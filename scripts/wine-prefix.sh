#!/usr/bin/env bash
# Creates the project's own 64-bit Wine prefix once, without Mono or Gecko,
# and maps the Chinese UI face "宋体" (SimSun) to a CJK face made for small
# sizes.
set -euo pipefail
source "$(dirname "$0")/env.sh"

stamp="$WINEPREFIX/.tonmill-ready"
fonts_stamp="$WINEPREFIX/.tonmill-fonts-3"
subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'

# The Chinese faces of the program's windows: the sharp cut of WenQuanYi Zen
# Hei carries bitmaps for small sizes, crisp as SimSun's at 9 points on
# Windows. Glyphs stay unsmoothed: the tests read text colours back pixel by
# pixel, and smoothing (ClearType above all, or a light face like AR PL
# UMing) leaves hardly a pixel in the text's own colour. A prefix made before
# gets the same settings.
set_fonts() {
  local face
  for face in "宋体" "SimSun" "新宋体" "NSimSun"; do
    wine reg add "$subst" /v "$face" /t REG_SZ /d "WenQuanYi Zen Hei Sharp" /f >/dev/null 2>&1
  done
  local desktop='HKCU\Control Panel\Desktop'
  wine reg add "$desktop" /v FontSmoothing /t REG_SZ /d 0 /f >/dev/null 2>&1
  wine reg add "$desktop" /v FontSmoothingType /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wineserver -w
  touch "$fonts_stamp"
}

if [ -f "$stamp" ]; then
  [ -f "$fonts_stamp" ] || set_fonts
  exit 0
fi

mkdir -p "$TONMILL_DEPS"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

# Wine's own fonts (Marlett draws the caption buttons' glyphs) into the
# prefix's font folder, where this Wine build looks for them.
if [ -d /usr/share/wine/fonts ]; then
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

font="WenQuanYi Zen Hei"
for face in "MS Shell Dlg" "MS Shell Dlg 2"; do
  wine reg add "$subst" /v "$face" /t REG_SZ /d "$font" /f >/dev/null 2>&1
done
# A Wine virtual desktop: Wine then draws every window's frame and caption
# itself (as Windows does) instead of leaving them to an X window manager,
# which a virtual display does not have.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x1024 /f >/dev/null 2>&1
wineserver -w
set_fonts
touch "$stamp"
echo "wine-prefix: ready in $WINEPREFIX"
