#!/usr/bin/env bash
# Installs, with apt-get, whatever the builds and tests need and is missing.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

packages=(
  cmake make g++ python3
  clang libclang-rt-14-dev          # libFuzzer
  clang-format
  googletest libbenchmark-dev
  libcurl4-openssl-dev
  g++-mingw-w64-x86-64              # the Windows cross build
  wine wine64                       # 64-bit only: never wine32
  xvfb xauth x11-utils xdotool imagemagick
  fonts-wqy-microhei                # without a CJK font Chinese draws as boxes
  curl                              # the fetch benchmark's reference
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
