#!/usr/bin/env bash
# Builds and runs every test: house rules, host unit tests (plain and under
# ASan/UBSan), then the Win32 adapter tests and the end-to-end tests under Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"
jobs="$(nproc)"
start=$SECONDS
step() { printf '\n== %s (%ss)\n' "$1" "$((SECONDS - start))"; }

step "house rules"
"$root/scripts/check-house.sh"

for preset in host host-asan; do
  step "$preset build and tests"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

step "windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

step "win32 and end-to-end tests under Wine"
ZENTICK_WINEPREFIX="$root/build/wineprefix-test" "$root/scripts/with-wine.sh" \
  ctest --preset windows
step "all tests passed"
