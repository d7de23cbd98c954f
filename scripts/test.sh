#!/usr/bin/env bash
# Every test of Quorvale: installs what is missing, builds the native build
# (ASan, UBSan), the Windows build and the fuzz targets, then runs the native
# tests, the Windows tests under Wine, the fuzzers and the format check.
# The last line sums up all of them.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh || exit 1
jobs=$(nproc)

passed=0
failed=0
# run_ctest LABEL CTEST-ARGS...: runs one CTest suite and adds its counts.
run_ctest() {
  local label=$1 log
  shift
  log=$(mktemp)
  echo "== $label"
  "$@" 2>&1 | tee "$log"
  local summary total bad
  summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$summary" ]; then
    echo "$label: no test summary" >&2
    failed=$((failed + 1))
  else
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  rm -f "$log"
}

build() {
  local preset=$1
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null && cmake --build "build/$preset" -j "$jobs"
}

if build native; then
  run_ctest "native tests" ctest --test-dir build/native -j "$jobs" --output-on-failure
else
  echo "native build failed" >&2; failed=$((failed + 1))
fi

if build windows; then
  run_ctest "Windows tests under Wine" \
    scripts/wine-session.sh ctest --test-dir build/windows -j "$jobs" --output-on-failure
else
  echo "Windows build failed" >&2; failed=$((failed + 1))
fi

if build fuzz; then
  run_ctest "fuzzers" ctest --test-dir build/fuzz --output-on-failure
else
  echo "fuzz build failed" >&2; failed=$((failed + 1))
fi

echo "== format check"
if scripts/format.sh --check; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi

echo
echo "Quorvale: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
