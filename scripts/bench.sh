#!/usr/bin/env bash
# Builds the optimised preset and runs the benchmark: the program's start-up and peak memory as
# whole processes, and its slow moments in a test, each beside an empty Qt window measured in the
# same run (the x_empty column is the ratio to it). Prints the mean and median of five
# repetitions; extra arguments go to the benchmark (e.g. --benchmark_filter=Next).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" LC_ALL=C.UTF-8
cmake --preset default -DTOVARIN_BENCHMARK=ON >/dev/null
cmake --build --preset default --target tovarin-bench
exec build/default/bench/tovarin-bench --benchmark_repetitions=5 \
    --benchmark_display_aggregates_only=true "$@"
