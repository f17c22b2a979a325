#!/usr/bin/env bash
# Installs what the build and the tests need, only when something is missing, so that both
# README commands work on a bare Debian 12 machine and cost about a second afterwards.
set -euo pipefail

packages=(
  cmake ninja-build make g++ googletest
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine32:i386 wine64 xvfb xdotool x11-utils imagemagick fonts-wqy-microhei locales procps
)
# Another command's own set instead, e.g. `make fuzz`: bootstrap.sh clang libclang-rt-14-dev …
[ $# -eq 0 ] || packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
