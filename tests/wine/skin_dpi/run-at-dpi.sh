#!/usr/bin/env bash
# Runs a Windows test with the screen at DPI $1: the project's prefix gets
# that LogPixels for the run (Wine reads it when a process starts) and its
# own value back afterwards, however the run ends.
set -uo pipefail
root="$(cd "$(dirname "$0")/../../.." && pwd)"
source "$root/scripts/env.sh"
take_lane "$0" "$@"
dpi="$1"; shift
key='HKCU\Control Panel\Desktop'
old="$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }')"
restore() {
  if [ -n "$old" ]; then
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$((old))" /f >/dev/null 2>&1
  else
    wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1
  fi
}
trap restore EXIT
trap 'exit 143' TERM INT
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || exit 1
export TONMILL_TEST_DPI="$dpi"
bash "$root/scripts/wine-run.sh" "$@"
