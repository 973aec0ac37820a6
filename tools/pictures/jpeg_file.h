#pragma once

#include <QImage>
#include <QString>

namespace pictures {

// Writes `image` as a baseline JFIF file: 8-bit samples, three YCbCr components,
// sequential (never progressive) coding, so that any JPEG decoder reads it.
// Any libjpeg failure ends the process with a message: this is a build tool.
void WriteBaselineJpeg(const QImage& image, const QString& path, int quality);

}  // namespace pictures
