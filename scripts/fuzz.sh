#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 60), starting from its seed corpus when it has one (a folder named after
# the target beside its sources, "corpus/<target>"). Findings are written
# to build/fuzz/findings/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-60}"
cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j "${TONMILL_JOBS:-2}"
mkdir -p build/fuzz/findings
shopt -s nullglob
status=0
for target in build/fuzz/fuzzers/*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  work="build/fuzz/corpus/$name"
  mkdir -p "$work"
  seeds=()
  for dir in $(find tests/fuzz -type d -path "*/corpus/$name"); do seeds+=("$dir"); done
  echo "fuzz: $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="build/fuzz/findings/$name-" "$work" "${seeds[@]}" \
      > "build/fuzz/$name.log" 2>&1; then
    echo "fuzz: $name found a fault; see build/fuzz/$name.log" >&2
    tail -40 "build/fuzz/$name.log" >&2
    status=1
  else
    grep -E 'stat::number_of_executed_units' "build/fuzz/$name.log" || true
  fi
done
exit $status
