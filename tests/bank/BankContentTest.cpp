// The built-in bank as a whole: pool sizes, layouts and pictures per question, the two variants
// whose exact wording is fixed, the accident narratives' lengths, the spread of the keys and the
// surface cues by which a candidate who knows nothing could beat chance.

#include "bank/QuestionBank.h"
#include "bankgen/source/BmpCheck.h"

#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>

namespace {

using tovarin::QuestionBank;
using tovarin::QuestionVariant;

constexpr std::array<int, 14> poolSizes = { 14, 14, 13, 12, 15, 10, 11, 11, 11, 11, 12, 10, 9, 10 };

std::vector<QuestionVariant> pool(int number)
{
    const QuestionBank &bank = QuestionBank::builtIn();
    const auto k = std::int16_t(number - 51);
    std::vector<QuestionVariant> variants;
    for (std::int16_t v = 0; v < bank.PoolSize(k); ++v)
        variants.push_back(bank.Variant(k, v));
    return variants;
}

std::size_t characters(const std::string &utf8)
{
    return std::size_t(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

TEST(BankContent, PoolSizesAre163QuestionsInAll)
{
    int total = 0;
    for (int number = 51; number <= 64; ++number) {
        EXPECT_EQ(pool(number).size(), std::size_t(poolSizes[std::size_t(number - 51)]))
            << "question " << number;
        total += int(pool(number).size());
    }
    EXPECT_EQ(total, 163);
}

// Whether a text puts a blank between a Japanese character and a figure (「速力 9ノット」); the
// examination prints 「速力9ノット」. Kana, kanji and the full-width forms take three bytes in
// UTF-8 with a lead byte from E3 on.
bool spacesAFigure(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto digit
        = [&](std::size_t i) { return i < text.size() && byte(i) >= '0' && byte(i) <= '9'; };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ')
            continue;
        std::size_t after = i;
        while (after < text.size() && text[after] == ' ')
            ++after;
        const bool japaneseBefore = i >= 3 && byte(i - 3) >= 0xE3;
        const bool japaneseAfter = after + 2 < text.size() && byte(after) >= 0xE3;
        if ((japaneseBefore && digit(after)) || (i > 0 && digit(i - 1) && japaneseAfter))
            return true;
    }
    return false;
}

TEST(BankContent, NoBlankBetweenJapaneseAndAFigure)
{
    EXPECT_TRUE(spacesAFigure("速力 9ノット"));
    EXPECT_TRUE(spacesAFigure("9 ノット"));
    EXPECT_FALSE(spacesAFigure("速力9ノット、(1) 12.0 - 3.5"));
    for (int number = 51; number <= 64; ++number) {
        int v = 0;
        for (const QuestionVariant &variant : pool(number)) {
            EXPECT_FALSE(spacesAFigure(variant.QuestionText)) << "question " << number << "/" << v;
            for (const std::string &choice : variant.ChoiceText)
                EXPECT_FALSE(spacesAFigure(choice))
                    << "question " << number << "/" << v << ": " << choice;
            ++v;
        }
    }
}

TEST(BankContent, OnlyQuestions55And56HavePicturesInTheirLayouts)
{
    std::set<std::string> pictures;
    for (int number = 51; number <= 64; ++number) {
        const auto variants = pool(number);
        for (std::size_t v = 0; v < variants.size(); ++v) {
            const QuestionVariant &q = variants[v];
            SCOPED_TRACE(testing::Message() << "question " << number << " variant " << v);
            if (number != 55 && number != 56) {
                EXPECT_EQ(q.LayoutType, 1);
                EXPECT_EQ(q.PictureRef, nullptr);
                continue;
            }
            ASSERT_NE(q.PictureRef, nullptr);
            const bool textOnly = number == 55 && (v == 3 || v == 5 || v == 6);
            EXPECT_EQ(q.PictureRef->isEmpty(), textOnly);
            if (textOnly)
                EXPECT_EQ(q.LayoutType, 1);
            else if (number == 56)
                EXPECT_EQ(q.LayoutType, 2) << "a tide table sits below short choices";
            else
                EXPECT_TRUE(q.LayoutType == 2 || q.LayoutType == 3) << "layout " << q.LayoutType;
            if (!q.PictureRef->isEmpty())
                pictures.insert(std::string(q.PictureRef->fileName()));
        }
    }
    const auto weather = pool(55);
    EXPECT_EQ(
        std::count_if(weather.begin(), weather.end(), [](auto &q) { return q.LayoutType == 2; }),
        5);
    EXPECT_EQ(
        std::count_if(weather.begin(), weather.end(), [](auto &q) { return q.LayoutType == 3; }),
        7);
    EXPECT_EQ(pictures.size(), 22u) << "every picture shown by exactly one variant";
}

TEST(BankContent, FixedVariantsKeepTheirExactWording)
{
    const QuestionVariant refuge = pool(57).at(9);
    EXPECT_EQ(refuge.QuestionText, "避難港の選定条件として適当でないものは、次のうちどれか。");
    EXPECT_EQ(refuge.ChoiceText[0], "強い風、高い波、うねりが防げること");
    EXPECT_EQ(refuge.ChoiceText[1], "入港しやすく、海面の広さが十分であること");
    EXPECT_EQ(refuge.ChoiceText[2], "障害物、浅瀬が少なく、危険海域がないこと");
    EXPECT_EQ(refuge.ChoiceText[3], "シーアンカーが使用できる十分な水深があること");
    EXPECT_EQ(refuge.CorrectChoice, 4);
    EXPECT_EQ(refuge.LayoutType, 1);

    const QuestionVariant currents = pool(55).at(4);
    EXPECT_EQ(currents.QuestionText,
        "右図は、日本近海の海流の状況を示したものである。図中（ア）の海流の名称は、次のうちどれか"
        "。");
    EXPECT_EQ(currents.ChoiceText,
        (std::array<std::string, 5> { "リマン海流", "親　潮", "対馬海流", "黒　潮", "" }));
    EXPECT_EQ(currents.CorrectChoice, 3);
    EXPECT_EQ(currents.LayoutType, 2);
    ASSERT_NE(currents.PictureRef, nullptr);
    const auto bmp = tovarin::banksource::checkBmp(currents.PictureRef->bytes());
    ASSERT_TRUE(bmp.ok) << bmp.error;
    EXPECT_EQ(bmp.info.width, 273);
    EXPECT_EQ(bmp.info.height, 244);
    EXPECT_EQ(bmp.info.bitsPerPixel, 24);
}

TEST(BankContent, AccidentNarrativesAreLongAndChartQuestionsNameTheirChart)
{
    for (const QuestionVariant &q : pool(58)) {
        EXPECT_GE(characters(q.QuestionText), 364u);
        EXPECT_LE(characters(q.QuestionText), 752u);
    }
    for (int number : { 51, 52, 53 })
        for (const QuestionVariant &q : pool(number))
            EXPECT_TRUE(q.QuestionText.find("試験用海図第150号使用") != std::string::npos
                || q.QuestionText.find("試験用海図第200号使用") != std::string::npos)
                << "question " << number << ": " << q.QuestionText.substr(0, 60);
}

TEST(BankContent, KeysAreSpreadOverAllFourChoicesInEveryPool)
{
    for (int number = 51; number <= 64; ++number) {
        std::array<int, 5> counts {};
        const auto variants = pool(number);
        for (const QuestionVariant &q : variants)
            ++counts[std::size_t(q.CorrectChoice)];
        for (int key = 1; key <= 4; ++key) {
            EXPECT_GE(counts[std::size_t(key)], 1)
                << "question " << number << " never keys " << key;
            EXPECT_LE(counts[std::size_t(key)] * 3, int(variants.size()))
                << "question " << number << ": key " << key << " dominates";
        }
    }
}

// Surface cues. The limits allow what chance gives a pool whose choices are written without
// regard to the key, and nothing more:
// - the key is the unique longest text choice in about a quarter of the variants by chance, so
//   round(n/4) + 1 leaves one variant of slack in pools of 9 to 15;
// - absolute wording (だけ, のみ, 必ず ...) is rare, so the one choice that carries it is the one a
//   candidate learns to pick: the key is never that choice, and over a pool such wording sits in
//   true and false statements alike (at most one apart);
// - a guesser that reads form only (where the wrong statement is asked for, the lone absolute
//   choice; otherwise the lone plain one among three absolute ones; else a choice a quarter longer
//   than any other; else a blind guess worth 1/4) scores at most a third: chance is a quarter, and
//   one lucky cue in a pool of nine already makes a third;
// - choices that each state one quantity stand in ascending order, so their order says nothing.
struct CueFigures
{
    int variants = 0, textVariants = 0, absoluteInFalse = 0, absoluteInTrue = 0, guessQuarters = 0;
    std::vector<int> keyUniqueLongest, keyAloneAbsolute, guessedByForm, notAscending;
};

std::u32string decode(const std::string &utf8) // without a trailing line break
{
    std::u32string out;
    for (const char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b & 0xC0) == 0x80)
            out.back() = (out.back() << 6) | (b & 0x3F);
        else
            out.push_back(b < 0x80 ? b : b < 0xE0 ? b & 0x1F : b < 0xF0 ? b & 0x0F : b & 0x07);
    }
    return out.ends_with(U"\r\n") ? out.substr(0, out.size() - 2) : out;
}

bool containsAny(const std::u32string &text, std::initializer_list<std::u32string_view> words)
{
    return std::any_of(
        words.begin(), words.end(), [&](auto w) { return text.find(w) != text.npos; });
}

bool absolute(std::u32string text)
{
    // Hedges and plain words that merely contain the letters of an absolute one do not count.
    for (std::u32string_view hedge :
        { U"できるだけ", U"必ずしも", U"非常に", U"異常に", U"正常に", U"通常に" })
        for (auto at = text.find(hedge); at != text.npos; at = text.find(hedge))
            text = text.substr(0, at) + U'＿' + text.substr(at + hedge.size());
    return containsAny(text,
        { U"だけ", U"のみ", U"必要はない", U"てよい", U"でよい", U"必ず", U"常に", U"絶対",
            U"決して", U"全く", U"すべて", U"一切" });
}

struct Figure
{
    bool numeric = false; // figures with at most a unit or a short label around them
    std::optional<double> value; // the one quantity stated (hours and minutes in minutes)
};

Figure figure(const std::u32string &choice)
{
    const auto digit
        = [](char32_t c) { return (c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９'); };
    const std::u32string_view signs = U".,:°′″－-+～ 　";
    std::vector<double> numbers;
    std::u32string after;
    std::size_t words = 0;
    for (std::size_t i = 0; i < choice.size(); ++i) {
        if (!digit(choice[i])) {
            words += signs.find(choice[i]) == signs.npos ? 1 : 0;
            continue;
        }
        std::string digits;
        for (; i < choice.size() && (digit(choice[i]) || choice[i] == U'.' || choice[i] == U',');
             ++i)
            if (choice[i] != U',')
                digits += choice[i] >= U'０' ? char('0' + (choice[i] - U'０')) : char(choice[i]);
        numbers.push_back(std::stod(digits));
        after += i < choice.size() ? choice[i] : U' ';
        words += i < choice.size() && signs.find(choice[i]) == signs.npos ? 1 : 0;
    }
    Figure f { !numbers.empty() && words <= 12, std::nullopt };
    // Positions, compass errors and other pairs of figures have no single order.
    if (numbers.size() == 1 && !containsAny(choice, { U"E", U"W" }))
        f.value = after == U"時" ? 60 * numbers[0] : numbers[0];
    else if (numbers.size() == 2 && after == U"時分")
        f.value = 60 * numbers[0] + numbers[1];
    return f;
}

CueFigures measureCues(const std::vector<QuestionVariant> &variants)
{
    CueFigures f;
    for (const QuestionVariant &q : variants) {
        const int v = f.variants++, key = q.CorrectChoice - 1;
        const bool wrongOneAsked = containsAny(decode(q.QuestionText),
            { U"適当でない", U"誤っている", U"誤りである", U"正しくない", U"不適当",
                U"当てはまらない", U"ならなかった" });
        std::array<std::size_t, 4> length {};
        std::vector<int> absolutes;
        std::vector<std::optional<double>> values;
        bool numeric = true;
        for (int c = 0; c < 4; ++c) {
            const std::u32string choice = decode(q.ChoiceText[std::size_t(c)]);
            const Figure fig = figure(choice);
            length[std::size_t(c)] = choice.size();
            numeric = numeric && fig.numeric;
            values.push_back(fig.value);
            if (absolute(choice)) {
                absolutes.push_back(c);
                ++((c == key) == wrongOneAsked ? f.absoluteInFalse : f.absoluteInTrue);
            }
        }
        if (numeric
            && std::all_of(values.begin(), values.end(), [](auto x) { return x.has_value(); })
            && !std::is_sorted(values.begin(), values.end(), std::less_equal<> {}))
            f.notAscending.push_back(v);
        std::array<std::size_t, 4> sorted = length;
        std::sort(sorted.begin(), sorted.end());
        const int longest = int(std::max_element(length.begin(), length.end()) - length.begin());
        const bool uniqueLongest = !numeric && sorted[3] > sorted[2];
        f.textVariants += numeric ? 0 : 1;
        if (uniqueLongest && longest == key)
            f.keyUniqueLongest.push_back(v);
        if (absolutes.size() == 1 && absolutes[0] == key)
            f.keyAloneAbsolute.push_back(v);
        int guess = -1;
        if (wrongOneAsked && absolutes.size() == 1)
            guess = absolutes[0];
        else if (!wrongOneAsked && absolutes.size() == 3)
            guess = 6 - absolutes[0] - absolutes[1] - absolutes[2];
        else if (uniqueLongest && sorted[3] * 4 >= sorted[2] * 5)
            guess = longest;
        f.guessQuarters += guess < 0 ? 1 : guess == key ? 4 : 0;
        if (guess == key)
            f.guessedByForm.push_back(v);
    }
    return f;
}

// What a pool's figures break, with the variants that carry the cue; empty when it keeps every
// limit.
std::string brokenCueLimits(const CueFigures &f)
{
    std::ostringstream out;
    const auto list = [&](const char *what, const std::vector<int> &variants) {
        out << what << " (variants";
        for (int v : variants)
            out << ' ' << v;
        out << "); ";
    };
    if (int(f.keyUniqueLongest.size()) > (f.textVariants + 2) / 4 + 1)
        list("key is the unique longest choice too often", f.keyUniqueLongest);
    if (!f.keyAloneAbsolute.empty())
        list("key alone carries absolute wording", f.keyAloneAbsolute);
    if (std::abs(f.absoluteInFalse - f.absoluteInTrue) > 1)
        out << "absolute wording in " << f.absoluteInFalse << " false and " << f.absoluteInTrue
            << " true statements; ";
    if (3 * f.guessQuarters > 4 * f.variants)
        list("a form-only guesser scores above a third", f.guessedByForm);
    if (!f.notAscending.empty())
        list("numeric choices not ascending", f.notAscending);
    return out.str();
}

TEST(BankContent, CueMeasureFlagsAPoolWrittenAroundItsKeys)
{
    QuestionVariant cued { "誤っているものはどれか。",
        { "短い記述", "確かめる必要はなく、そのまま出航してよい", "短い記述", "短い記述" }, 2,
        nullptr, 1 };
    QuestionVariant descending = cued, ascending = cued;
    descending.ChoiceText = { "1,200回", "120回", "600回", "900回" };
    ascending.ChoiceText = { "2時間", "2時間20分", "2時間40分", "3時間" };
    const CueFigures f = measureCues({ cued, cued, cued, descending, ascending });
    EXPECT_EQ(f.keyUniqueLongest, (std::vector<int> { 0, 1, 2 }));
    EXPECT_EQ(f.keyAloneAbsolute, (std::vector<int> { 0, 1, 2 }));
    EXPECT_EQ(f.absoluteInFalse, 3);
    EXPECT_EQ(f.guessQuarters, 3 * 4 + 2);
    EXPECT_EQ(f.notAscending, std::vector<int> { 3 });
    EXPECT_NE(brokenCueLimits(f), "");
    EXPECT_FALSE(absolute(decode("非常に強い台風から、できるだけ早く離れる")));
}

// Pools still being rewritten on other branches: their figures are printed but not held to the
// limits; each comes off this list with its rewrite (the test says when one keeps them already).
TEST(BankContent, NoPoolCanBePassedOnTheFormOfItsChoices)
{
    for (int number = 51; number <= 64; ++number) {
        const CueFigures f = measureCues(pool(number));
        const std::string broken = brokenCueLimits(f);
        std::cout << "question " << number << ": key unique longest " << f.keyUniqueLongest.size()
                  << '/' << f.textVariants << ", key alone absolute " << f.keyAloneAbsolute.size()
                  << ", absolute in false/true " << f.absoluteInFalse << '/' << f.absoluteInTrue
                  << ", guesser " << 25 * f.guessQuarters / f.variants << " %, not ascending "
                  << f.notAscending.size() << '\n';
        EXPECT_TRUE(broken.empty()) << "question " << number << ": " << broken;
    }
}

} // namespace
