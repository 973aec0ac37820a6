#pragma once
// A text label drawn by its window: it fills its rectangle with its colour (the
// window's) and draws its caption on one line from the top-left corner. Its size
// follows the caption in its font, measured when caption or font change, never
// at painting. Not a widget: it takes no focus and no input.

#include <QFont>
#include <QString>

#include "platform/gui/colors.h"
#include "platform/gui/control.h"
#include "platform/gui/font.h"

namespace bilan::gui {

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TForm& owner) : TGraphicControl(owner) {}

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  // Without a colour of its own the label takes its window's.
  TColor Color() const;
  void SetColor(const TColor& color);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool on);

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);
  void AdjustSize() override;
  void Paint(QPainter& painter) override;

 protected:
  void ScaleFont(int m, int d, int ppi) override;

 private:
  QString caption_;
  TFont font_;
  QFont qfont_ = font_.ToQFont();
  TColor color_ = TColor::System(SystemColor::Highlight);
  bool parent_color_ = true;
  bool auto_size_ = true;
};

}  // namespace bilan::gui
