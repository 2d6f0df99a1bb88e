#pragma once

#include <QImage>
#include <QString>

// Writes a picture in one of the two BMP forms the bank accepts: a 40-byte
// BITMAPINFOHEADER, BI_RGB, bottom-up rows, resolution fields 0, and either
// 8 bits per pixel with a 256-entry grey ramp or 24 bits per pixel.
// (QImage::save() records 3780 dots per metre, so the header is written here.)
namespace BmpWriter {

enum class Depth { Grey8, Rgb24 };

// Returns an empty string on success, else what went wrong.
QString write(const QImage &image, Depth depth, const QString &path);

} // namespace BmpWriter
