#pragma once
// A push button of a window: a QPushButton with a caption, its own font, a tab
// order and one click handler bound by the window definition. It is never the
// window's default or cancel button.
//
// Click() is the one dispatch of a click, by mouse or keyboard: it runs the
// handler once and hands any error the handler raises to the error display, so
// that no exception leaves a Qt event handler. Keyboard activation and the
// focused-button frame belong to the form's focus handling.

#include <QPushButton>
#include <functional>

#include "platform/gui/colors.h"
#include "platform/gui/control.h"
#include "platform/gui/font.h"

namespace bilan::gui {

using ClickHandler = std::function<void(TControl* sender)>;

class TButton : public QPushButton, public TWinControl {
 public:
  explicit TButton(TForm& owner);

  QWidget& Widget() override { return *this; }
  const QWidget& Widget() const override { return *this; }
  TForm& Owner() const { return owner_; }

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);

  const ClickHandler& OnClick() const { return on_click_; }
  void SetOnClick(ClickHandler handler) { on_click_ = std::move(handler); }
  void Click();

 protected:
  void ScaleFont(int m, int d, int ppi) override;
  void changeEvent(QEvent* event) override;

  // Keyboard activation and the arrows (button_keys.cpp): Enter without
  // Shift, Ctrl or Alt clicks at once, on every repeat; the arrows move the
  // focus around the ring; Space keeps Qt's click on release.
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ApplyColors();

  TForm& owner_;
  TFont font_;
  ClickHandler on_click_;
};

}  // namespace bilan::gui
