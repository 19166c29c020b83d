#!/usr/bin/env bash
# Builds the cross targets and runs their whole test suites under the targets' emulators, the way
# ctest runs the native suite: tools/test-cross.sh [ppc] [mingw-i686] (both when none is named).
# Installs the cross compilers and emulators first when they are missing. Any failure on any
# target fails the script.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
presets=("$@")
((${#presets[@]})) || presets=(ppc mingw-i686)

for preset in "${presets[@]}"; do
  case "$preset" in
    ppc | mingw-i686) ;;
    *) echo "unknown cross target: $preset (ppc or mingw-i686)" >&2; exit 2 ;;
  esac
done
# Does nothing when every package is there.
"$root/tools/install-deps.sh"

cd "$root"
for preset in "${presets[@]}"; do
  echo "== $preset"
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j2
  status=0
  ctest --preset "$preset" -j "$(nproc)" || status=$?
  if [[ $preset == mingw-i686 ]]; then
    # The test runs leave a Wine server behind for a few seconds; end it now.
    WINEPREFIX="$root/build/$preset/wineprefix" wineserver -k 2>/dev/null || true
  fi
  ((status == 0)) || { echo "== $preset: tests failed" >&2; exit "$status"; }
done
