#!/usr/bin/env bash
# Builds both toolchains and runs every test: the native unit tests (ASan +
# UBSan), the Windows tests under Wine on a virtual display, the release zip
# (dist/) and a short run of each fuzz target. Ends with one summary line
# "N passed, M failed".
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source scripts/env.sh
source scripts/xvfb.sh

bash scripts/setup.sh || { echo "test: set-up failed" >&2; exit 1; }

jobs="${TONMILL_JOBS:-2}"
passed=0
failed=0
status=0

# Runs ctest in one build folder and adds its counts to the totals.
run_ctest() {
  local dir="$1"; shift
  local log; log="$(mktemp)"
  ctest --test-dir "$dir" --output-on-failure "$@" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local line; line="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)"
  if [ -n "$line" ]; then
    local f t
    f="$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')"
    t="$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/')"
    passed=$((passed + t - f))
    failed=$((failed + f))
  elif [ $rc -ne 0 ]; then
    failed=$((failed + 1))
  fi
  rm -f "$log"
  [ $rc -eq 0 ] || status=1
}

echo "== native build and unit tests"
if cmake --preset native >/dev/null && cmake --build build/native -j "$jobs"; then
  run_ctest build/native -j "$jobs"
else
  echo "test: native build failed" >&2; failed=$((failed + 1)); status=1
fi

echo "== Windows build and tests under Wine"
# The Windows tests mostly wait on windows, so they run side by side in
# lanes: lane 0 is the project's prefix on one virtual display, each further
# lane a copy of that prefix with a wine server and a display of its own. A
# test takes the first free lane (scripts/in-lane.sh). Two lanes unless
# TONMILL_WINE_LANES names another number: two halve the Wine part's time.
lanes="${TONMILL_WINE_LANES:-2}"

# Copies the project's prefix for lane $1 unless the copy there is current.
lane_prefix() {
  local copy="$WINEPREFIX-lane$1"
  local stamps; stamps="$(cd "$WINEPREFIX" && ls -a | grep '^\.tonmill-' | tr '\n' ' ')"
  if [ "$(cat "$copy/.tonmill-lane" 2>/dev/null)" != "$stamps" ]; then
    rm -rf "$copy" && cp -a "$WINEPREFIX" "$copy" && echo "$stamps" > "$copy/.tonmill-lane"
  fi
}

# Runs a command in lane $1's prefix and display.
in_lane() {
  local lane="$1"; shift
  local prefix="$WINEPREFIX"
  [ "$lane" = 0 ] || prefix="$WINEPREFIX-lane$lane"
  local displays; read -r -a displays <<< "$TONMILL_LANE_DISPLAYS"
  WINEPREFIX="$prefix" DISPLAY="${displays[$lane]}" "$@"
}

if cmake --preset win64 >/dev/null && cmake --build build/win64 -j "$jobs"; then
  # A wine server left from another display would keep its desktop there.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  ensure_display
  TONMILL_LANE_DISPLAYS="$DISPLAY"
  for ((lane = 1; lane < lanes; ++lane)); do
    if lane_prefix "$lane" && start_virtual_display; then
      TONMILL_LANE_DISPLAYS="$TONMILL_LANE_DISPLAYS $TONMILL_NEW_DISPLAY"
    else
      echo "test: Wine lane $lane could not be set up; running in fewer lanes" >&2
      break
    fi
  done
  export TONMILL_LANE_DISPLAYS
  read -r -a lane_displays <<< "$TONMILL_LANE_DISPLAYS"
  for ((lane = 0; lane < ${#lane_displays[@]}; ++lane)); do
    # Each lane's wine server and system processes run from here to the end
    # of the tests, started without output, so no test starts them (see
    # scripts/wine-run.sh). The first start of a prefix on a new display also
    # sets up its desktop; that is done before the timed tests.
    in_lane "$lane" wineserver -k >/dev/null 2>&1 || true
    in_lane "$lane" wineserver -p </dev/null >/dev/null 2>&1 || true
    in_lane "$lane" timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  done
  run_ctest build/win64 -j "${#lane_displays[@]}"
  for ((lane = 0; lane < ${#lane_displays[@]}; ++lane)); do
    in_lane "$lane" wineserver -k >/dev/null 2>&1 || true
  done
else
  echo "test: Windows build failed" >&2; failed=$((failed + 1)); status=1
fi

echo "== release zip"
# The Windows tests have built it already from this build (and converted a
# file with it); that zip is the one kept. It is built here only when they
# did not.
built_zip="$(ls build/win64/package-test/Tonmill-*-win64.zip 2>/dev/null | head -1)"
if [ -n "$built_zip" ] && [ "$built_zip" -nt build/win64/bin/Tonmill.exe ]; then
  if mkdir -p dist && rm -f dist/Tonmill-*-win64.zip && cp "$built_zip" dist/; then
    echo "release zip: dist/$(basename "$built_zip")"
  else
    echo "test: the release zip could not be copied to dist/" >&2; failed=$((failed + 1)); status=1
  fi
elif ! bash scripts/package.sh build/win64 dist; then
  echo "test: the release zip could not be built" >&2; failed=$((failed + 1)); status=1
fi

echo "== fuzz targets (short run)"
if ! bash scripts/fuzz.sh "${TONMILL_FUZZ_SECONDS:-10}"; then
  echo "test: a fuzz target failed" >&2; failed=$((failed + 1)); status=1
fi

echo "$passed passed, $failed failed"
exit $status
