#!/usr/bin/env bash
# Runs the fetch benchmark of the Windows build in BUILD-DIR under Wine; meant
# to run inside scripts/wine-session.sh.
#   bench/fetch/run.sh BUILD-DIR [RUNS]
set -euo pipefail
wine "$1/bench/fetch_bench.exe" "${2:-3}"
