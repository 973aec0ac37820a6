#pragma once
// A top-level window built from a window definition. It fills its inside with
// its colour and paints its drawn elements (labels, shapes, pictures) in
// creation order, each clipped to its rectangle; its fields and buttons are
// child widgets and so always lie above them. It owns its controls.
//
// The frame is fixed in the normal state (no resizing, no maximise button), yet
// a maximised showing asked by the program works: the size is fixed only while
// the window is not maximised. Anchored controls follow the inside size.
//
// Keyboard navigation, the active control and the focused-button look are the
// focus handling's; this class offers it the controls in creation and tab order.

#include <QWidget>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/gui/colors.h"
#include "platform/gui/control.h"
#include "platform/gui/font.h"

namespace bilan::gui {

class TForm : public QWidget {
 public:
  explicit TForm(QWidget* owner = nullptr);
  ~TForm() override;

  // Takes a drawn element; it is painted after those added before it.
  TGraphicControl& AddControl(std::unique_ptr<TGraphicControl> control);
  // Records a field or button already created as a child widget of this form.
  void AddControl(TWinControl& control);

  // Every control, in creation order.
  const std::vector<TControl*>& Controls() const { return controls_; }
  // The fields and buttons sorted by TabOrder (creation order among equals).
  std::vector<TWinControl*> TabOrderedControls() const;
  TControl* FindControl(std::string_view name) const;

  // Gives `control` the keyboard focus; throws EFocusError when it or the
  // window cannot take it. The control becomes the ActiveControl at once; if
  // the window is active the focus moves now (exit, entry, button looks),
  // otherwise the window is activated and the control gets it then.
  // (Focus handling: form_focus.cpp.)
  virtual void FocusControl(TWinControl& control);

  // The control that has the focus, or gets it back when the window is next
  // activated; nullptr until the first activation or request.
  TWinControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TWinControl& control) { FocusControl(control); }

  // The next control of the tab-order ring after `current` (nullptr: none)
  // that may take the focus, or nullptr. With `check_tab_stop` (Tab, Shift+Tab,
  // first activation) TabStop must be set; without it (arrow keys) the control
  // must lie directly on the window.
  TWinControl* FindNextControl(const TWinControl* current, bool forward,
                               bool check_tab_stop) const;
  // Focuses the control that FindNextControl returns, if any.
  void SelectNext(const TWinControl* current, bool forward, bool check_tab_stop);

  // How a control that receives the focus came by it: entered (a field then
  // selects all), entered by a left mouse press (the press places the caret),
  // or given back the focus it had (caret and selection stay).
  enum class FocusArrival { Entry, MouseEntry, Return };
  // Called by a field or button as it receives the focus; makes it the
  // ActiveControl and brings the button looks up to date.
  FocusArrival ControlFocused(TWinControl& control, Qt::FocusReason reason);

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  int ClientWidth() const { return normal_size_.width(); }
  int ClientHeight() const { return normal_size_.height(); }
  void SetClientSize(int width, int height);
  // The outer top-left corner, used as stored.
  void SetPosition(int left, int top) { move(left, top); }

  const TColor& Color() const { return color_; }
  void SetColor(const TColor& color);
  // The reference of resolution scaling; it draws no text itself.
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { font_ = font; }
  int PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(int ppi) { pixels_per_inch_ = ppi; }
  int TextHeight() const { return text_height_; }
  void SetTextHeight(int height) { text_height_ = height; }

  // The end of creation: sizes follow fonts, the window scales for the screen,
  // and anchored controls remember their distances from the inside's edges.
  void Loaded();

 protected:
  bool event(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct AnchorMargins {
    TControl* control;
    int right;
    int bottom;
  };

  void ScaleForScreen();
  void ApplyAnchors();
  void FixNormalSize(bool fixed);
  void UpdateButtonLooks();
  // Qt's own focus chain, which accessibility and Qt's fallbacks follow, is
  // made the same ring.
  void ArrangeFocusChain();

  std::vector<std::unique_ptr<TGraphicControl>> drawn_;
  std::vector<TControl*> controls_;
  std::vector<AnchorMargins> anchored_;
  QSize normal_size_;
  TColor color_ = TColor::System(SystemColor::Highlight);
  TFont font_;
  int pixels_per_inch_ = 96;
  int text_height_ = 13;
  bool loaded_ = false;
  TWinControl* active_control_ = nullptr;
  // A control focused by request while the window was inactive: it is entered
  // when the activation gives it the focus.
  TWinControl* pending_entry_ = nullptr;
};

}  // namespace bilan::gui
