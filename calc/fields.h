#pragma once
// The six fields as the calculation and the clearing see them: plain text
// holders. The window supplies its edit fields; tests supply simple substitutes.

#include <string>
#include <utility>

namespace bilan {

class TextHolder {
 public:
  virtual ~TextHolder() = default;
  // The whole current text, UTF-8.
  virtual std::string Text() const = 0;
  // Replaces the whole text. A change made by the program, not typing: no
  // typed-text limit applies and nothing reacts to it.
  virtual void SetText(const std::string& text) = 0;
  // Gives the holder the keyboard focus (a complete focus change). May throw
  // EFocusError when the holder cannot take the focus.
  virtual void SetFocus() = 0;
};

// A holder whose text lives in memory and that takes the focus without a
// window: what a calculation run without the window reads and writes.
class TextInMemory : public TextHolder {
 public:
  explicit TextInMemory(std::string text = {}) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }
  void SetFocus() override {}

 private:
  std::string text_;
};

// Edit1 production, Edit2 pump consumption, Edit3 net production,
// Edit4 per day, Edit5 per year, Edit6 megawatts.
struct FieldSet {
  TextHolder& Edit1;
  TextHolder& Edit2;
  TextHolder& Edit3;
  TextHolder& Edit4;
  TextHolder& Edit5;
  TextHolder& Edit6;
};

}  // namespace bilan
