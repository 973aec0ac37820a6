#pragma once
// Six plain text holders that log every read, write and focus change in one
// shared journal, so a test sees the order of the steps across fields.

#include <string>
#include <vector>

#include "calc/fields.h"
#include "platform/runtime/errors.h"

namespace bilan::testing {

struct FieldEvent {
  enum Kind { kRead, kWrite, kFocus };
  int field;  // 1 to 6
  Kind kind;
  std::string text;  // what was read or written
  bool operator==(const FieldEvent&) const = default;
};

class RecordingField : public TextHolder {
 public:
  RecordingField(int number, std::vector<FieldEvent>& journal)
      : number_(number), journal_(journal) {}
  std::string Text() const override {
    journal_.push_back({number_, FieldEvent::kRead, text_});
    return text_;
  }
  void SetText(const std::string& text) override {
    journal_.push_back({number_, FieldEvent::kWrite, text});
    text_ = text;
  }
  void SetFocus() override {
    if (refuses_focus) throw EFocusError();
    journal_.push_back({number_, FieldEvent::kFocus, {}});
  }
  // The text as it stands, without logging a read.
  const std::string& Current() const { return text_; }
  void Preset(std::string text) { text_ = std::move(text); }
  bool refuses_focus = false;

 private:
  int number_;
  std::vector<FieldEvent>& journal_;
  std::string text_;
};

struct RecordingFields {
  std::vector<FieldEvent> journal;
  RecordingField edit[6] = {{1, journal}, {2, journal}, {3, journal},
                            {4, journal}, {5, journal}, {6, journal}};
  FieldSet Set() { return {edit[0], edit[1], edit[2], edit[3], edit[4], edit[5]}; }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& field : edit) texts.push_back(field.Current());
    return texts;
  }
  std::vector<std::string> Written() const {
    std::vector<std::string> written;
    for (const auto& event : journal)
      if (event.kind == FieldEvent::kWrite) written.push_back(event.text);
    return written;
  }
};

}  // namespace bilan::testing
