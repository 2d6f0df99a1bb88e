// The pictures of questions 55 and 56 pass the bank's BMP check (40-byte BITMAPINFOHEADER,
// BI_RGB, bottom-up, resolution 0; 8 bits with a grey-ramp palette or 24 bits), 196-286 x
// 186-287 pixels, 13 grey and 9 colour; the check rejects the other forms a BMP writer makes;
// and q55.toml / q56.toml refer to each picture exactly once.
#include "bankgen/source/BmpCheck.h"

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

const fs::path picturesDir = TOVARIN_BANK_PICTURES_DIR;
const fs::path data = TOVARIN_BANK_DATA_DIR;

std::uint32_t u32(const Bytes &b, std::size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16
        | std::uint32_t(b[at + 3]) << 24;
}

void put32(Bytes &b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (v >> (8 * i)) & 0xff;
}

using tovarin::banksource::BmpCheckResult;

// The bank's own check, the one the build runs on every picture.
BmpCheckResult check(const Bytes &bytes)
{
    return tovarin::banksource::checkBmp(bytes);
}

Bytes readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::map<std::string, Bytes> allPictures()
{
    std::map<std::string, Bytes> out;
    for (const auto &entry : fs::directory_iterator(picturesDir))
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
        const BmpCheckResult result = check(bytes);
        if (!result.ok)
            ADD_FAILURE() << name << ": " << result.error;
        else
            (result.info.bitsPerPixel == 8 ? grey : colour)++;
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
    for (const Bytes &good : { pictures.at("q56_00.bmp"), pictures.at("q55_04.bmp") }) {
        ASSERT_TRUE(check(good).ok) << check(good).error;
        Bytes qtResolution = good;
        put32(qtResolution, 38, 3780);
        put32(qtResolution, 42, 3780);
        EXPECT_FALSE(check(qtResolution).ok);
        Bytes topDown = good;
        put32(topDown, 22, std::uint32_t(-std::int32_t(u32(good, 22))));
        EXPECT_FALSE(check(topDown).ok);
        Bytes rle = good;
        put32(rle, 30, 1);
        EXPECT_FALSE(check(rle).ok);
        Bytes v5Header = good;
        put32(v5Header, 14, 124);
        EXPECT_FALSE(check(v5Header).ok);
        Bytes truncated(good.begin(), good.end() - 4);
        put32(truncated, 2, std::uint32_t(truncated.size()));
        EXPECT_FALSE(check(truncated).ok);
    }
    Bytes tinted = pictures.at("q56_00.bmp");
    tinted[54 + 4 * 200] = 0; // blue of entry 200
    EXPECT_FALSE(check(tinted).ok);
}

TEST(PictureFormat, Questions55And56ReferToEachPictureOnce)
{
    const auto pictures = allPictures();
    std::map<std::string, int> references;
    for (const char *slot : { "q55.toml", "q56.toml" }) {
        const toml::table bank = toml::parse_file((data / slot).string());
        const toml::array *variants = bank["variant"].as_array();
        ASSERT_NE(variants, nullptr) << slot;
        for (const toml::node &node : *variants) {
            const toml::table &v = *node.as_table();
            const int index = v["index"].value_or(-1);
            const int layout = v["layout"].value_or(0);
            const auto picture = v["picture"].value<std::string>();
            SCOPED_TRACE(std::string(slot) + " variant " + std::to_string(index));
            ASSERT_TRUE(picture.has_value())
                << "every variant of 55 and 56 names its picture holder";
            EXPECT_EQ(picture->empty(), layout == 1) << "a picture exactly for layouts 2 and 3";
            if (picture->empty())
                continue;
            ++references[*picture];
            const auto it = pictures.find(*picture);
            if (it == pictures.end()) {
                ADD_FAILURE() << *picture << " is not in " << picturesDir;
                continue;
            }
            const tovarin::banksource::BmpInfo p = check(it->second).info;
            if (std::string(slot) == "q56.toml") {
                EXPECT_EQ(p.bitsPerPixel, 8) << "tide tables are grey pictures";
            }
            if (std::string(slot) == "q55.toml" && index == 4) {
                EXPECT_EQ(p.width, 273);
                EXPECT_EQ(p.height, 244);
                EXPECT_EQ(p.bitsPerPixel, 24);
            }
        }
    }
    for (const auto &[name, bytes] : pictures)
        EXPECT_EQ(references[name], 1) << name << " must be referred to exactly once";
}
