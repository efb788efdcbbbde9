#!/usr/bin/env bash
# Builds and runs every benchmark: the native ones (optimised build) and the
# Windows ones under Wine. Each prints its figures and, where it has one, the
# ratio against a baseline measured in the same run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source scripts/env.sh
source scripts/xvfb.sh
bash scripts/setup.sh
jobs="${TONMILL_JOBS:-2}"

cmake --preset bench >/dev/null
cmake --build build/bench -j "$jobs"
for b in build/bench/bin/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done

cmake --preset win64 >/dev/null
cmake --build build/win64 -j "$jobs"
ensure_display
media="$root/build/win64/benchdata"
bash bench/app/make-bench-media.sh "$media"
export TONMILL_MEDIA="Z:${media//\//\\}"
for b in build/win64/bin/*_bench.exe; do
  [ -f "$b" ] || continue
  echo "== $(basename "$b") (under Wine)"
  wine "$b"
done
