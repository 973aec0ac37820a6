#pragma once
// A picture box drawn by its window: the picture at natural size, its top-left
// corner on the box's, clipped to the box. Parts of the box that the picture
// does not cover show what lies beneath. The picture is decoded no later than
// the first painting and kept decoded.

#include <memory>

#include "platform/gui/control.h"
#include "platform/gui/jpeg_image.h"

namespace bilan::gui {

class TImage : public TGraphicControl {
 public:
  explicit TImage(TForm& owner) : TGraphicControl(owner) {}

  TJPEGImage* Picture() const { return picture_.get(); }
  void SetPicture(std::unique_ptr<TJPEGImage> picture);
  void Paint(QPainter& painter) override;

 private:
  std::unique_ptr<TJPEGImage> picture_;
};

}  // namespace bilan::gui
