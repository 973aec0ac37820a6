#pragma once
// The common part of every control of a window: its name, its bounds in the
// window's inside, its anchors, and its share of resolution scaling. Drawn
// elements (TGraphicControl) are painted by their window; fields and buttons
// (TWinControl) are Qt child widgets. Keyboard and focus handling is not here.

#include <QRect>
#include <string>

class QPainter;
class QWidget;

namespace bilan::gui {

class TForm;

enum Anchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using Anchors = unsigned;

class TControl {
 public:
  TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  virtual ~TControl() = default;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  virtual QRect BoundsRect() const = 0;
  virtual void SetBounds(const QRect& bounds) = 0;
  int Left() const { return BoundsRect().left(); }
  int Top() const { return BoundsRect().top(); }
  int Width() const { return BoundsRect().width(); }
  int Height() const { return BoundsRect().height(); }

  Anchors GetAnchors() const { return anchors_; }
  void SetAnchors(Anchors anchors) { anchors_ = anchors; }

  virtual bool Visible() const = 0;
  virtual bool Enabled() const = 0;

  // Size that follows the font or the text (labels and fields); others keep theirs.
  virtual void AdjustSize() {}
  // Scales the four edges by m / d, each rounded separately, and the control's
  // own font by the same ratio in whole points at `ppi`; then adjusts the size.
  virtual void ChangeScale(int m, int d, int ppi);

 protected:
  virtual void ScaleFont(int /*m*/, int /*d*/, int /*ppi*/) {}

 private:
  std::string name_;
  Anchors anchors_ = akLeft | akTop;
};

// A control without a window of its own: the form paints it, in creation order,
// clipped to its bounds.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TForm& owner) : owner_(owner) {}

  QRect BoundsRect() const override { return bounds_; }
  void SetBounds(const QRect& bounds) override;
  bool Visible() const override { return true; }
  bool Enabled() const override { return true; }

  // Paints into the form; the painter is already clipped to BoundsRect().
  virtual void Paint(QPainter& painter) = 0;

 protected:
  TForm& Owner() const { return owner_; }
  void Invalidate();

 private:
  TForm& owner_;
  QRect bounds_;
};

// A control that is a Qt child widget of the form: an edit field or a button.
class TWinControl : public TControl {
 public:
  virtual QWidget& Widget() = 0;
  virtual const QWidget& Widget() const = 0;

  QRect BoundsRect() const override;
  void SetBounds(const QRect& bounds) override;
  bool Visible() const override;
  bool Enabled() const override;

  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int order) { tab_order_ = order; }
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool stop) { tab_stop_ = stop; }

 private:
  int tab_order_ = -1;
  bool tab_stop_ = true;
};

}  // namespace bilan::gui
