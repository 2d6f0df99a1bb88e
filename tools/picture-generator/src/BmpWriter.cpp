#include "tools/picture-generator/src/BmpWriter.h"

#include <QSaveFile>

#include <cstdint>

namespace {

void put16(QByteArray &out, std::uint16_t v)
{
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void put32(QByteArray &out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((v >> shift) & 0xff));
}

} // namespace

QString BmpWriter::write(const QImage &image, Depth depth, const QString &path)
{
    const QImage src = depth == Depth::Grey8 ? image.convertToFormat(QImage::Format_Grayscale8)
                                             : image.convertToFormat(QImage::Format_RGB888);
    const auto width = std::uint32_t(src.width());
    const auto height = std::uint32_t(src.height());
    const std::uint32_t bytesPerPixel = depth == Depth::Grey8 ? 1 : 3;
    const std::uint32_t rowSize = (width * bytesPerPixel + 3) & ~3u;
    const std::uint32_t paletteSize = depth == Depth::Grey8 ? 256 * 4 : 0;
    const std::uint32_t offset = 14 + 40 + paletteSize;
    const std::uint32_t imageSize = rowSize * height;

    QByteArray out;
    out.reserve(int(offset + imageSize));
    out.append("BM");
    put32(out, offset + imageSize);
    put32(out, 0); // two reserved words
    put32(out, offset);
    put32(out, 40);
    put32(out, width);
    put32(out, height); // positive: bottom-up
    put16(out, 1);
    put16(out, std::uint16_t(bytesPerPixel * 8));
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, 0); // biXPelsPerMeter
    put32(out, 0); // biYPelsPerMeter
    put32(out, depth == Depth::Grey8 ? 256 : 0);
    put32(out, 0);
    if (depth == Depth::Grey8) {
        for (int k = 0; k < 256; ++k) {
            out.append(char(k));
            out.append(char(k));
            out.append(char(k));
            out.append(char(0));
        }
    }
    for (int y = int(height) - 1; y >= 0; --y) {
        const uchar *line = src.constScanLine(y);
        if (depth == Depth::Grey8) {
            out.append(reinterpret_cast<const char *>(line), int(width));
        } else {
            for (std::uint32_t x = 0; x < width; ++x) { // BMP stores blue, green, red
                out.append(char(line[3 * x + 2]));
                out.append(char(line[3 * x + 1]));
                out.append(char(line[3 * x]));
            }
        }
        out.append(QByteArray(int(rowSize - width * bytesPerPixel), '\0'));
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    if (file.write(out) != out.size() || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return {};
}
