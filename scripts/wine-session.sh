#!/usr/bin/env bash
# Runs a command inside a throwaway Windows session: a fresh Wine prefix in code
# page 936, one wineserver kept alive for the whole run, and an Xvfb display of
# its own. Everything is torn down afterwards, whatever the command's outcome.
#   scripts/wine-session.sh COMMAND [ARGS...]
set -uo pipefail

session=$(mktemp -d /tmp/quorvale-wine.XXXXXX)
export WINEPREFIX="$session/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko install dialogs
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null  # GetACP() then answers 936 (GBK)
export QUORVALE_SESSION_DIR="$session"

# A display number nobody else holds.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$session/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"

cleanup() {
  wineserver -k >/dev/null 2>&1
  kill "$xvfb_pid" >/dev/null 2>&1
  wait "$xvfb_pid" 2>/dev/null
  rm -rf "$session"
}
trap cleanup EXIT

for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
mkdir -p "$WINEPREFIX"
# One server for the whole run: every wine start after this one costs ~0.1 s.
wineserver -p 600 2>/dev/null
wineboot -i >/dev/null 2>&1

"$@"
