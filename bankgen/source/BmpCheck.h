// The rules every picture of the bank follows, checked on the file's bytes.
//
// Windows BMP with a 40-byte information header, uncompressed, stored bottom-up, both resolution
// fields 0, and either 8 bits per pixel with a 256-entry grey ramp (entry k = k, k, k) or
// 24 bits per pixel; 196 to 286 pixels wide and 186 to 287 pixels high.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tovarin::banksource {

struct BmpInfo
{
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

struct BmpCheckResult
{
    bool ok = false;
    std::string error; // which rule the file breaks, when not ok
    BmpInfo info;
};

BmpCheckResult checkBmp(std::span<const std::uint8_t> bytes);

} // namespace tovarin::banksource
