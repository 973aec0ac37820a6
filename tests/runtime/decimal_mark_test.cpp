// The decimal mark read from real system locales: the thread's locale through
// uselocale, the user's default through the environment, and a locale whose
// radix character takes more than one byte.

#include <gtest/gtest.h>
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/runtime/decimal_mark.h"

// glibc's newlocale keeps the list it makes from LOCPATH; not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:__argz_add_sep\n"; }

namespace bilan {
namespace {

// Makes `name` the calling thread's locale for one scope.
class ThreadLocale {
 public:
  explicit ThreadLocale(const char* name) : locale_(newlocale(LC_ALL_MASK, name, nullptr)) {
    if (locale_ != nullptr) previous_ = uselocale(locale_);
  }
  ~ThreadLocale() {
    if (locale_ == nullptr) return;
    uselocale(previous_);
    freelocale(locale_);
  }
  bool ok() const { return locale_ != nullptr; }
  locale_t get() const { return locale_; }

 private:
  locale_t locale_;
  locale_t previous_ = nullptr;
};

// Sets environment variables for one scope and puts the old values back, and
// the thread back on the global locale.
class ScopedEnvironment {
 public:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second)
        setenv(it->first.c_str(), it->second->c_str(), 1);
      else
        unsetenv(it->first.c_str());
    }
    uselocale(LC_GLOBAL_LOCALE);
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

class DecimalMarkTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_mark_ = DecimalMark; }
  void TearDown() override { DecimalMark = saved_mark_; }

 private:
  char saved_mark_ = '.';
};

TEST_F(DecimalMarkTest, FromTheThreadsLocale) {
  const struct {
    const char* locale;
    char mark;
  } cases[] = {{"fr_FR.UTF-8", ','}, {"en_US.UTF-8", '.'}, {"C", '.'}, {"fr_FR.UTF-8", ','}};
  for (const auto& c : cases) {
    ThreadLocale locale(c.locale);
    ASSERT_TRUE(locale.ok()) << c.locale << " is missing: tools/setup.sh generates it";
    DecimalMark = '?';
    LoadDecimalMark();
    EXPECT_EQ(DecimalMark, c.mark) << c.locale;
  }
}

TEST_F(DecimalMarkTest, UserDefaultFollowsTheEnvironment) {
  const struct {
    const char* lc_all;
    const char* lc_numeric;
    const char* lang;
    char mark;
  } cases[] = {
      {"fr_FR.UTF-8", nullptr, nullptr, ','},
      {"en_US.UTF-8", "fr_FR.UTF-8", "fr_FR.UTF-8", '.'},
      {nullptr, "fr_FR.UTF-8", "en_US.UTF-8", ','},
      {nullptr, nullptr, "fr_FR.UTF-8", ','},
      {nullptr, nullptr, nullptr, '.'},
  };
  for (const auto& c : cases) {
    ScopedEnvironment environment;
    environment.Set("LC_ALL", c.lc_all);
    environment.Set("LC_NUMERIC", c.lc_numeric);
    environment.Set("LANG", c.lang);
    InstallUserDefaultLocale();
    DecimalMark = '?';
    LoadDecimalMark();
    EXPECT_EQ(DecimalMark, c.mark)
        << (c.lc_all ? c.lc_all : "-") << " " << (c.lc_numeric ? c.lc_numeric : "-") << " "
        << (c.lang ? c.lang : "-");
  }
}

// A settings change is followed by installing the user's default again and
// reloading: the mark changes with it.
TEST_F(DecimalMarkTest, ReloadAfterAChange) {
  ScopedEnvironment environment;
  environment.Set("LC_ALL", "fr_FR.UTF-8");
  InstallUserDefaultLocale();
  LoadDecimalMark();
  EXPECT_EQ(DecimalMark, ',');
  // A locale the system does not have leaves the installed one in force.
  environment.Set("LC_ALL", "xx_YY.UTF-8");
  InstallUserDefaultLocale();
  LoadDecimalMark();
  EXPECT_EQ(DecimalMark, ',');
  environment.Set("LC_ALL", "en_US.UTF-8");
  InstallUserDefaultLocale();
  LoadDecimalMark();
  EXPECT_EQ(DecimalMark, '.');
}

// Pashto (Afghanistan) separates decimals with U+066B, two bytes in UTF-8:
// not one byte, so the mark is the full stop.
TEST_F(DecimalMarkTest, MultiByteRadixGivesFullStop) {
  if (system("command -v localedef >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "localedef is not installed";
  char dir_template[] = "/tmp/bilan-locale-XXXXXX";
  ASSERT_NE(mkdtemp(dir_template), nullptr);
  const std::filesystem::path dir = dir_template;
  const std::string command =
      "localedef -i ps_AF -f UTF-8 " + (dir / "ps_AF.UTF-8").string() + " >/dev/null 2>&1";
  const int built = system(command.c_str());
  if (!std::filesystem::exists(dir / "ps_AF.UTF-8" / "LC_NUMERIC")) {
    std::filesystem::remove_all(dir);
    GTEST_SKIP() << "localedef could not build ps_AF.UTF-8 (status " << built << ")";
  }
  {
    ScopedEnvironment environment;
    environment.Set("LOCPATH", dir.c_str());
    ThreadLocale locale("ps_AF.UTF-8");
    ASSERT_TRUE(locale.ok());
    const std::string radix = nl_langinfo_l(RADIXCHAR, locale.get());
    ASSERT_EQ(radix, "\xD9\xAB") << "the test needs a radix character of more than one byte";
    DecimalMark = ',';
    LoadDecimalMark();
    EXPECT_EQ(DecimalMark, '.');
    // Also when it comes as the user's default.
    environment.Set("LC_ALL", "ps_AF.UTF-8");
    {
      ThreadLocale french("fr_FR.UTF-8");
      InstallUserDefaultLocale();
      DecimalMark = ',';
      LoadDecimalMark();
      EXPECT_EQ(DecimalMark, '.');
      EXPECT_EQ(std::string(nl_langinfo(RADIXCHAR)), "\xD9\xAB");
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace bilan
