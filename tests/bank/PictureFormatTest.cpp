// The pictures of questions 55 and 56 must be in one of the two BMP forms the bank
// accepts (40-byte BITMAPINFOHEADER, BI_RGB, bottom-up, resolution 0; 8 bits with a
// grey-ramp palette or 24 bits), 196-286 x 186-287 pixels, 13 grey and 9 colour,
// and q55.toml / q56.toml must refer to each of them exactly once.
#include <gtest/gtest.h>
#include <toml++/toml.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

const fs::path kPictures = TOVARIN_BANK_PICTURES_DIR;
const fs::path kData = TOVARIN_BANK_DATA_DIR;

std::uint32_t u32(const Bytes &b, std::size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16
         | std::uint32_t(b[at + 3]) << 24;
}

std::uint16_t u16(const Bytes &b, std::size_t at)
{
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

void put32(Bytes &b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (v >> (8 * i)) & 0xff;
}

struct Picture {
    int width = 0, height = 0, bpp = 0;
};

// Every rule a picture breaks; empty when it is accepted.
std::vector<std::string> faults(const Bytes &b, Picture *picture)
{
    std::vector<std::string> out;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return {"not a BMP file"};
    const std::uint32_t fileSize = u32(b, 2), offset = u32(b, 10), headerSize = u32(b, 14);
    const auto width = std::int32_t(u32(b, 18)), height = std::int32_t(u32(b, 22));
    const std::uint16_t planes = u16(b, 26), bpp = u16(b, 28);
    const std::uint32_t compression = u32(b, 30), imageSize = u32(b, 34);
    const std::uint32_t xppm = u32(b, 38), yppm = u32(b, 42), used = u32(b, 46);
    *picture = {width, height, bpp};
    if (fileSize != b.size())
        out.push_back("bfSize " + std::to_string(fileSize) + " is not the file size " + std::to_string(b.size()));
    if (u32(b, 6) != 0)
        out.push_back("reserved words not 0");
    if (headerSize != 40)
        out.push_back("info header is " + std::to_string(headerSize) + " bytes, not 40");
    if (height <= 0)
        out.push_back("not stored bottom-up (height must be positive)");
    if (width < 196 || width > 286 || height < 186 || height > 287)
        out.push_back("size " + std::to_string(width) + " x " + std::to_string(height) + " outside 196-286 x 186-287");
    if (planes != 1)
        out.push_back("planes not 1");
    if (compression != 0)
        out.push_back("compressed (biCompression " + std::to_string(compression) + ")");
    if (xppm != 0 || yppm != 0)
        out.push_back("resolution " + std::to_string(xppm) + " x " + std::to_string(yppm) + " dots per metre, not 0");
    if (bpp != 8 && bpp != 24)
        return out.push_back(std::to_string(bpp) + " bits per pixel"), out;
    const std::uint32_t palette = bpp == 8 ? 1024 : 0;
    if (bpp == 8 && used != 0 && used != 256)
        out.push_back("biClrUsed " + std::to_string(used) + " with 8 bits per pixel");
    if (bpp == 24 && used != 0)
        out.push_back("a palette with 24 bits per pixel");
    if (offset != 54 + palette)
        out.push_back("pixels start at " + std::to_string(offset) + ", not " + std::to_string(54 + palette));
    for (std::uint32_t k = 0; bpp == 8 && k < 256 && 54 + 4 * k + 3 < b.size(); ++k) {
        const std::size_t e = 54 + 4 * k;
        if (b[e] != k || b[e + 1] != k || b[e + 2] != k || b[e + 3] != 0) {
            out.push_back("palette entry " + std::to_string(k) + " is not grey " + std::to_string(k));
            break;
        }
    }
    const std::uint64_t row = (std::uint64_t(std::max(width, 0)) * (bpp / 8) + 3) / 4 * 4;
    const std::uint64_t pixels = row * std::uint64_t(height < 0 ? -std::int64_t(height) : height);
    if (imageSize != 0 && imageSize != pixels)
        out.push_back("biSizeImage " + std::to_string(imageSize) + ", rows need " + std::to_string(pixels));
    if (b.size() != offset + pixels)
        out.push_back("file holds " + std::to_string(b.size()) + " bytes, header and rows need "
                      + std::to_string(offset + pixels));
    return out;
}

Bytes readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::map<std::string, Bytes> allPictures()
{
    std::map<std::string, Bytes> out;
    for (const auto &entry : fs::directory_iterator(kPictures))
        if (entry.path().extension() == ".bmp")
            out[entry.path().filename().string()] = readFile(entry.path());
    return out;
}

} // namespace

TEST(PictureFormat, EveryPictureIsInAnAcceptedForm)
{
    const auto pictures = allPictures();
    int grey = 0, colour = 0;
    for (const auto &[name, bytes] : pictures) {
        Picture p;
        const auto found = faults(bytes, &p);
        for (const std::string &f : found)
            ADD_FAILURE() << name << ": " << f;
        if (found.empty())
            (p.bpp == 8 ? grey : colour)++;
    }
    EXPECT_EQ(pictures.size(), 22u);
    EXPECT_EQ(grey, 13);
    EXPECT_EQ(colour, 9);
}

// The check itself must reject what Qt's own writer and other BMP variants produce.
TEST(PictureFormat, RejectsOtherBmpForms)
{
    const auto pictures = allPictures();
    ASSERT_TRUE(pictures.count("q56_00.bmp") && pictures.count("q55_04.bmp"));
    Picture p;
    for (const Bytes &good : {pictures.at("q56_00.bmp"), pictures.at("q55_04.bmp")}) {
        ASSERT_TRUE(faults(good, &p).empty());
        Bytes qtResolution = good;
        put32(qtResolution, 38, 3780);
        put32(qtResolution, 42, 3780);
        EXPECT_FALSE(faults(qtResolution, &p).empty());
        Bytes topDown = good;
        put32(topDown, 22, std::uint32_t(-std::int32_t(u32(good, 22))));
        EXPECT_FALSE(faults(topDown, &p).empty());
        Bytes rle = good;
        put32(rle, 30, 1);
        EXPECT_FALSE(faults(rle, &p).empty());
        Bytes v5Header = good;
        put32(v5Header, 14, 124);
        EXPECT_FALSE(faults(v5Header, &p).empty());
        Bytes truncated(good.begin(), good.end() - 4);
        put32(truncated, 2, std::uint32_t(truncated.size()));
        EXPECT_FALSE(faults(truncated, &p).empty());
    }
    Bytes tinted = pictures.at("q56_00.bmp");
    tinted[54 + 4 * 200] = 0; // blue of entry 200
    EXPECT_FALSE(faults(tinted, &p).empty());
}

TEST(PictureFormat, Questions55And56ReferToEachPictureOnce)
{
    const auto pictures = allPictures();
    std::map<std::string, int> references;
    for (const char *slot : {"q55.toml", "q56.toml"}) {
        const toml::table bank = toml::parse_file((kData / slot).string());
        const toml::array *variants = bank["variant"].as_array();
        ASSERT_NE(variants, nullptr) << slot;
        for (const toml::node &node : *variants) {
            const toml::table &v = *node.as_table();
            const int index = v["index"].value_or(-1);
            const int layout = v["layout"].value_or(0);
            const auto picture = v["picture"].value<std::string>();
            SCOPED_TRACE(std::string(slot) + " variant " + std::to_string(index));
            ASSERT_TRUE(picture.has_value()) << "every variant of 55 and 56 names its picture holder";
            EXPECT_EQ(picture->empty(), layout == 1) << "a picture exactly for layouts 2 and 3";
            if (picture->empty())
                continue;
            ++references[*picture];
            const auto it = pictures.find(*picture);
            if (it == pictures.end()) {
                ADD_FAILURE() << *picture << " is not in " << kPictures;
                continue;
            }
            Picture p;
            faults(it->second, &p);
            if (std::string(slot) == "q56.toml") {
                EXPECT_EQ(p.bpp, 8) << "tide tables are grey pictures";
            }
            if (std::string(slot) == "q55.toml" && index == 4) {
                EXPECT_EQ(p.width, 273);
                EXPECT_EQ(p.height, 244);
                EXPECT_EQ(p.bpp, 24);
            }
        }
    }
    for (const auto &[name, bytes] : pictures)
        EXPECT_EQ(references[name], 1) << name << " must be referred to exactly once";
}
