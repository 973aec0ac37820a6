#include "platform/gui/colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace bilan::gui {

namespace {

// The system colours and where they come from. Qt's palette has no desktop
// colour, so clBackground is a fixed blue (kDesktopColor). The others follow
// the active colour group of the application palette:
//   clHighlight  -> Highlight  (background of selected items)
//   cl3DLight    -> Midlight   (the light, not the brightest, edge of 3-D parts)
//   clMenuText   -> WindowText (Qt draws menu text with it)
//   clWindowText -> Text       (text on a text-entry background)
struct SystemColorEntry {
  SystemColor color;
  std::optional<QPalette::ColorRole> role;
  QRgb fixed;
};

constexpr std::array<SystemColorEntry, 5> kSystemColors{{
    {SystemColor::Highlight, QPalette::Highlight, 0},
    {SystemColor::ThreeDLight, QPalette::Midlight, 0},
    {SystemColor::Background, std::nullopt, kDesktopColor},
    {SystemColor::MenuText, QPalette::WindowText, 0},
    {SystemColor::WindowText, QPalette::Text, 0},
}};

struct NamedColor {
  std::string_view name;
  TColor color;
};

const std::array<NamedColor, 9>& NamedColors() {
  static const std::array<NamedColor, 9> table{{
      {"clHighlight", TColor::System(SystemColor::Highlight)},
      {"cl3DLight", TColor::System(SystemColor::ThreeDLight)},
      {"clBackground", TColor::System(SystemColor::Background)},
      {"clMenuText", TColor::System(SystemColor::MenuText)},
      {"clWindowText", TColor::System(SystemColor::WindowText)},
      {"clAqua", TColor::Fixed(qRgb(0, 255, 255))},
      {"clBlack", TColor::Fixed(qRgb(0, 0, 0))},
      {"clYellow", TColor::Fixed(qRgb(255, 255, 0))},
      {"clRed", TColor::Fixed(qRgb(255, 0, 0))},
  }};
  return table;
}

}  // namespace

QColor TColor::Resolve() const {
  if (!is_system_) return QColor::fromRgb(rgb_);
  for (const auto& entry : kSystemColors) {
    if (entry.color != role_) continue;
    if (!entry.role) return QColor::fromRgb(entry.fixed);
    return QGuiApplication::palette().color(QPalette::Active, *entry.role);
  }
  return QColor::fromRgb(kDesktopColor);
}

std::optional<TColor> ColorByName(std::string_view name) {
  for (const auto& entry : NamedColors()) {
    if (entry.name == name) return entry.color;
  }
  return std::nullopt;
}

}  // namespace bilan::gui
