#!/usr/bin/env bash
# Builds everything twice (an optimised build and an AddressSanitizer + UndefinedBehaviorSanitizer
# build) and runs every test headless through CTest. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
echo "== format"
# Every C++ file of ours keeps the committed .clang-format; this fails on the first one that does not.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" -DBUILD_TESTING=ON -DTOVARIN_BENCHMARK=ON >/dev/null
    cmake --build --preset "$preset"
    # Two at a time, one per core of the machines we test on; tests that share the X display
    # take it in turn (RESOURCE_LOCK).
    ctest --preset "$preset" --timeout 600 -j2
done
echo "All tests passed."
