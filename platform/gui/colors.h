#pragma once
// Colours as the window definition names them: either a fixed RGB value or one of
// the system colours that follow the user's colour scheme. A TColor is resolved
// to a QColor only when it is used, so the scheme in force at that moment wins.

#include <QColor>
#include <optional>
#include <string_view>

namespace bilan::gui {

enum class SystemColor { Highlight, ThreeDLight, Background, MenuText, WindowText };

class TColor {
 public:
  static TColor Fixed(QRgb rgb) { return TColor(rgb); }
  static TColor System(SystemColor role) { return TColor(role); }

  bool IsSystem() const { return is_system_; }
  SystemColor Role() const { return role_; }
  QRgb Rgb() const { return rgb_; }
  // The colour to paint with under the application's current palette.
  QColor Resolve() const;

  bool operator==(const TColor&) const = default;

 private:
  explicit TColor(QRgb rgb) : rgb_(rgb) {}
  explicit TColor(SystemColor role) : is_system_(true), role_(role) {}

  bool is_system_ = false;
  SystemColor role_ = SystemColor::Highlight;
  QRgb rgb_ = 0;
};

// The colour identifiers a definition may use ("clHighlight", "clAqua"...);
// nullopt for any other name.
std::optional<TColor> ColorByName(std::string_view name);

// The fixed value that stands for the desktop colour, which Qt's palette lacks.
inline constexpr QRgb kDesktopColor = 0xFF3A6EA5;

}  // namespace bilan::gui
