// The decimal conversions and one whole calculation, side by side with the C
// library's strtold and snprintf("%.15Lg") on the same typical field texts and
// values, with the ratios measured in the same run printed at the end.

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "calc/decimal_text.h"
#include "calc/energy_balance.h"
#include "calc/fields.h"
#include "platform/runtime/decimal_mark.h"
#include "platform/runtime/float_env.h"

namespace {

using bilan::Extended;

// Texts as a user types them and as the result fields show them. The C
// library reads them in the "C" locale, so the mark is the full stop for both.
const std::vector<std::string> kTexts = {
    "1000",    "250.5",          "749.5",  "17988",   "6565620", "6.56562", "9.99999999999999",
    "240",     "87600",          "0.0876", "1314000", "-1.314",  "12.5",    "135780",
    "0.13578", "87599999.99124",
};

std::vector<Extended> TypicalValues() {
  std::vector<Extended> values;
  for (const auto& text : kTexts) values.push_back(bilan::ReadDecimal(text));
  // And unrounded results of the stages, as WriteDecimal receives them.
  values.push_back(7008000.0L / 1000000);
  values.push_back(239.99999999999976L);
  values.push_back(1.0L / 3);
  return values;
}

void BM_ReadDecimal(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    Extended value = bilan::ReadDecimal(kTexts[i]);
    benchmark::DoNotOptimize(value);
    if (++i == kTexts.size()) i = 0;
  }
}
BENCHMARK(BM_ReadDecimal);

void BM_strtold(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    Extended value = std::strtold(kTexts[i].c_str(), nullptr);
    benchmark::DoNotOptimize(value);
    if (++i == kTexts.size()) i = 0;
  }
}
BENCHMARK(BM_strtold);

void BM_WriteDecimal(benchmark::State& state) {
  const std::vector<Extended> values = TypicalValues();
  std::size_t i = 0;
  for (auto _ : state) {
    std::string text = bilan::WriteDecimal(values[i]);
    benchmark::DoNotOptimize(text);
    if (++i == values.size()) i = 0;
  }
}
BENCHMARK(BM_WriteDecimal);

void BM_snprintf(benchmark::State& state) {
  const std::vector<Extended> values = TypicalValues();
  std::size_t i = 0;
  for (auto _ : state) {
    char buffer[64];
    // An explicit long double: on the software backend Extended is a class.
    const int length = std::snprintf(buffer, 64, "%.15Lg", static_cast<long double>(values[i]));
    // The same result type as WriteDecimal: a string.
    std::string text(buffer, static_cast<std::size_t>(length));
    benchmark::DoNotOptimize(text);
    if (++i == values.size()) i = 0;
  }
}
BENCHMARK(BM_snprintf);

void BM_EnergyBalance(benchmark::State& state) {
  bilan::TextInMemory production("1000"), consumption("250.5"), net, daily, yearly, megawatts;
  const bilan::FieldSet fields{production, consumption, net, daily, yearly, megawatts};
  for (auto _ : state) {
    bilan::EnergyBalance(fields);
    benchmark::DoNotOptimize(megawatts);
  }
}
BENCHMARK(BM_EnergyBalance);

// Prints as usual and keeps the real and CPU time per iteration of each
// benchmark.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  struct Times {
    double real_ns = 0;
    double cpu_ns = 0;
  };
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs)
      if (!run.error_occurred && run.run_type == Run::RT_Iteration)
        times_[run.benchmark_name()] = {run.GetAdjustedRealTime() * NanosecondsPer(run.time_unit),
                                        run.GetAdjustedCPUTime() * NanosecondsPer(run.time_unit)};
    ConsoleReporter::ReportRuns(runs);
  }
  Times Of(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? Times{} : it->second;
  }

 private:
  static double NanosecondsPer(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond:
        return 1e9;
      case benchmark::kMillisecond:
        return 1e6;
      case benchmark::kMicrosecond:
        return 1e3;
      default:
        return 1;
    }
  }
  std::map<std::string, Times> times_;
};

// The ratio on real time and on CPU time; on a busy machine the CPU time is
// the steadier of the two.
void PrintRatio(const RecordingReporter& reporter, const char* ours, const char* theirs,
                double target) {
  const auto a = reporter.Of(ours), b = reporter.Of(theirs);
  if (a.real_ns <= 0 || b.real_ns <= 0 || a.cpu_ns <= 0 || b.cpu_ns <= 0) return;
  const double real_ratio = b.real_ns / a.real_ns, cpu_ratio = b.cpu_ns / a.cpu_ns;
  std::printf(
      "%-13s %6.1f ns (cpu %6.1f)  %-9s %6.1f ns (cpu %6.1f)  ratio %.2fx (cpu %.2fx)  target >= "
      "%.1fx: %s\n",
      ours + 3, a.real_ns, a.cpu_ns, theirs + 3, b.real_ns, b.cpu_ns, real_ratio, cpu_ratio, target,
      real_ratio >= target && cpu_ratio >= target ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv) {
  bilan::InitFloatingPointEnvironment();
  std::setlocale(LC_ALL, "C");
  bilan::DecimalMark = '.';
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nRatios measured in this run (C library time / ours):\n");
  PrintRatio(reporter, "BM_WriteDecimal", "BM_snprintf", 3.0);
  PrintRatio(reporter, "BM_ReadDecimal", "BM_strtold", 1.5);
  const auto whole = reporter.Of("BM_EnergyBalance");
  if (whole.real_ns > 0)
    std::printf("One whole calculation (5 reads, 4 stages, 4 writes): %.1f ns (cpu %.1f)\n",
                whole.real_ns, whole.cpu_ns);
  benchmark::Shutdown();
  return 0;
}
