#!/usr/bin/env bash
# Builds the benchmarks and prints one table of every figure and ratio with the goals beside them
# (bench/README.md says what each one measures). Installs what is missing first (root, Debian 12).
#   tools/bench.sh            the table; the raw results stay in build/linux/bench/results
#   BENCH_REPETITIONS=N       repetitions of each timing (default 15)
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh >&2

repetitions=${BENCH_REPETITIONS:-15}
build=build/linux
results=$build/bench/results
cmake --preset linux >/dev/null
cmake --build --preset linux --parallel "${VANTREL_JOBS:-2}" --target vantrel vantrel-bench \
  vantrel-instruction-count vantrel-render-bench vantrel_loader_bound \
  vantrel_allocation_tests >&2
rm -rf "$results"
mkdir -p "$results"

{
  model=$(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -1)
  echo "$(date -u +%Y-%m-%d) on ${model:-an unknown processor}, $(nproc) cores, load average" \
       "$(cut -d' ' -f1-3 /proc/loadavg) at the start"
} >"$results/machine.txt"

echo "timing benchmarks 1-3 ($repetitions repetitions)..." >&2
$build/bench/vantrel-bench --benchmark_repetitions="$repetitions" \
  --benchmark_enable_random_interleaving=true --benchmark_min_time=0.1 \
  --benchmark_out="$results/timing.json" --benchmark_out_format=json >/dev/null

echo "instruction counts under callgrind..." >&2
calls=1000
for kind in loader_bound binding; do
  if [[ $kind == binding ]]; then plugin=$build/shader/vantrel.so
  else plugin=$build/bench/vantrel_loader_bound.so; fi
  for setting in minimal full scene; do
    profile=$results/callgrind-$kind-$setting.out
    valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$profile" \
      "$build/bench/vantrel-instruction-count" "$plugin" "$setting" "$calls" 2>/dev/null
    python3 bench/own_instructions.py "$profile" "/$(basename "$plugin")" "$calls" --functions \
      >"$results/instructions-$kind-$setting.txt"
  done
done

echo "reference renderer with the plug-in and with its built-in probe..." >&2
$build/bench/vantrel-render-bench --repetitions "$repetitions" >"$results/render.json"

echo "allocation test..." >&2
if $build/tests/allocation/vantrel_allocation_tests >"$results/allocation-test.log" 2>&1; then
  echo passed >"$results/allocations.txt"
else
  echo failed >"$results/allocations.txt"
fi

python3 bench/report.py "$results"
