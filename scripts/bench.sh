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

# Start-up under Wine: Quorvale.exe of the Windows build against a bare one-window program.
windows_dir=${BENCH_WINDOWS_BUILD_DIR:-build/bench-windows}
cmake --preset windows -B "$windows_dir" -DQUORVALE_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$windows_dir" -j 2 --target Quorvale startup_bench bare_window
echo "== startup_bench (under Wine)"
scripts/wine-session.sh bench/startup/run.sh "$windows_dir"
