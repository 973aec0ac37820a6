// bilan-calcul as scripts see it: arguments taken exactly as given, the decimal
// mark of the user's locale, one line per result, errors on standard error
// with the closing period, and the exit status.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "reference_cases.h"
#include "run_program.h"

namespace bilan {
namespace {

using testing::ProgramRun;
using testing::RunProgram;

const std::string kProgram = BILAN_CLI_PROGRAM;
const std::string kFrench = "LC_ALL=fr_FR.UTF-8";
const std::string kEnglish = "LC_ALL=en_US.UTF-8";
const std::string kNotANumber = "' n'est pas une valeur en virgule flottante correcte.\n";
const std::string kOverflow = "D\u00e9bordement en virgule flottante.\n";

ProgramRun Calcul(const std::vector<std::string>& environment, const std::string& production,
                  const std::string& consumption) {
  return RunProgram(kProgram, {production, consumption}, environment);
}

TEST(BilanCalculUsage, WrongArgumentCount) {
  for (const auto& arguments :
       std::vector<std::vector<std::string>>{{}, {"1000"}, {"1", "2", "3"}}) {
    const ProgramRun run = RunProgram(kProgram, arguments, {kFrench});
    EXPECT_EQ(run.exit_status, 2) << arguments.size() << " arguments";
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("Usage : bilan-calcul PRODUCTION CONSOMMATION\n", 0), 0u) << run.err;
    EXPECT_GT(run.err.size(), 60u) << "a line of explanation follows the usage line";
  }
}

struct Row {
  std::string locale;
  std::string production;
  std::string consumption;
  int status;
  std::string out;
  std::string err;
};

TEST(BilanCalculRuns, FiguresAndFailures) {
  const std::vector<Row> rows = {
      {kFrench, "1000", "250,5", 0, "749,5\n17988\n6565620\n6,56562\n", ""},
      {kEnglish, "1000", "250.5", 0, "749.5\n17988\n6565620\n6.56562\n", ""},
      {kFrench, "10", "1E-14", 0, "9,99999999999999\n240\n87600\n0,0876\n", ""},
      {kEnglish, "100", "250", 0, "-150\n-3600\n-1314000\n-1.314\n", ""},
      {kFrench, "-0", "0", 0, "0\n0\n0\n0\n", ""},
      {kFrench, " 12 ", "+,5", 0, "11,5\n276\n100740\n0,10074\n", ""},
      // The other locale's mark is not a number here.
      {kFrench, "1000", "250.5", 1, "", "'250.5" + kNotANumber},
      {kEnglish, "1000", "250,5", 1, "", "'250,5" + kNotANumber},
      // Arguments are not trimmed: the message quotes them whole.
      {kFrench, "", "1", 1, "", "'" + kNotANumber},
      {kFrench, "12\t", "1", 1, "", "'12\t" + kNotANumber},
      {kFrench, "x", "y", 1, "", "'x" + kNotANumber},
      {kFrench, "1\xC3\xA9", "1", 1, "", "'1\xC3\xA9" + kNotANumber},
      {kFrench,
       "\xC2\xA0"
       "12",
       "1", 1, "",
       "'\xC2\xA0"
       "12" +
           kNotANumber},
      // Overflow at each stage: the lines written before it stay printed.
      {kFrench, "1E4932", "-1E4932", 1, "", kOverflow},
      {kFrench, "1E4931", "0", 1, "1E4931\n", kOverflow},
      {kFrench, "1E4930", "0", 1, "1E4930\n2,4E4931\n", kOverflow},
      {kEnglish, "-1E4930", "0", 1, "-1E4930\n-2.4E4931\n", kOverflow},
  };
  for (const auto& row : rows) {
    const ProgramRun run = Calcul({row.locale}, row.production, row.consumption);
    EXPECT_EQ(run.exit_status, row.status)
        << row.locale << " " << row.production << " / " << row.consumption;
    EXPECT_EQ(run.out, row.out) << row.production << " / " << row.consumption;
    EXPECT_EQ(run.err, row.err) << row.production << " / " << row.consumption;
  }
}

// The mark comes from the user's locale as LC_ALL, LC_NUMERIC and LANG give
// it; without any, or with a locale the system lacks, it is the full stop.
TEST(BilanCalculRuns, DecimalMarkFromTheEnvironment) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"LANG=fr_FR.UTF-8"}, "1,5\n"},
      {{"LC_NUMERIC=fr_FR.UTF-8", "LANG=en_US.UTF-8"}, "1,5\n"},
      {{"LC_ALL=en_US.UTF-8", "LC_NUMERIC=fr_FR.UTF-8"}, "1.5\n"},
      {{}, "1.5\n"},
      {{"LC_ALL=C"}, "1.5\n"},
      {{"LC_ALL=xx_YY.UTF-8"}, "1.5\n"},
  };
  for (const auto& [environment, first_line] : cases) {
    const std::string mark = first_line.substr(1, 1);
    const ProgramRun run = Calcul(environment, "3", "1" + mark + "5");
    EXPECT_EQ(run.exit_status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, first_line.size()), first_line)
        << (environment.empty() ? "no locale variables" : environment[0]);
  }
}

// A locale whose radix character is two bytes (U+066B in UTF-8) gives the
// full stop.
TEST(BilanCalculRuns, MultiByteRadixLocale) {
  if (std::system("command -v localedef >/dev/null 2>&1") != 0) GTEST_SKIP() << "no localedef";
  char dir[] = "/tmp/bilan-cli-locale-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string locale_dir = std::string(dir) + "/ps_AF.UTF-8";
  const int built =
      std::system(("localedef -i ps_AF -f UTF-8 " + locale_dir + " >/dev/null 2>&1").c_str());
  if (!std::filesystem::exists(locale_dir + "/LC_NUMERIC")) {
    std::filesystem::remove_all(dir);
    GTEST_SKIP() << "localedef could not build ps_AF.UTF-8 (status " << built << ")";
  }
  // glibc's newlocale keeps the list it makes from LOCPATH, which a leak
  // checker would report at exit in a sanitizer build.
  const std::vector<std::string> environment = {"LOCPATH=" + std::string(dir), "LC_ALL=ps_AF.UTF-8",
                                                "ASAN_OPTIONS=detect_leaks=0"};
  const ProgramRun accepted = Calcul(environment, "3", "1.5");
  EXPECT_EQ(accepted.exit_status, 0) << accepted.err;
  EXPECT_EQ(accepted.out, "1.5\n36\n13140\n0.01314\n");
  const ProgramRun rejected = Calcul(environment, "3",
                                     "1\xD9\xAB"
                                     "5");
  EXPECT_EQ(rejected.exit_status, 1);
  EXPECT_EQ(rejected.err,
            "'1\xD9\xAB"
            "5" +
                kNotANumber);
  std::filesystem::remove_all(dir);
}

// An argument as long as the system allows is quoted whole.
TEST(BilanCalculRuns, LongArgument) {
  const std::string digits(100000, '9');
  const ProgramRun run = Calcul({kFrench}, "1", digits);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "'" + digits + kNotANumber);
}

// Every reference calculation, in the locale of its mark, through the real
// program: the lines, the message and the status. Arguments cannot hold a NUL
// byte; no reference text does.
TEST(BilanCalculReference, AllCasesThroughTheProgram) {
  const std::string path = BILAN_REFERENCE_CASES;
  const auto cases = testing::LoadReferenceCases(path);
  if (cases.empty()) GTEST_SKIP() << "reference cases not found at " << path;
  int mismatches = 0;
  for (const auto& c : cases) {
    const ProgramRun run =
        Calcul({c.mark == ',' ? kFrench : kEnglish}, c.production, c.consumption);
    std::string out;
    for (const auto& line : c.written) out += line + "\n";
    // Every message of the program ends with a letter, so the period follows.
    const std::string err = c.error_class ? c.error_message + ".\n" : "";
    const int status = c.error_class ? 1 : 0;
    if ((run.out != out || run.err != err || run.exit_status != status) && ++mismatches <= 10) {
      ADD_FAILURE() << "line " << c.line << ": status " << run.exit_status << "\n"
                    << run.out << run.err.substr(0, 200) << "\nexpected status " << status << "\n"
                    << out << err.substr(0, 200);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace bilan
