#!/usr/bin/env bash
# Runs the fetch benchmark of a Windows build under Wine; meant to run inside
# scripts/wine-session.sh. BUILD-DIR is configured with -DQUORVALE_BENCH=ON:
#   cmake --preset windows -B build/bench-windows -DQUORVALE_BENCH=ON
#   cmake --build build/bench-windows --target fetch_bench
#   scripts/wine-session.sh bench/fetch/run.sh build/bench-windows [RUNS]
set -euo pipefail
wine "$1/bench/fetch_bench.exe" "${2:-3}"
