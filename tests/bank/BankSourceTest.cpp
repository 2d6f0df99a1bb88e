// The rules a bank file must keep, each broken on purpose in an in-memory copy of a sound file.

#include "bankgen/source/BankSource.h"
#include "bankgen/source/BmpCheck.h"
#include "bankgen/source/Cp932.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace tovarin::banksource;

// A sound picture: width × height, 8 or 24 bits per pixel, headers as the bank wants them.
std::vector<std::uint8_t> makeBmp(int width, int height, int bpp)
{
    const std::size_t stride = (std::size_t(width) * bpp / 8 + 3) / 4 * 4;
    const std::size_t palette = bpp == 8 ? 1024 : 0;
    const std::size_t offset = 54 + palette;
    std::vector<std::uint8_t> b(offset + stride * std::size_t(height), 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = std::uint8_t(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, std::uint32_t(b.size()));
    put32(10, std::uint32_t(offset));
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    b[26] = 1;
    b[28] = std::uint8_t(bpp);
    for (std::size_t k = 0; bpp == 8 && k < 256; ++k)
        b[54 + 4 * k] = b[55 + 4 * k] = b[56 + 4 * k] = std::uint8_t(k);
    return b;
}

void put32(std::vector<std::uint8_t> &b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = std::uint8_t(v >> (8 * i));
}

const char *soundSlot55 = R"(
number = 55
pool_size = 2

[[variant]]
index = 0
question = """
下図は、ある日の地上天気図である。
図中（ア）の前線の名称はどれか。"""
choices = ["温暖前線", "寒冷前線", "閉塞前線", "停滞前線"]
correct = 2
layout = 2
picture = "chart.bmp"
explanation = "三角の記号が進む側に付いているので寒冷前線である。"
refutations = ["半円の記号が進む側に付くのが温暖前線である。", "", "閉塞前線は三角と半円が同じ側に交互に付く。", "停滞前線は三角と半円が反対側に交互に付く。"]

[[variant]]
index = 1
question = "霧のうち、暖かく湿った空気が冷たい海面上を移動して生じるものはどれか。"
choices = ["放射霧", "移流霧", "蒸気霧", "前線霧"]
correct = 2
layout = 1
picture = ""
explanation = "暖湿な空気が冷たい海面で冷やされてできる霧が移流霧である。"
refutations = ["放射霧は夜間の放射冷却でできる。", "", "蒸気霧は冷たい空気が暖かい水面に触れてできる。", "前線霧は前線付近の雨による。"]
)";

struct Outcome
{
    SourceSlot slot;
    Problems problems;
};

Outcome check(const std::string &toml,
    std::map<std::string, std::vector<std::uint8_t>> files
    = { { "chart.bmp", makeBmp(240, 200, 24) } })
{
    Outcome out;
    out.slot = parseSlot(toml, "q55.toml", out.problems);
    if (out.problems.empty())
        checkSlot(
            out.slot,
            [&](const std::string &name) -> std::optional<std::vector<std::uint8_t>> {
                auto found = files.find(name);
                if (found == files.end())
                    return std::nullopt;
                return found->second;
            },
            out.problems);
    return out;
}

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "fixture has no '" << from << "'";
    return text.replace(at, from.size(), to);
}

TEST(BankSource, SoundFileReadsIntoTheModelWithCrLfLineBreaks)
{
    const Outcome out = check(soundSlot55);
    ASSERT_TRUE(out.problems.empty()) << out.problems.front().text();
    ASSERT_EQ(out.slot.variants.size(), 2u);
    EXPECT_EQ(out.slot.variants[0].question,
        "下図は、ある日の地上天気図である。\r\n図中（ア）の前線の名称はどれか。");
    EXPECT_EQ(out.slot.variants[0].picture, "chart.bmp");
    EXPECT_EQ(out.slot.variants[1].picture, "");
    EXPECT_EQ(out.slot.variants[1].choices[3], "前線霧");
}

struct Breakage
{
    const char *name;
    const char *from;
    const char *to;
    int variant; // where the fault must be reported (-1: the file)
    const char *message;
};

class BrokenFile : public testing::TestWithParam<Breakage>
{
};

TEST_P(BrokenFile, IsRejectedWithFileVariantAndReason)
{
    const Breakage &b = GetParam();
    const Outcome out = check(replaced(soundSlot55, b.from, b.to));
    ASSERT_FALSE(out.problems.empty()) << "accepted";
    const BankProblem &p = out.problems.front();
    EXPECT_EQ(p.file, "q55.toml");
    EXPECT_EQ(p.variant, b.variant) << p.text();
    EXPECT_NE(p.message.find(b.message), std::string::npos) << p.text();
}

INSTANTIATE_TEST_SUITE_P(Rules, BrokenFile,
    testing::Values(Breakage { "PoolSizeDiffersFromVariants", "pool_size = 2", "pool_size = 3", -1,
                        "pool_size 3 differs from the 2 variants" },
        Breakage { "MissingChoice", R"(["放射霧", "移流霧", "蒸気霧", "前線霧"])",
            R"(["放射霧", "移流霧", "蒸気霧"])", 1, "has 3 choices, not 4" },
        Breakage { "KeyOutsideOneToFour", "correct = 2\nlayout = 1", "correct = 5\nlayout = 1", 1,
            "correct choice 5 outside 1 to 4" },
        Breakage {
            "LayoutOutsideOneToThree", "layout = 1", "layout = 0", 1, "layout 0 outside 1 to 3" },
        Breakage { "IndexGap", "index = 1", "index = 2", 1, "index 2 where 1 is due" },
        Breakage { "PictureMissingForLayoutTwo", R"(picture = "chart.bmp")", R"(picture = "")", 0,
            "needs a picture, but the holder is empty" },
        Breakage { "PictureGivenForLayoutOne", "layout = 1\npicture = \"\"",
            "layout = 1\npicture = \"chart.bmp\"", 1, "shows no picture" },
        Breakage { "HolderMissingInSlot55", "layout = 1\npicture = \"\"\n", "layout = 1\n", 1,
            "has no 'picture'" },
        Breakage { "PictureFileDoesNotExist", R"(picture = "chart.bmp")", R"(picture = "gone.bmp")",
            0, "'gone.bmp' does not exist" },
        Breakage { "PictureNameLeavesTheFolder", R"(picture = "chart.bmp")",
            R"(picture = "../data/chart.bmp")", 0, "does not exist" },
        Breakage { "WaveDashThatOnlyEncodesOneWay", "前線霧", "前線〜霧", 1, "U+301C" },
        Breakage { "MinusSignThatOnlyEncodesOneWay", "寒冷前線", "寒冷−前線", 0, "U+2212" },
        Breakage { "CharacterOutsideCodePage932", "移流霧\", \"蒸気霧", "移流霧\", \"蒸気霧\u00e9",
            1, "U+00E9" },
        Breakage { "QuestionTooShort",
            "霧のうち、暖かく湿った空気が冷たい海面上を移動して生じるものはどれか。",
            "霧はどれか。", 1, "6 characters, outside 28 to 752" },
        Breakage { "QuestionEndsWithLineBreak", "名称はどれか。\"\"\"", "名称はどれか。\n\"\"\"", 0,
            "ends with a line break" },
        Breakage { "LayoutTwoChoiceTooLong", "\"温暖前線\"",
            "\"温暖前線が通過した後に気温が上がる\"", 0, "a layout-2 choice has at most 13" },
        Breakage { "NoExplanation",
            "explanation = \"暖湿な空気が冷たい海面で冷やされてできる霧が移流霧である。\"", "", 1,
            "missing or non-text 'explanation'" },
        Breakage { "RefutationOfTheKey", "\"\", \"蒸気霧", "\"移流霧である。\", \"蒸気霧", 1,
            "refutation 2 belongs to the key" },
        Breakage { "RefutationMissing", "\"前線霧は前線付近の雨による。\"", "", 1,
            "has 3 refutations, not 4" },
        Breakage { "MisspeltKey", "correct = 2\nlayout = 2", "corect = 2\nlayout = 2", 0,
            "unknown key 'corect'" },
        Breakage { "NotToml", "pool_size = 2", "pool_size = = 2", -1, "is not valid TOML" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BankSource, PictureHoldersBelongToQuestions55And56Only)
{
    std::string slot54 = replaced(soundSlot55, "number = 55", "number = 54");
    const Outcome out = check(slot54);
    ASSERT_FALSE(out.problems.empty());
    EXPECT_NE(out.problems.front().message.find("only questions 55 and 56 have pictures"),
        std::string::npos);
}

TEST(BankSource, AccidentNarrativesAreAtLeast364Characters)
{
    std::string slot58 = replaced(soundSlot55, "number = 55", "number = 58");
    Problems problems;
    SourceSlot slot = parseSlot(slot58, "q58.toml", problems);
    for (auto &v : slot.variants)
        v.picture.reset();
    checkSlot(
        slot, [](const std::string &) { return std::nullopt; }, problems);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].message.find("outside 364 to 752"), std::string::npos);
}

TEST(BankSource, ChoiceMayEndInCrLfButHasNoLineBreakInside)
{
    const std::string trailing = replaced(soundSlot55, "\"前線霧\"]", "\"前線霧\\n\"]");
    Outcome out = check(trailing);
    EXPECT_TRUE(out.problems.empty()) << out.problems.front().text();
    EXPECT_EQ(out.slot.variants[1].choices[3], "前線霧\r\n");

    out = check(replaced(soundSlot55, "\"前線霧\"]", "\"前線\\n霧\"]"));
    ASSERT_FALSE(out.problems.empty());
    EXPECT_NE(out.problems.front().message.find("line break inside"), std::string::npos);
}

TEST(Cp932, RoundTripKeepsTheCharactersTheBankUses)
{
    EXPECT_FALSE(
        firstCharacterLostInCp932("１０時～１１時、－５℃、30°12.0′、①、ｱ･ABC (x) 'y' + - ."));
    EXPECT_EQ(firstCharacterLostInCp932("1〜2"), "U+301C 〜");
    EXPECT_EQ(firstCharacterLostInCp932("−5"), "U+2212 −");
    EXPECT_EQ(codePointCount("第51問\r\n"), 6u);
}

struct BmpBreakage
{
    const char *name;
    std::function<void(std::vector<std::uint8_t> &)> breakIt;
    const char *message;
};

class BrokenBmp : public testing::TestWithParam<BmpBreakage>
{
};

TEST_P(BrokenBmp, IsRejected)
{
    auto bytes = makeBmp(200, 190, 8);
    GetParam().breakIt(bytes);
    const BmpCheckResult result = checkBmp(bytes);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(GetParam().message), std::string::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(Rules, BrokenBmp,
    testing::Values(BmpBreakage { "QtsDefaultResolution",
                        [](auto &b) {
                            put32(b, 38, 3780);
                            put32(b, 42, 3780);
                        },
                        "resolution fields are 3780 and 3780" },
        BmpBreakage { "TopDown", [](auto &b) { put32(b, 22, std::uint32_t(-190)); }, "bottom-up" },
        BmpBreakage { "Compressed", [](auto &b) { put32(b, 30, 1); }, "compressed" },
        BmpBreakage { "V5Header", [](auto &b) { put32(b, 14, 124); }, "not 40" },
        BmpBreakage { "SixteenBits", [](auto &b) { b[28] = 16; }, "16 bits per pixel" },
        BmpBreakage { "PaletteNotAGreyRamp", [](auto &b) { b[54 + 4 * 7 + 2] = 200; }, "entry 7" },
        BmpBreakage { "TooNarrow", [](auto &b) { put32(b, 18, 195); }, "width 195" },
        BmpBreakage { "TooTall", [](auto &b) { put32(b, 22, 288); }, "height 288" },
        BmpBreakage { "Truncated",
            [](auto &b) {
                b.resize(b.size() - 10);
                put32(b, 2, std::uint32_t(b.size()));
            },
            "cut short" },
        BmpBreakage { "SizeFieldWrong", [](auto &b) { put32(b, 2, 5); }, "file size field" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BmpCheck, AcceptsBothFormsAtTheLimitsOfTheSizeRange)
{
    for (const auto &[w, h, bpp] :
        { std::tuple { 196, 186, 8 }, { 286, 287, 24 }, { 273, 244, 24 } }) {
        const BmpCheckResult result = checkBmp(makeBmp(w, h, bpp));
        EXPECT_TRUE(result.ok) << w << "x" << h << "x" << bpp << ": " << result.error;
        EXPECT_EQ(result.info.width, w);
        EXPECT_EQ(result.info.height, h);
        EXPECT_EQ(result.info.bitsPerPixel, bpp);
    }
}

} // namespace
