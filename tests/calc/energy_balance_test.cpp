// The energy balance on six recording text holders: the worked figures, the
// order of every read and write, what a failure leaves behind, and the 2,000
// calculations of the independent exact reference.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/energy_balance.h"
#include "platform/runtime/errors.h"
#include "recording_fields.h"
#include "reference_cases.h"
#include "scoped_decimal_mark.h"

namespace bilan {
namespace {

using testing::FieldEvent;
using testing::RecordingFields;
using testing::ScopedDecimalMark;
using Texts = std::vector<std::string>;

struct Figures {
  const char* production;
  const char* consumption;
  Texts results;
};

void ExpectFigures(const std::vector<Figures>& rows) {
  for (const auto& row : rows) {
    RecordingFields fields;
    fields.edit[0].Preset(row.production);
    fields.edit[1].Preset(row.consumption);
    EnergyBalance(fields.Set());
    EXPECT_EQ(fields.Written(), row.results) << row.production << " / " << row.consumption;
  }
}

TEST(EnergyBalanceFigures, WithComma) {
  ScopedDecimalMark mark(',');
  ExpectFigures({
      {"1000", "250,5", {"749,5", "17988", "6565620", "6,56562"}},
      {"100", "250", {"-150", "-3600", "-1314000", "-1,314"}},
      {"12,5", "-3", {"15,5", "372", "135780", "0,13578"}},
      // Stage 3 works on the 240 shown, not on 239,99999999999976.
      {"10", "1E-14", {"9,99999999999999", "240", "87600", "0,0876"}},
      {"1E20", "0", {"1E20", "2,4E21", "8,76E23", "8,76E17"}},
      {"9999999999", "0", {"9999999999", "239999999976", "87599999991240", "87599999,99124"}},
      {"0", "0", {"0", "0", "0", "0"}},
      {"-0", "0", {"0", "0", "0", "0"}},
      {"1E-4940", "0", {"0", "0", "0", "0"}},
  });
}

TEST(EnergyBalanceFigures, WithFullStop) {
  ScopedDecimalMark mark('.');
  ExpectFigures({
      {"1000", "250.5", {"749.5", "17988", "6565620", "6.56562"}},
      {"10", "1E-14", {"9.99999999999999", "240", "87600", "0.0876"}},
  });
}

// Each stage reads back the field that the stage before it has just written.
TEST(EnergyBalanceOrder, ReadsAndWritesInOrder) {
  ScopedDecimalMark mark(',');
  RecordingFields fields;
  fields.edit[0].Preset("1000");
  fields.edit[1].Preset("250,5");
  EnergyBalance(fields.Set());
  const std::vector<FieldEvent> expected = {
      {1, FieldEvent::kRead, "1000"},     {2, FieldEvent::kRead, "250,5"},
      {3, FieldEvent::kWrite, "749,5"},   {3, FieldEvent::kRead, "749,5"},
      {4, FieldEvent::kWrite, "17988"},   {4, FieldEvent::kRead, "17988"},
      {5, FieldEvent::kWrite, "6565620"}, {5, FieldEvent::kRead, "6565620"},
      {6, FieldEvent::kWrite, "6,56562"},
  };
  EXPECT_EQ(fields.journal, expected);
}

// A field that changes its text when written (as a user's field would not,
// but a holder may) shows that the next stage computes with the text read back.
class RewritingField : public testing::RecordingField {
 public:
  using RecordingField::RecordingField;
  void SetText(const std::string& text) override {
    RecordingField::SetText(text == "749,5" ? "1" : text);
  }
};

TEST(EnergyBalanceOrder, NextStageUsesTheTextReadBack) {
  ScopedDecimalMark mark(',');
  RecordingFields fields;
  RewritingField net(3, fields.journal);
  fields.edit[0].Preset("1000");
  fields.edit[1].Preset("250,5");
  EnergyBalance(
      {fields.edit[0], fields.edit[1], net, fields.edit[3], fields.edit[4], fields.edit[5]});
  EXPECT_EQ(fields.edit[3].Current(), "24");
  EXPECT_EQ(fields.edit[5].Current(), "0,00876");
}

struct FailureRow {
  const char* name;
  const char* production;
  const char* consumption;
  const char* error_class;
  std::string message;
  Texts fields_after;  // all six, from previous texts "p3".."p6"
};

TEST(EnergyBalanceFailures, WrittenAndLeftFields) {
  ScopedDecimalMark mark(',');
  const std::string convert = "' n'est pas une valeur en virgule flottante correcte";
  const std::string overflow = "D\u00e9bordement en virgule flottante";
  const std::vector<FailureRow> rows = {
      {"empty production",
       "",
       "5",
       "EConvertError",
       "'" + convert,
       {"", "5", "p3", "p4", "p5", "p6"}},
      {"bad consumption",
       "5",
       "1.5",
       "EConvertError",
       "'1.5" + convert,
       {"5", "1.5", "p3", "p4", "p5", "p6"}},
      {"both bad quotes Edit1",
       "x",
       "y",
       "EConvertError",
       "'x" + convert,
       {"x", "y", "p3", "p4", "p5", "p6"}},
      {"difference",
       "1E4932",
       "-1E4932",
       "EOverflow",
       overflow,
       {"1E4932", "-1E4932", "p3", "p4", "p5", "p6"}},
      {"times 24",
       "1E4931",
       "0",
       "EOverflow",
       overflow,
       {"1E4931", "0", "1E4931", "p4", "p5", "p6"}},
      {"times 24 negative",
       "0",
       "1E4931",
       "EOverflow",
       overflow,
       {"0", "1E4931", "-1E4931", "p4", "p5", "p6"}},
      {"times 365",
       "1E4930",
       "0",
       "EOverflow",
       overflow,
       {"1E4930", "0", "1E4930", "2,4E4931", "p5", "p6"}},
  };
  for (const auto& row : rows) {
    RecordingFields fields;
    fields.edit[0].Preset(row.production);
    fields.edit[1].Preset(row.consumption);
    for (int i = 2; i < 6; ++i) fields.edit[i].Preset("p" + std::to_string(i + 1));
    try {
      EnergyBalance(fields.Set());
      ADD_FAILURE() << row.name << ": no error";
    } catch (const Exception& error) {
      EXPECT_STREQ(error.ClassName(), row.error_class) << row.name;
      EXPECT_EQ(error.Message(), row.message) << row.name;
    }
    EXPECT_EQ(fields.Texts(), row.fields_after) << row.name;
  }
}

// EOverflow is caught as an EMathError and an EExternal by anyone who wants to.
TEST(EnergyBalanceFailures, OverflowIsAMathError) {
  ScopedDecimalMark mark(',');
  RecordingFields fields;
  fields.edit[0].Preset("1E4931");
  fields.edit[1].Preset("0");
  EXPECT_THROW(EnergyBalance(fields.Set()), EMathError);
  EXPECT_THROW(EnergyBalance(fields.Set()), EExternal);
  // And the next run is like a first one.
  fields.edit[0].Preset("1000");
  fields.edit[1].Preset("250,5");
  fields.journal.clear();
  EnergyBalance(fields.Set());
  EXPECT_EQ(fields.Written(), (Texts{"749,5", "17988", "6565620", "6,56562"}));
}

TEST(EnergyBalanceReference, AllCases) {
  const std::string path = BILAN_REFERENCE_CASES;
  const auto cases = testing::LoadReferenceCases(path);
  if (cases.empty()) GTEST_SKIP() << "reference cases not found at " << path;
  int mismatches = 0;
  for (const auto& c : cases) {
    ScopedDecimalMark mark(c.mark);
    RecordingFields fields;
    fields.edit[0].Preset(c.production);
    fields.edit[1].Preset(c.consumption);
    std::string error_class, error_message;
    try {
      EnergyBalance(fields.Set());
    } catch (const Exception& error) {
      error_class = error.ClassName();
      error_message = error.Message();
    }
    const bool ok = fields.Written() == c.written && error_class == c.error_class.value_or("") &&
                    error_message == c.error_message;
    if (!ok && ++mismatches <= 20) {
      std::string got, want;
      for (const auto& t : fields.Written()) got += " \"" + t + '"';
      for (const auto& t : c.written) want += " \"" + t + '"';
      ADD_FAILURE() << "line " << c.line << " (" << c.production.substr(0, 60) << " / "
                    << c.consumption.substr(0, 60) << ")\n  got:" << got << " " << error_class
                    << " " << error_message.substr(0, 80) << "\n want:" << want << " "
                    << c.error_class.value_or("") << " " << c.error_message.substr(0, 80);
    }
  }
  EXPECT_EQ(mismatches, 0) << "of " << cases.size() << " reference cases";
}

}  // namespace
}  // namespace bilan
