#include "bankgen/source/BmpCheck.h"

namespace tovarin::banksource {
namespace {

std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint16_t u16(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::int32_t s32(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::int32_t>(u32(b, at));
}

BmpCheckResult fail(std::string why)
{
    return { false, std::move(why), {} };
}

} // namespace

BmpCheckResult checkBmp(std::span<const std::uint8_t> b)
{
    constexpr std::size_t fileHeaderSize = 14;
    constexpr std::size_t infoHeaderSize = 40;
    if (b.size() < fileHeaderSize + infoHeaderSize || b[0] != 'B' || b[1] != 'M')
        return fail("not a BMP file (no 'BM' signature or too short)");
    if (u32(b, 2) != b.size())
        return fail("file size field " + std::to_string(u32(b, 2)) + " differs from the file's "
            + std::to_string(b.size()) + " bytes");
    if (u32(b, 14) != infoHeaderSize)
        return fail("information header is " + std::to_string(u32(b, 14)) + " bytes, not 40");
    const std::int32_t width = s32(b, 18);
    const std::int32_t height = s32(b, 22);
    const int bpp = u16(b, 28);
    if (height <= 0)
        return fail("not stored bottom-up (height " + std::to_string(height) + ")");
    if (u16(b, 26) != 1)
        return fail("plane count is not 1");
    if (u32(b, 30) != 0)
        return fail("compressed (compression " + std::to_string(u32(b, 30)) + ")");
    if (u32(b, 38) != 0 || u32(b, 42) != 0)
        return fail("resolution fields are " + std::to_string(u32(b, 38)) + " and "
            + std::to_string(u32(b, 42)) + ", not 0");
    if (width < 196 || width > 286)
        return fail("width " + std::to_string(width) + " outside 196 to 286 pixels");
    if (height < 186 || height > 287)
        return fail("height " + std::to_string(height) + " outside 186 to 287 pixels");

    std::size_t paletteEnd = fileHeaderSize + infoHeaderSize;
    if (bpp == 8) {
        const std::uint32_t used = u32(b, 46);
        if (used != 0 && used != 256)
            return fail("palette has " + std::to_string(used) + " entries, not 256");
        paletteEnd += 256 * 4;
        if (b.size() < paletteEnd)
            return fail("palette is cut short");
        for (std::size_t k = 0; k < 256; ++k) {
            const std::size_t at = fileHeaderSize + infoHeaderSize + 4 * k;
            if (b[at] != k || b[at + 1] != k || b[at + 2] != k)
                return fail(
                    "palette entry " + std::to_string(k) + " is not grey " + std::to_string(k));
        }
    } else if (bpp != 24) {
        return fail(std::to_string(bpp) + " bits per pixel, not 8 or 24");
    }

    const std::uint32_t pixelOffset = u32(b, 10);
    const std::size_t stride = (static_cast<std::size_t>(width) * bpp / 8 + 3) / 4 * 4;
    if (pixelOffset < paletteEnd)
        return fail("pixel data starts inside the headers or palette");
    if (pixelOffset + stride * static_cast<std::size_t>(height) > b.size())
        return fail("pixel data is cut short");
    return { true, {}, { width, height, bpp } };
}

} // namespace tovarin::banksource
