#pragma once
// A filled rectangle drawn by its window: a one-pixel black outline along its
// outermost pixels and the inside filled with the brush colour. A shape one or
// two pixels across has no inside and shows as its outline alone.

#include "platform/gui/colors.h"
#include "platform/gui/control.h"

namespace bilan::gui {

class TShape : public TGraphicControl {
 public:
  explicit TShape(TForm& owner) : TGraphicControl(owner) {}

  const TColor& BrushColor() const { return brush_; }
  void SetBrushColor(const TColor& color);
  void Paint(QPainter& painter) override;

 private:
  TColor brush_ = TColor::Fixed(qRgb(255, 255, 255));
};

}  // namespace bilan::gui
