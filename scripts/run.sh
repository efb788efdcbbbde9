#!/usr/bin/env bash
# Builds Tonmill.exe and starts it under Wine. On a machine with a display
# the program opens there; headless, it runs on a virtual display, a
# screenshot is saved to out/tonmill.png and the program is closed again.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source scripts/env.sh
source scripts/xvfb.sh

bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build build/win64 -j "${TONMILL_JOBS:-2}" --target Tonmill mplayer
exe="build/win64/bin/Tonmill.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "run: starting $exe on $DISPLAY"
  exec wine "$exe"
fi

ensure_display
mkdir -p out
wine "$exe" >/dev/null 2>&1 &
pid=$!
# Wait for the main window to be mapped, then give it a moment to paint.
for _ in $(seq 1 100); do
  if xdotool search --name "Tonmill" >/dev/null 2>&1; then break; fi
  sleep 0.2
done
sleep "${TONMILL_SHOT_DELAY:-2}"
import -window root out/tonmill.png
echo "run: no display here; the program ran on a virtual display ($DISPLAY)."
echo "run: screenshot saved to $root/out/tonmill.png"
wineserver -k >/dev/null 2>&1 || true
wait "$pid" 2>/dev/null || true
