#pragma once
// A single-line edit field of a window: a QLineEdit with the stored settings of
// a field (colours, font, typed-text limit, tab order, reading direction) and
// the text-holder interface through which the calculation reads and writes it.
//
// It does not enforce MaxLength: the limit applies only to typing and pasting,
// which the input path handles; text written by the program is never cut.
// Keyboard, focus and selection behaviour live with the form's focus handling.

#include <QClipboard>
#include <QLineEdit>
#include <string>

#include "calc/fields.h"
#include "platform/gui/colors.h"
#include "platform/gui/control.h"
#include "platform/gui/font.h"

namespace bilan::gui {

enum class ReadingMode { LeftToRight, RightToLeft, RightToLeftNoAlign, RightToLeftReadingOnly };

class TEdit : public QLineEdit, public TWinControl, public bilan::TextHolder {
 public:
  explicit TEdit(TForm& owner);

  QWidget& Widget() override { return *this; }
  const QWidget& Widget() const override { return *this; }
  TForm& Owner() const { return owner_; }

  // The text as UTF-8; writing it replaces the whole text, uncut, and shows it
  // from its first character.
  std::string Text() const override;
  void SetText(const std::string& text) override;
  // A complete focus change through the form; throws EFocusError when refused.
  void SetFocus() override;

  // Typed-text limit in characters; 0 for none.
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int length) { max_length_ = length; }

  const TColor& Color() const { return color_; }
  void SetColor(const TColor& color);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);

  ReadingMode BiDiMode() const { return bidi_mode_; }
  void SetBiDiMode(ReadingMode mode);

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);
  // Height = the font's line height + 8 (sunken border and margins).
  void AdjustSize() override;

 protected:
  void ScaleFont(int m, int d, int ppi) override;
  void changeEvent(QEvent* event) override;

  // The input path (edit_input.cpp): the entry rule on focus, Enter and Escape
  // consumed, arrows kept in the field, and the typed-text limit applied to
  // typing, pasting (keys, context menu, middle button), dropping and composing.
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ApplyColors();
  void ApplyReadingDirection();
  // Pastes what fits of the clipboard text in place of the selection.
  void PasteWithinLimit(QClipboard::Mode mode);
  void StartUndoStep();

  TForm& owner_;
  int max_length_ = 0;
  TColor color_ = TColor::Fixed(qRgb(255, 255, 255));
  TFont font_;
  ReadingMode bidi_mode_ = ReadingMode::LeftToRight;
  bool auto_size_ = true;
};

}  // namespace bilan::gui
