#!/usr/bin/env bash
# Installs what building, running and testing Zentick needs on Debian 12. Safe to run again.
set -euo pipefail

pkgs=(
  cmake make ninja-build g++ pkg-config
  googletest libgtest-dev libspng-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64 xvfb xdotool x11-utils x11-apps imagemagick librsvg2-bin python3
  fonts-wqy-microhei fonts-wine espeak-ng sox
)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
