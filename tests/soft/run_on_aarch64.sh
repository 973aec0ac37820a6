#!/usr/bin/env bash
# Builds the calculation core for a 64-bit ARM machine, whose long double is
# not the x87 format (so the software arithmetic is chosen by itself), and runs
# under qemu the software arithmetic's known answers and the energy balance
# tests, including the reference calculations when they are present.
#
#   run_on_aarch64.sh SOURCE_DIR WORK_DIR [REFERENCE_CASES]
# Exits 77 (skipped) when the cross compiler, qemu or GoogleTest's sources are
# missing.
set -euo pipefail
source_dir=$1
work=$2
cases=${3:-}
gtest=/usr/src/googletest/googletest
cxx=aarch64-linux-gnu-g++

for tool in "$cxx" qemu-aarch64; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (tools/setup.sh installs it)"
    exit 77
  fi
done
if [ ! -f "$gtest/src/gtest-all.cc" ]; then
  echo "skipped: GoogleTest's sources are not in $gtest"
  exit 77
fi

mkdir -p "$work"
flags=(-std=c++20 -O2 -Wall -Wextra -I"$source_dir" -I"$source_dir/tests/calc" -I"$gtest/include")
if [ ! -f "$work/gtest-all.o" ]; then
  "$cxx" "${flags[@]}" -I"$gtest" -c "$gtest/src/gtest-all.cc" -o "$work/gtest-all.o"
fi
# Static linking warns about getaddrinfo in GoogleTest's streaming listener.
if ! "$cxx" "${flags[@]}" -static -pthread -DBILAN_REFERENCE_CASES="\"$cases\"" \
  "$source_dir"/calc/*.cpp "$source_dir"/platform/runtime/*.cpp \
  "$source_dir/tests/soft/known_cases_test.cpp" \
  "$source_dir/tests/calc/energy_balance_test.cpp" "$source_dir/tests/calc/reference_cases.cpp" \
  "$gtest/src/gtest_main.cc" "$work/gtest-all.o" -o "$work/calc_on_aarch64" 2>"$work/build.log"; then
  cat "$work/build.log" >&2
  exit 1
fi
qemu-aarch64 "$work/calc_on_aarch64"
