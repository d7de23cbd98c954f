#!/usr/bin/env bash
# Builds the optimised benchmark build and runs every benchmark in it.
#   scripts/bench.sh [--benchmark_filter=REGEX ...]   (arguments go to each program)
# BENCH_BUILD_DIR picks another build directory than build/bench.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${BENCH_BUILD_DIR:-build/bench}
cmake --preset bench -B "$dir" >/dev/null
cmake --build "$dir" -j 2
for program in "$dir"/bench/*_bench; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" "$@"
done
