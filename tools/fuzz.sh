#!/usr/bin/env bash
# Builds the libFuzzer targets of the decimal conversions with clang and runs
# each for a bounded time, starting from the committed seed corpus.
#
#   tools/fuzz.sh [SECONDS]     SECONDS per target, default 20
#
# A longer run, e.g. an hour per target:  tools/fuzz.sh 3600
# New inputs that libFuzzer finds go to fuzz-corpus-work/<target>/ (ignored by
# git); crashing inputs to fuzz-corpus-work/crashes/. Environment:
#   BILAN_FUZZ_BUILD            build folder (default build-fuzz)
#   BILAN_FUZZ_WORK             corpus and crash folder (default fuzz-corpus-work)
#   BILAN_SOFTWARE_EXTENDED=ON  fuzz the conversions on the software arithmetic
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

seconds=${1:-20}
build=${BILAN_FUZZ_BUILD:-$root/build-fuzz}
work=${BILAN_FUZZ_WORK:-$root/fuzz-corpus-work}

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is not installed (tools/setup.sh installs it)" >&2
  exit 77
fi

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DBILAN_SOFTWARE_EXTENDED="${BILAN_SOFTWARE_EXTENDED:-OFF}" >/dev/null
cmake --build "$build" -j2

mkdir -p "$work/crashes"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for target in read_decimal write_decimal; do
  mkdir -p "$work/$target"
  echo "fuzz: $target for ${seconds}s"
  # -max_len: long enough for a 4933-digit seed; -timeout: a hang is a failure.
  log=$work/$target.log
  status=0
  "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -max_len=8192 \
    -print_final_stats=1 -artifact_prefix="$work/crashes/$target-" \
    "$work/$target" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  grep -E '^(stat::|fuzz check|==[0-9]+==|SUMMARY|INFO: seed)|runtime error' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 30 "$log" >&2
    echo "fuzz: $target failed (status $status); the input is in $work/crashes/" >&2
    exit 1
  fi
  echo "fuzz: $target corpus now $(ls "$work/$target" | wc -l) files in $work/$target"
done
