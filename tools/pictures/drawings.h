#pragma once

#include <QFont>
#include <QImage>

// The drawings of the main window's pictures and of the application icon. Each
// function draws one picture at its final size; writing files is left to main.
namespace pictures {

// 909 x 115: medium blue with light and dark streaks sweeping outwards and
// upwards from the middle, fading to plain blue towards the bottom.
QImage DrawTopBand();

// 909 x 115: the top band upside down, plain at the top.
QImage DrawBottomBand();

// 610 x 38: one line of orange lettering on blue, kept inside the 601 x 33 part
// that the window shows.
QImage DrawTitleBanner(const QFont& face);

// 57 x 90: a line drawing on white of a tank with two pipes, bubbles and two
// lightning bolts; the last row is never shown, so nothing is drawn there.
QImage DrawTank();

// 128 x 128 ARGB: a waving blue-white-red flag on a pole, transparent around.
QImage DrawFlagIcon();

// The blue shared by the bands and the banner's ground, so that the banner sits
// on the top band without a seam of colour.
inline constexpr QRgb kBandBlue = 0xff1d57b8;

}  // namespace pictures
