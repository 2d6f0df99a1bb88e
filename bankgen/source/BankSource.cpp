#include "bankgen/source/BankSource.h"
#include "bankgen/source/TomlFile.h"

#include "bankgen/solver/KeyCheck.h"
#include "bankgen/source/BmpCheck.h"
#include "bankgen/source/Cp932.h"

#include <toml++/toml.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace tovarin::banksource {
namespace {

const std::set<std::string> variantKeys = { "index", "question", "choices", "correct", "layout",
    "picture", "check", "explanation", "refutations" };
const std::set<std::string> fileKeys = { "number", "pool_size", "variant" };

std::string withCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the LF that follows writes the pair
        if (text[i] == '\n')
            out += '\r';
        out += text[i];
    }
    return out;
}

bool endsWithCrLf(std::string_view text)
{
    return text.size() >= 2 && text.substr(text.size() - 2) == "\r\n";
}

class VariantReader
{
public:
    VariantReader(
        const toml::table &table, const std::string &file, int position, Problems &problems)
        : m_table(table)
        , m_file(file)
        , m_position(position)
        , m_problems(problems)
    {
    }

    SourceVariant read()
    {
        for (const auto &[key, value] : m_table)
            if (!variantKeys.contains(std::string(key.str())))
                problem("unknown key '" + std::string(key.str()) + "'");
        SourceVariant v;
        v.index = integer("index");
        v.question = withCrLf(text("question"));
        v.correct = integer("correct");
        v.layout = integer("layout");
        v.explanation = withCrLf(text("explanation"));
        if (const toml::array *lines = m_table["refutations"].as_array()) {
            for (const toml::node &line : *lines) {
                if (auto s = line.value<std::string>())
                    v.refutations.push_back(*s);
                else
                    problem("a refutation is not a text");
            }
        } else {
            problem("missing or non-list 'refutations'");
        }
        if (m_table.contains("picture")) {
            if (auto name = m_table["picture"].value<std::string>())
                v.picture = *name;
            else
                problem("'picture' is not a text");
        }
        if (const toml::table *check = m_table["check"].as_table())
            v.check = solver::CheckTable::fromTable(*check);
        else if (m_table.contains("check"))
            problem("'check' is not a table");
        if (const toml::array *choices = m_table["choices"].as_array()) {
            for (const toml::node &choice : *choices) {
                if (auto s = choice.value<std::string>())
                    v.choices.push_back(withCrLf(*s));
                else
                    problem("a choice is not a text");
            }
        } else {
            problem("missing 'choices'");
        }
        return v;
    }

private:
    std::int64_t integer(const char *key)
    {
        if (auto n = m_table[key].value<std::int64_t>())
            return *n;
        problem(std::string("missing or non-integer '") + key + "'");
        return -1;
    }
    std::string text(const char *key)
    {
        if (auto s = m_table[key].value<std::string>())
            return *s;
        problem(std::string("missing or non-text '") + key + "'");
        return {};
    }
    void problem(std::string message)
    {
        m_problems.push_back({ m_file, m_position, std::move(message) });
    }

    const toml::table &m_table;
    const std::string &m_file;
    int m_position;
    Problems &m_problems;
};

class SlotChecker
{
public:
    SlotChecker(SourceSlot &slot, const PictureStore &pictures, Problems &problems)
        : m_slot(slot)
        , m_pictures(pictures)
        , m_problems(problems)
    {
    }

    void run()
    {
        if (m_slot.number < firstQuestionNumber || m_slot.number > lastQuestionNumber)
            fileProblem("question number " + std::to_string(m_slot.number) + " outside 51 to 64");
        if (m_slot.poolSize < 1)
            fileProblem("pool_size " + std::to_string(m_slot.poolSize) + " is below 1");
        if (m_slot.poolSize != static_cast<std::int64_t>(m_slot.variants.size()))
            fileProblem("pool_size " + std::to_string(m_slot.poolSize) + " differs from the "
                + std::to_string(m_slot.variants.size()) + " variants in the file");
        for (std::size_t i = 0; i < m_slot.variants.size(); ++i)
            checkVariant(static_cast<int>(i), m_slot.variants[i]);
    }

private:
    void checkVariant(int i, const SourceVariant &v)
    {
        if (v.index != i)
            problem(i,
                "index " + std::to_string(v.index) + " where " + std::to_string(i)
                    + " is due (variants are numbered 0, 1, 2 ... without gaps)");
        const std::size_t minLength = m_slot.number == 58 ? 364 : 28;
        const std::size_t length = codePointCount(v.question);
        if (length < minLength || length > 752)
            problem(i,
                "question text has " + std::to_string(length) + " characters, outside "
                    + std::to_string(minLength) + " to 752");
        if (endsWithCrLf(v.question))
            problem(i, "question text ends with a line break");
        if (v.choices.size() != 4)
            problem(i, "has " + std::to_string(v.choices.size()) + " choices, not 4");
        for (std::size_t c = 0; c < v.choices.size(); ++c)
            checkChoice(i, v, static_cast<int>(c) + 1, v.choices[c]);
        if (v.correct < 1 || v.correct > 4)
            problem(i, "correct choice " + std::to_string(v.correct) + " outside 1 to 4");
        if (v.layout < 1 || v.layout > 3)
            problem(i, "layout " + std::to_string(v.layout) + " outside 1 to 3");
        checkExplanation(i, v);
        checkEncoding(i, "question text", v.question);
        checkPicture(i, v);
        checkComputed(i, m_slot.variants[std::size_t(i)]);
    }

    // The key of a computed question must be the one choice its worked answer gives.
    void checkComputed(int i, SourceVariant &v)
    {
        if (!v.check) {
            if (isComputedSlot(m_slot.number))
                problem(i,
                    "has no check table (every variant of questions 51 to 53 and 56 is computed)");
            return;
        }
        const solver::KeyCheckResult result
            = solver::checkKey(*v.check, v.question, v.choices, static_cast<int>(v.correct));
        for (const std::string &fault : result.faults)
            problem(i, fault);
        v.solution = result.solution;
        if (!v.solution)
            return;
        for (const solver::Step &step : v.solution->steps)
            for (const std::string *text :
                { &step.label, &step.formula, &step.working, &step.result })
                checkEncoding(i, "worked solution", *text);
    }

    void checkExplanation(int i, const SourceVariant &v)
    {
        const std::size_t length = codePointCount(v.explanation);
        if (length < 20 || length > 900)
            problem(
                i, "explanation has " + std::to_string(length) + " characters, outside 20 to 900");
        if (endsWithCrLf(v.explanation))
            problem(i, "explanation ends with a line break");
        checkEncoding(i, "explanation", v.explanation);
        if (v.refutations.size() != 4) {
            problem(i, "has " + std::to_string(v.refutations.size()) + " refutations, not 4");
            return;
        }
        for (std::size_t c = 0; c < 4; ++c) {
            const std::string name = "refutation " + std::to_string(c + 1);
            const bool isKey = static_cast<std::int64_t>(c) + 1 == v.correct;
            const std::size_t n = codePointCount(v.refutations[c]);
            if (isKey && n != 0)
                problem(i, name + " belongs to the key and must be \"\"");
            if (!isKey && (n < 4 || n > 160))
                problem(i, name + " has " + std::to_string(n) + " characters, outside 4 to 160");
            if (v.refutations[c].find_first_of("\r\n") != std::string::npos)
                problem(i, name + " has a line break inside");
            checkEncoding(i, name, v.refutations[c]);
        }
    }

    void checkChoice(int i, const SourceVariant &v, int number, const std::string &choice)
    {
        const std::string name = "choice " + std::to_string(number);
        std::string_view shown = choice;
        if (endsWithCrLf(shown))
            shown.remove_suffix(2);
        const std::size_t length = codePointCount(choice);
        if (shown.empty() || length > 61)
            problem(i, name + " has " + std::to_string(length) + " characters, outside 1 to 61");
        if (shown.find_first_of("\r\n") != std::string_view::npos)
            problem(i, name + " has a line break inside");
        const std::size_t shownLength = codePointCount(shown);
        if (v.layout == 2 && shownLength > 13)
            problem(i,
                name + " has " + std::to_string(shownLength)
                    + " characters; a layout-2 choice has at most 13");
        if (v.layout == 3 && (shownLength < 15 || shownLength > 39))
            problem(i,
                name + " has " + std::to_string(shownLength)
                    + " characters; a layout-3 choice has 15 to 39");
        checkEncoding(i, name, choice);
    }

    void checkEncoding(int i, const std::string &what, const std::string &text)
    {
        if (auto lost = firstCharacterLostInCp932(text))
            problem(i,
                what + " has " + *lost
                    + ", which does not survive code page 932 (use U+FF5E for a wave "
                      "dash, U+FF0D for a full-width minus)");
    }

    void checkPicture(int i, const SourceVariant &v)
    {
        if (!hasPictureHolders(m_slot.number)) {
            if (v.picture)
                problem(i, "has a picture holder, but only questions 55 and 56 have pictures");
            return;
        }
        if (!v.picture) {
            problem(i,
                "has no 'picture' (questions 55 and 56 give every variant a holder; "
                "write \"\" for an empty one)");
            return;
        }
        const bool wantsPicture = v.layout == 2 || v.layout == 3;
        if (wantsPicture && v.picture->empty())
            problem(i,
                "layout " + std::to_string(v.layout) + " needs a picture, but the holder is empty");
        if (!wantsPicture && !v.picture->empty())
            problem(i,
                "layout " + std::to_string(v.layout) + " shows no picture, but the holder has '"
                    + *v.picture + "'");
        if (v.picture->empty())
            return;
        const auto bytes = m_pictures(*v.picture);
        if (!bytes) {
            problem(i, "picture '" + *v.picture + "' does not exist");
            return;
        }
        const BmpCheckResult bmp = checkBmp(*bytes);
        if (!bmp.ok)
            problem(i, "picture '" + *v.picture + "': " + bmp.error);
    }

    void fileProblem(std::string message)
    {
        m_problems.push_back({ m_slot.fileName, -1, std::move(message) });
    }
    void problem(int i, std::string message)
    {
        m_problems.push_back({ m_slot.fileName, i, std::move(message) });
    }

    SourceSlot &m_slot;
    const PictureStore &m_pictures;
    Problems &m_problems;
};

std::optional<std::string> readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace

std::string BankProblem::text() const
{
    std::string out = file;
    if (variant >= 0)
        out += ", variant " + std::to_string(variant);
    return out + ": " + message;
}

std::optional<toml::table> parseTomlFile(
    std::string_view text, const std::string &fileName, Problems &problems)
{
    try {
        return toml::parse(text, fileName);
    } catch (const toml::parse_error &error) {
        std::ostringstream where;
        where << "line " << error.source().begin.line << ": " << error.description();
        problems.push_back({ fileName, -1, "is not valid TOML, " + where.str() });
        return std::nullopt;
    }
}

SourceSlot parseSlot(std::string_view toml, const std::string &fileName, Problems &problems)
{
    SourceSlot slot;
    slot.fileName = fileName;
    const std::optional<toml::table> parsed = parseTomlFile(toml, fileName, problems);
    if (!parsed)
        return slot;
    const toml::table &root = *parsed;
    for (const auto &[key, value] : root)
        if (!fileKeys.contains(std::string(key.str())))
            problems.push_back({ fileName, -1, "unknown key '" + std::string(key.str()) + "'" });
    if (auto n = root["number"].value<std::int64_t>())
        slot.number = *n;
    else
        problems.push_back({ fileName, -1, "missing or non-integer 'number'" });
    if (auto n = root["pool_size"].value<std::int64_t>())
        slot.poolSize = *n;
    else
        problems.push_back({ fileName, -1, "missing or non-integer 'pool_size'" });
    const toml::array *variants = root["variant"].as_array();
    if (!variants) {
        problems.push_back({ fileName, -1, "has no [[variant]] tables" });
        return slot;
    }
    int position = 0;
    for (const toml::node &node : *variants) {
        if (const toml::table *table = node.as_table())
            slot.variants.push_back(VariantReader(*table, fileName, position, problems).read());
        else
            problems.push_back({ fileName, position, "is not a table" });
        ++position;
    }
    return slot;
}

void checkSlot(SourceSlot &slot, const PictureStore &pictures, Problems &problems)
{
    SlotChecker(slot, pictures, problems).run();
}

PictureStore directoryPictureStore(const std::filesystem::path &picturesDir)
{
    return [picturesDir](const std::string &name) -> std::optional<std::vector<std::uint8_t>> {
        // A holder names a file inside the pictures folder, never a path elsewhere.
        if (name.find_first_of("/\\") != std::string::npos || name == "." || name == "..")
            return std::nullopt;
        const auto content = readFile(picturesDir / name);
        if (!content)
            return std::nullopt;
        return std::vector<std::uint8_t>(content->begin(), content->end());
    };
}

SourceBank loadBank(const std::filesystem::path &dataDir, const std::filesystem::path &picturesDir)
{
    SourceBank bank;
    const PictureStore pictures = directoryPictureStore(picturesDir);
    std::vector<std::filesystem::path> charts;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(dataDir, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("chart") && name.ends_with(".toml"))
            charts.push_back(entry.path());
    }
    std::sort(charts.begin(), charts.end());
    for (const auto &path : charts) {
        const std::string fileName = path.filename().string();
        const auto content = readFile(path);
        if (!content) {
            bank.problems.push_back({ fileName, -1, "cannot be read" });
            continue;
        }
        Gazetteer g = parseGazetteer(*content, fileName, bank.problems);
        for (const Gazetteer &other : bank.gazetteers)
            if (other.chart == g.chart)
                bank.problems.push_back({ fileName, -1,
                    "gives chart " + std::to_string(g.chart) + ", which " + other.fileName
                        + " gives already" });
        bank.gazetteers.push_back(std::move(g));
    }
    for (int number = firstQuestionNumber; number <= lastQuestionNumber; ++number) {
        const std::string fileName = "q" + std::to_string(number) + ".toml";
        const auto content = readFile(dataDir / fileName);
        if (!content) {
            bank.problems.push_back({ fileName, -1, "is missing from " + dataDir.string() });
            bank.slots.push_back({ fileName, number, 0, {} });
            continue;
        }
        SourceSlot slot = parseSlot(*content, fileName, bank.problems);
        lendChartMarks(slot, bank.gazetteers);
        if (slot.number != number)
            bank.problems.push_back({ fileName, -1,
                "says number = " + std::to_string(slot.number) + ", but the file is for question "
                    + std::to_string(number) });
        checkSlot(slot, pictures, bank.problems);
        checkChartVariants(slot, bank.gazetteers, bank.problems);
        bank.slots.push_back(std::move(slot));
    }
    return bank;
}

} // namespace tovarin::banksource
