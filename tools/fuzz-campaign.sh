#!/usr/bin/env bash
# A longer fuzz campaign on one core: builds the linux-asan configuration (binding layer) and runs the fuzzer for SECONDS
# (default 1800). What it finds is kept in build/fuzz-campaign/corpus, so the next campaign goes on
# from there; an input that fails a check is left as build/fuzz-campaign/crash-*.
#   tools/fuzz-campaign.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-1800}
cmake --preset linux-asan >/dev/null
cmake --build --preset linux-asan -j 2 --target vantrel_fuzzer
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
exec fuzz/run-campaign.sh build/linux-asan/fuzz/vantrel_fuzzer build/fuzz-campaign \
  -max_total_time="$seconds"
