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
timeout --kill-after=10 "${TONMILL_WINE_TIMEOUT:-300}" wine "$exe" "$@"
rc=$?
if [ $rc -eq 124 ]; then echo "wine-run: $exe timed out" >&2; fi
exit $rc
