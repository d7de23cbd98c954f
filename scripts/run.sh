#!/usr/bin/env bash
# Builds Quorvale.exe as shipped (preset release, the product's hosts) and starts
# it under Wine in code page 936 on your display. Without a display it starts a
# virtual one, saves a screenshot of the running window, says where, and ends
# the program.
#   scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake --preset release >/dev/null
cmake --build build/release -j "$(nproc)" --target Quorvale
exe=$PWD/build/release/app/Quorvale.exe

export LC_ALL=zh_CN.UTF-8                   # GetACP() then answers 936 (GBK)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko install dialogs

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi

# No display: a virtual one, a throwaway Wine prefix, and a screenshot.
session=$(mktemp -d /tmp/quorvale-run.XXXXXX)
export WINEPREFIX="$session/prefix"
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$session/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" >/dev/null 2>&1 || true
  wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$session"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

echo "No display: running Quorvale.exe on a virtual one ($DISPLAY)."
wine "$exe" >/dev/null 2>&1 &
# Wine gives each top-level window an X window named by its caption.
if ! window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Quorvale'); then
  echo "The window did not appear." >&2
  exit 1
fi
sleep 1  # let it finish painting
shot=$PWD/build/release/quorvale-window.png
import -window "$(head -n 1 <<<"$window")" "$shot"
echo "Quorvale.exe is running; its window: $shot"
