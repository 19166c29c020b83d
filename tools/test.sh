#!/usr/bin/env bash
# Builds and runs every test suite; any failure fails the whole command. Installs what is missing
# first (run as root on Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

run_suite() {
  local preset=$1
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  ctest --preset "$preset" -j "$(nproc)"
}

# The plug-in with the host functions bound by the loader, and with the binding layer.
run_suite linux-loader
run_suite linux

# The two shipped platforms, cross-built, with their suites run under qemu-ppc and Wine.
tools/test-cross.sh ppc mingw-i686

# The native suite again under AddressSanitizer with UndefinedBehaviorSanitizer (with the bounded
# fuzz campaign) and under ThreadSanitizer (with the concurrency stress).
tools/test-hardening.sh
