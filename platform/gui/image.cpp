#include "platform/gui/image.h"

#include <QPainter>

namespace bilan::gui {

void TImage::SetPicture(std::unique_ptr<TJPEGImage> picture) {
  picture_ = std::move(picture);
  Invalidate();
}

void TImage::Paint(QPainter& painter) {
  if (!picture_) return;
  painter.drawImage(BoundsRect().topLeft(), picture_->Image());
}

}  // namespace bilan::gui
