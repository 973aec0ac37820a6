#include "platform/gui/form.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "platform/gui/screen.h"
#include "platform/runtime/errors.h"

namespace bilan::gui {

namespace {
// A fixed frame: title, system menu, minimise and close; no maximise button.
constexpr Qt::WindowFlags kFixedFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                        Qt::WindowCloseButtonHint;
}  // namespace

TForm::TForm(QWidget* owner) : QWidget(owner, kFixedFrame) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
}

TForm::~TForm() = default;

TGraphicControl& TForm::AddControl(std::unique_ptr<TGraphicControl> control) {
  TGraphicControl& added = *control;
  drawn_.push_back(std::move(control));
  controls_.push_back(&added);
  update(added.BoundsRect());
  return added;
}

void TForm::AddControl(TWinControl& control) { controls_.push_back(&control); }

std::vector<TWinControl*> TForm::TabOrderedControls() const {
  std::vector<TWinControl*> result;
  for (TControl* control : controls_) {
    if (auto* win = dynamic_cast<TWinControl*>(control)) result.push_back(win);
  }
  std::stable_sort(result.begin(), result.end(), [](const TWinControl* a, const TWinControl* b) {
    return a->TabOrder() < b->TabOrder();
  });
  return result;
}

TControl* TForm::FindControl(std::string_view name) const {
  for (TControl* control : controls_) {
    if (control->Name() == name) return control;
  }
  return nullptr;
}

void TForm::SetClientSize(int width, int height) {
  normal_size_ = QSize(width, height);
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
    FixNormalSize(false);
    resize(normal_size_);
    if (loaded_) FixNormalSize(true);
  }
}

void TForm::SetColor(const TColor& color) {
  color_ = color;
  update();
}

void TForm::Loaded() {
  for (TControl* control : controls_) control->AdjustSize();
  ScaleForScreen();
  anchored_.clear();
  for (TControl* control : controls_) {
    if (control->GetAnchors() & (akRight | akBottom)) {
      const QRect bounds = control->BoundsRect();
      anchored_.push_back({control, normal_size_.width() - (bounds.left() + bounds.width()),
                           normal_size_.height() - (bounds.top() + bounds.height())});
    }
  }
  loaded_ = true;
  FixNormalSize(!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)));
}

// The base font, at the screen's resolution, is measured against the design's
// reference text height; when they differ, everything scales by their ratio.
// The window's position is not scaled.
void TForm::ScaleForScreen() {
  const int ppi = ScreenPixelsPerInch();
  TFont base = font_;
  if (ppi != pixels_per_inch_) base.Height = ScaleRounded(base.Height, ppi, pixels_per_inch_);
  const int m = MeasureBaseFont(base.ToQFont());
  const int d = text_height_;
  if (m == d) return;
  for (TControl* control : controls_) control->ChangeScale(m, d, ppi);
  SetClientSize(ScaleRounded(normal_size_.width(), m, d),
                ScaleRounded(normal_size_.height(), m, d));
}

void TForm::ApplyAnchors() {
  for (const AnchorMargins& anchored : anchored_) {
    TControl& control = *anchored.control;
    QRect bounds = control.BoundsRect();
    const Anchors anchors = control.GetAnchors();
    if (anchors & akRight) {
      const int right = width() - anchored.right;
      if (anchors & akLeft)
        bounds.setWidth(right - bounds.left());
      else
        bounds.moveLeft(right - bounds.width());
    }
    if (anchors & akBottom) {
      const int bottom = height() - anchored.bottom;
      if (anchors & akTop)
        bounds.setHeight(bottom - bounds.top());
      else
        bounds.moveTop(bottom - bounds.height());
    }
    control.SetBounds(bounds);
  }
}

void TForm::FixNormalSize(bool fixed) {
  if (fixed) {
    setMinimumSize(normal_size_);
    setMaximumSize(normal_size_);
  } else {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
}

void TForm::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), color_.Resolve());
  for (const auto& control : drawn_) {
    const QRect bounds = control->BoundsRect();
    if (!control->Visible() || !bounds.intersects(event->rect())) continue;
    painter.save();
    painter.setClipRect(bounds & event->rect());
    control->Paint(painter);
    painter.restore();
  }
}

void TForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ApplyAnchors();
}

// The size is fixed only in the normal state, so that the program can still
// show the window maximised although the user cannot.
void TForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && loaded_) {
    const bool maximised = windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    FixNormalSize(!maximised);
    if (!maximised && !(windowState() & Qt::WindowMinimized)) resize(normal_size_);
  }
  if (event->type() == QEvent::ApplicationPaletteChange) update();
  QWidget::changeEvent(event);
}

}  // namespace bilan::gui
