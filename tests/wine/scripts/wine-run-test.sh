#!/usr/bin/env bash
# scripts/wine-run.sh must give its output back whole and leave nothing
# holding it once it returns, even when the prefix's wine server was not
# running: the server and the system processes it brings up outlive the run,
# and if they held the output, a caller reading it to its end (CTest) would
# wait for as long as later runs keep the server busy.
#   wine-run-test.sh SOURCE_DIR
set -uo pipefail
src="$1"
source "$src/scripts/env.sh"
take_lane "$0" "$@"
work="$(mktemp -d)"
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$work"' EXIT
status=0

# Start from a prefix whose server is down.
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1

mkfifo "$work/output"
cat "$work/output" > "$work/read" &
reader=$!
bash "$src/scripts/wine-run.sh" cmd /c echo tonmill-wine-run > "$work/output" 2>&1
rc=$?
[ $rc -eq 0 ] || { echo "wine-run-test: wine-run.sh ended with $rc" >&2; status=1; }

# Right away: a server that a run started stays up for a second or more.
holders=""
for pid in $(find /proc/[0-9]*/fd -lname "$work/output" 2>/dev/null | cut -d/ -f3 | sort -u); do
  [ "$pid" = "$reader" ] || holders="$holders $pid($(cat "/proc/$pid/comm" 2>/dev/null))"
done
if [ -n "$holders" ]; then
  echo "wine-run-test: the output is still held by$holders" >&2; status=1
fi

# With nothing holding the output, the reader has reached its end.
for _ in $(seq 1 50); do kill -0 "$reader" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$reader" 2>/dev/null; then
  echo "wine-run-test: the output did not end" >&2; status=1
  kill "$reader" 2>/dev/null
fi
grep -q "tonmill-wine-run" "$work/read" || { echo "wine-run-test: the program's output was lost" >&2; status=1; }
exit $status
