#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the decoders and the animation under
# sanitizers, the fuzz targets for a bounded time, then the unit, GUI and end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install.sh

jobs=$(nproc)

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

echo "== the animation under ThreadSanitizer"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs"

echo "== fuzz targets, ${TESSVANE_FUZZ_SECONDS:-60} s each"
cmake --preset fuzz -DTESSVANE_FUZZ_SECONDS="${TESSVANE_FUZZ_SECONDS:-60}" >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --test-dir build/fuzz --output-on-failure --no-tests=error -j "$jobs"

echo "== unit, GUI and end-to-end tests"
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$jobs"
ctest --preset debug -j "$jobs"
