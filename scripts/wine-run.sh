#!/usr/bin/env bash
# Runs one Windows executable under the project's Wine prefix with a time
# limit (TONMILL_WINE_TIMEOUT seconds, default 300), on the current display or
# a virtual one. Used by CTest as the cross-compiling emulator.
set -uo pipefail
source "$(dirname "$0")/env.sh"
take_lane "$0" "$@"
source "$(dirname "$0")/xvfb.sh"
ensure_display || exit 1
exe="$1"; shift
# A wine server and the prefix's system processes (services, explorer,
# devices) that a run starts inherit its output and outlive it for as long as
# later runs keep the server busy; a caller reading our output to its end
# (CTest) would wait for them. So the server is started here without our
# output when none runs, and the run writes to a file copied out at the end.
if wineserver -p 60 </dev/null >/dev/null 2>&1; then
  timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1
fi
out="$(mktemp)"
trap 'cat "$out"; rm -f "$out"' EXIT
timeout --kill-after=10 "${TONMILL_WINE_TIMEOUT:-300}" wine "$exe" "$@" >"$out" 2>&1
rc=$?
if [ $rc -eq 124 ]; then echo "wine-run: $exe timed out" >>"$out"; fi
exit $rc
