#!/usr/bin/env bash
# Runs the start-up benchmark of the Windows build in BUILD-DIR; meant to run
# inside scripts/wine-session.sh. The update page is answered at once by the
# loopback forum fixture that the build's forum host points at.
#   bench/startup/run.sh BUILD-DIR [RUNS]
set -euo pipefail
dir=$1
runs=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
# Its token tells it apart from a test's fixture that may still hold the port.
token=startup-bench-$$
python3 "$here/../../tests/fixtures/fixture_server.py" --port 47812 --wait 30 --token "$token" \
  --idle-exit 120 >/dev/null &
forum=$!
trap 'kill $forum 2>/dev/null || true' EXIT
ours() { [ "$(curl -s "http://127.0.0.1:47812/_control/ping")" = "$token" ]; }
for _ in $(seq 700); do ours && break; sleep 0.05; done
ours || { echo "the forum fixture did not start" >&2; exit 1; }
wine "$dir/bench/startup/startup_bench.exe" "$runs" "$(winepath -w "$dir/app/Quorvale.exe")" \
  "$(winepath -w "$dir/bench/startup/bare_window.exe")"
