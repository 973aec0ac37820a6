// The clearing: all six texts emptied first, then the focus given to Edit1 to
// Edit6 in turn, so that it ends in Edit6.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/clearing.h"
#include "platform/runtime/errors.h"
#include "recording_fields.h"

namespace bilan {
namespace {

using testing::FieldEvent;
using testing::RecordingFields;

const std::vector<FieldEvent> kEmptyThenFocus = {
    {1, FieldEvent::kWrite, ""}, {2, FieldEvent::kWrite, ""}, {3, FieldEvent::kWrite, ""},
    {4, FieldEvent::kWrite, ""}, {5, FieldEvent::kWrite, ""}, {6, FieldEvent::kWrite, ""},
    {1, FieldEvent::kFocus, ""}, {2, FieldEvent::kFocus, ""}, {3, FieldEvent::kFocus, ""},
    {4, FieldEvent::kFocus, ""}, {5, FieldEvent::kFocus, ""}, {6, FieldEvent::kFocus, ""},
};

TEST(ClearFields, EmptiesAllThenFocusesEachInTurn) {
  const std::vector<std::vector<std::string>> starts = {
      {"", "", "0,0", "0,0", "0,0", "0,0"},                                  // start-up
      {"1000", "250,5", "9,99999999999999", "17988", "6565620", "6,56562"},  // after a run
      {"", "", "", "", "", ""},                                              // already empty
      {"abc", "x", "typed", "in", "result", "fields"},
  };
  for (const auto& start : starts) {
    RecordingFields fields;
    for (int i = 0; i < 6; ++i) fields.edit[i].Preset(start[i]);
    ClearFields(fields.Set());
    EXPECT_EQ(fields.Texts(), std::vector<std::string>(6, "")) << start[2];
    // Reads nothing: every field is emptied whatever it holds.
    EXPECT_EQ(fields.journal, kEmptyThenFocus) << start[2];
  }
}

// A refused focus request ends the clearing at that step, with every field
// already empty and the later fields not focused.
TEST(ClearFields, RefusedFocusEndsAfterEmptying) {
  RecordingFields fields;
  for (int i = 0; i < 6; ++i) fields.edit[i].Preset("text");
  fields.edit[3].refuses_focus = true;
  try {
    ClearFields(fields.Set());
    ADD_FAILURE() << "the refusal did not end the clearing";
  } catch (const EFocusError& error) {
    EXPECT_EQ(error.Message(),
              "Impossible de focaliser une fen\u00eatre d\u00e9sactiv\u00e9e ou invisible");
  }
  EXPECT_EQ(fields.Texts(), std::vector<std::string>(6, ""));
  const std::vector<FieldEvent> expected(kEmptyThenFocus.begin(), kEmptyThenFocus.begin() + 9);
  EXPECT_EQ(fields.journal, expected);
}

}  // namespace
}  // namespace bilan
