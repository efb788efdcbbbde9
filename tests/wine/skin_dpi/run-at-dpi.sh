#!/usr/bin/env bash
# Runs a Windows test with the screen at DPI $1, in a Wine prefix of its own
# (TONMILL_DPI_PREFIX, a copy of the project's made once), so the project's
# prefix keeps its 96 DPI for every other test. Wine reads the DPI from the
# prefix's LogPixels when its server starts.
set -uo pipefail
dpi="$1"; shift
root="$(cd "$(dirname "$0")/../../.." && pwd)"
source "$root/scripts/env.sh"
prefix="${TONMILL_DPI_PREFIX:?TONMILL_DPI_PREFIX names the prefix for other DPIs}"
if [ ! -f "$prefix/.tonmill-ready" ]; then
  bash "$root/scripts/wine-prefix.sh" || exit 1
  wineserver -w
  rm -rf "$prefix.tmp"
  mkdir -p "$(dirname "$prefix")"
  cp -a "$WINEPREFIX" "$prefix.tmp" && mv "$prefix.tmp" "$prefix" || exit 1
fi
export WINEPREFIX="$prefix" TONMILL_WINEPREFIX="$prefix" TONMILL_TEST_DPI="$dpi"
wineserver -w
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
bash "$root/scripts/wine-run.sh" "$@"
rc=$?
wineserver -w
exit $rc
