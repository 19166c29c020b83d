#!/usr/bin/env bash
# Runs the fuzzer from the seed corpus. New inputs go to WORKDIR/corpus (the seeds in the
# repository are never written), and an input that fails a check is kept in WORKDIR as crash-*.
#   fuzz/run-campaign.sh [--fresh] FUZZER WORKDIR LIBFUZZER-OPTION...
# --fresh starts from the seeds alone, so that a run with a fixed -runs and -seed is the same every
# time. Ends with the fuzzer's status: non-zero when a check failed or a sanitizer reported.
set -euo pipefail

fresh=0
if [[ ${1-} == --fresh ]]; then
  fresh=1
  shift
fi
fuzzer=$1
workdir=$2
shift 2
seeds="$(cd "$(dirname "$0")" && pwd)/corpus"

((fresh)) && rm -rf "$workdir"
mkdir -p "$workdir/corpus"
# 1024 bytes hold a call with every parameter connected, two traces, seven transforms, and room
# for connected vantrel instances.
exec "$fuzzer" -max_len=1024 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$workdir/" "$@" "$workdir/corpus" "$seeds"
