#!/usr/bin/env bash
# Builds the whole program and its test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/ and runs every test there.
# Any sanitizer report, leaks included, fails the test that caused it.
#
#   tools/sanitize.sh [extra ctest arguments]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
build=${BILAN_SANITIZE_BUILD:-$root/build-sanitize}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBILAN_SANITIZE=ON \
  -DBILAN_BENCHMARKS=OFF
cmake --build "$build" -j2

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure -j2 "$@"
