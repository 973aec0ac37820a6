// The error classes: their names, their fixed French messages, their family,
// and the closing period that the displays add.

#include <gtest/gtest.h>

#include <string>

#include "platform/runtime/errors.h"

namespace bilan {
namespace {

TEST(Errors, ClassNamesAndMessages) {
  const EOverflow overflow;
  EXPECT_STREQ(overflow.ClassName(), "EOverflow");
  EXPECT_EQ(overflow.Message(), "D\u00e9bordement en virgule flottante");
  EXPECT_STREQ(overflow.what(), "D\u00e9bordement en virgule flottante");
  const EFocusError focus;
  EXPECT_EQ(focus.Message(),
            "Impossible de focaliser une fen\u00eatre d\u00e9sactiv\u00e9e ou invisible");
  EXPECT_STREQ(EConvertError("x").ClassName(), "EConvertError");
  EXPECT_STREQ(EExternal("x").ClassName(), "EExternal");
  EXPECT_STREQ(EMathError("x").ClassName(), "EMathError");
  EXPECT_STREQ(Exception("x").ClassName(), "Exception");
}

// EOverflow is caught as each of its ancestors, and reports its own name
// through any of them.
TEST(Errors, OverflowFamily) {
  try {
    throw EOverflow();
  } catch (const EMathError& error) {
    EXPECT_STREQ(error.ClassName(), "EOverflow");
  }
  EXPECT_THROW(throw EOverflow(), EExternal);
  EXPECT_THROW(throw EOverflow(), Exception);
  EXPECT_THROW(throw EConvertError("x"), Exception);
  // A conversion error is not an arithmetic one.
  bool caught_as_external = false;
  try {
    throw EConvertError("x");
  } catch (const EExternal&) {
    caught_as_external = true;
  } catch (const Exception&) {
  }
  EXPECT_FALSE(caught_as_external);
}

TEST(Errors, ClosingPeriod) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"abc", "abc."},
      {"D\u00e9bordement en virgule flottante", "D\u00e9bordement en virgule flottante."},
      {"fini.", "fini."},
      {"(voir)", "(voir)"},
      {"vraiment ?", "vraiment ?."},
      {"\u00e9", "\u00e9."},
      {"12", "12."},
      {"a:", "a:."},
      {"a/", "a/."},  // 0x2F, just above the period
      {"a ", "a "},
      {"a!", "a!"},
      {"a,", "a,"},
      {"a-", "a-"},
      {"a'", "a'"},
      {"a\"", "a\""},
      {"a\t", "a\t"},
  };
  for (const auto& [message, shown] : cases)
    EXPECT_EQ(WithClosingPeriod(message), shown) << message;
}

}  // namespace
}  // namespace bilan
