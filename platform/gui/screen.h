#pragma once
// What the window layer asks of the screen at creation: its resolution, the
// line height of a font, and whether right-to-left language support is on.
// Each answer can be forced by a test; nothing else calls the setters.

#include <functional>
#include <optional>

class QFont;

namespace bilan::gui {

// Logical pixels per inch of the primary screen (96 when there is none).
int ScreenPixelsPerInch();
// The line height of `font` on the screen in pixels.
int MeasureTextHeight(const QFont& font);
// The height of "0" in the window's base font, the measure M of resolution
// scaling: its line height, unless a test forces another value.
int MeasureBaseFont(const QFont& font);
// Right-to-left language support, decided once, on first use: on when the
// application's layout direction or the system locale's text direction is
// right to left.
bool RightToLeftSupport();

void SetScreenPixelsPerInchForTesting(std::optional<int> ppi);
void SetBaseFontMeasureForTesting(std::function<int(const QFont&)> measure);
void SetRightToLeftSupportForTesting(std::optional<bool> on);

}  // namespace bilan::gui
