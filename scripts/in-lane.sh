#!/usr/bin/env bash
# Runs a command in the first free Wine lane (scripts/test.sh sets them up,
# naming their displays in TONMILL_LANE_DISPLAYS) and holds that lane until
# the command ends: a lock file per lane under .deps/. The lock is not passed
# on to the command, so a wine server it starts never keeps a lane taken.
set -uo pipefail
source "$(dirname "$0")/env.sh"
read -r -a displays <<< "$TONMILL_LANE_DISPLAYS"
busy=75
while true; do
  for lane in "${!displays[@]}"; do
    TONMILL_LANE="$lane" flock -n -o -E $busy "$TONMILL_DEPS/lane-$lane.lock" "$@"
    rc=$?
    [ $rc -eq $busy ] || exit $rc
  done
  sleep 0.2
done
