#!/usr/bin/env bash
# The hardening suites: the whole native suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer, together with the bounded fuzz campaign, and built with
# ThreadSanitizer, where the concurrency stress tests run under the race detector. A failed test,
# a failed fuzz check or any sanitizer report fails the command.
set -euo pipefail
cd "$(dirname "$0")/.."

for preset in linux-asan linux-loader-asan linux-tsan; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  ctest --preset "$preset" -j "$(nproc)"
done
