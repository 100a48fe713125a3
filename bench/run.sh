#!/usr/bin/env bash
# Builds the benchmarks and the k60418 command in Release (build/release, as scripts/build.sh
# makes it, with the benchmarks switched on), runs the benchmarks and times `k60418 course` (every
# bundled scenario) end to end. Exit status 1 when a rule about the figures fails: time per word
# flat in the word search, the course under 2 seconds.
# Usage: bench/run.sh [Google Benchmark options, e.g. --benchmark_filter=Word]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
dir="$root/build/release"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DK60418_BENCH=ON >/dev/null
cmake --build "$dir" --target k60418_bench k60418 >/dev/null

status=0
"$dir/bench/k60418_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@" || status=1

# The course end to end: the median of five runs, build excluded.
times=()
for run in 1 2 3 4 5; do
  start=$(date +%s%N)
  if ! "$dir/k60418" course --brief >/dev/null; then
    echo "FAIL k60418 course: a scenario failed"
    status=1
  fi
  times+=($(( ($(date +%s%N) - start) / 1000000 )))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
if [ "$median" -lt 2000 ]; then verdict=ok; else verdict=FAIL; status=1; fi
echo "$verdict  k60418 course: ${median} ms (median of ${times[*]} ms; at most 2000 ms)"
exit $status
