// Cost of each operation in the software arithmetic and, on x86, of the same
// operation on long double, over the same operands: ordinary magnitudes like
// the ones the decimal conversions multiply and divide.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "calc/soft_extended.h"
#include "tests/soft/x87.h"

namespace bilan {
namespace {

constexpr std::size_t kPairs = 1024;

struct Operands {
  std::vector<SoftExtended> a, b;
};

const Operands& SharedOperands() {
  static const Operands operands = [] {
    Operands o;
    std::mt19937_64 random(42);
    std::uniform_int_distribution<int> exponent(-40, 40);
    for (std::size_t i = 0; i < kPairs; ++i) {
      for (auto* side : {&o.a, &o.b}) {
        const std::uint64_t significand = random() | SoftExtended::kIntegerBit;
        side->push_back(SoftExtended::FromBits(
            static_cast<std::uint16_t>(SoftExtended::kExponentBias + exponent(random)),
            significand));
      }
    }
    return o;
  }();
  return operands;
}

template <SoftExtended (*op)(SoftExtended, SoftExtended, SoftFlags&)>
void Software(benchmark::State& state) {
  const Operands& o = SharedOperands();
  SoftFlags flags = 0;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(op(o.a[i], o.b[i], flags));
    i = (i + 1) % kPairs;
  }
  benchmark::DoNotOptimize(flags);
}

void SoftwareRound(benchmark::State& state) {
  const Operands& o = SharedOperands();
  SoftFlags flags = 0;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RoundToInteger(o.a[i], flags));
    i = (i + 1) % kPairs;
  }
  benchmark::DoNotOptimize(flags);
}

BENCHMARK(Software<Add>)->Name("soft/add");
BENCHMARK(Software<Sub>)->Name("soft/sub");
BENCHMARK(Software<Mul>)->Name("soft/mul");
BENCHMARK(Software<Div>)->Name("soft/div");
BENCHMARK(SoftwareRound)->Name("soft/round");

#ifdef BILAN_HAVE_X87
struct HardOperands {
  std::vector<long double> a, b;
};

const HardOperands& SharedHardOperands() {
  static const HardOperands operands = [] {
    HardOperands h;
    for (std::size_t i = 0; i < kPairs; ++i) {
      h.a.push_back(x87::ToHardware(SharedOperands().a[i]));
      h.b.push_back(x87::ToHardware(SharedOperands().b[i]));
    }
    return h;
  }();
  return operands;
}

template <int kind>
void Hardware(benchmark::State& state) {
  const HardOperands& h = SharedHardOperands();
  std::size_t i = 0;
  for (auto _ : state) {
    long double r;
    if constexpr (kind == 0) r = h.a[i] + h.b[i];
    if constexpr (kind == 1) r = h.a[i] - h.b[i];
    if constexpr (kind == 2) r = h.a[i] * h.b[i];
    if constexpr (kind == 3) r = h.a[i] / h.b[i];
    if constexpr (kind == 4) {
      r = h.a[i];
      asm("frndint" : "+t"(r));
    }
    benchmark::DoNotOptimize(r);
    i = (i + 1) % kPairs;
  }
}

BENCHMARK(Hardware<0>)->Name("x87/add");
BENCHMARK(Hardware<1>)->Name("x87/sub");
BENCHMARK(Hardware<2>)->Name("x87/mul");
BENCHMARK(Hardware<3>)->Name("x87/div");
BENCHMARK(Hardware<4>)->Name("x87/round");
#endif

}  // namespace
}  // namespace bilan

BENCHMARK_MAIN();
