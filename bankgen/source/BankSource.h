// The bank as its maintainers write it: one TOML file per question number (bank/data/qNN.toml)
// and the pictures as BMP files (bank/pictures/). Reading and checking happen at build time;
// the program itself only ever sees the tables generated from a bank that passed every check.
#pragma once

#include "bank/Solution.h"
#include "bankgen/solver/CheckTable.h"
#include "bankgen/source/Gazetteer.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin::banksource {

struct SourceVariant
{
    std::int64_t index = -1;
    std::string question; // line breaks as CR LF
    std::vector<std::string> choices; // four, when the file is sound
    std::int64_t correct = 0;
    std::int64_t layout = 0;
    std::optional<std::string>
        picture; // slots 55 and 56: a BMP file name, or "" for an empty holder
    // Shown in review: why the key is right (the rule it rests on, the worked figures), and one
    // line per choice on why it is wrong, "" for the key.
    std::string explanation;
    std::vector<std::string> refutations;
    std::optional<solver::CheckTable> check; // computed questions: the figures the key follows from
    std::optional<solver::Solution> solution; // its worked solution, filled in by checkSlot
};

struct SourceSlot
{
    std::string fileName;
    std::int64_t number = 0;
    std::int64_t poolSize = 0;
    std::vector<SourceVariant> variants;
};

// One fault of the bank, located as precisely as the fault allows.
struct BankProblem
{
    std::string file;
    int variant = -1; // -1: the fault concerns the file, not one variant
    std::string message;

    std::string text() const;
};

using Problems = std::vector<BankProblem>;

// Reads the file bytes of a picture by its name, or nothing when no such picture exists.
using PictureStore = std::function<std::optional<std::vector<std::uint8_t>>(const std::string &)>;

// Parses one slot file. Anything that cannot be read into the model is reported, not thrown.
SourceSlot parseSlot(std::string_view toml, const std::string &fileName, Problems &problems);

// Checks one parsed slot against every rule the bank keeps (counts, ranges, pictures, encoding,
// and for computed questions the key against the solver's worked answer, which it keeps in the
// variant for the explanation table).
void checkSlot(SourceSlot &slot, const PictureStore &pictures, Problems &problems);

struct SourceBank
{
    std::vector<SourceSlot> slots; // questions 51 to 64, in order
    std::vector<Gazetteer> gazetteers; // one per examination chart (chartNNN.toml), by file name
    Problems problems;
};

// Reads and checks q51.toml to q64.toml and the chart gazetteers chart*.toml from dataDir, the
// pictures from picturesDir.
SourceBank loadBank(const std::filesystem::path &dataDir, const std::filesystem::path &picturesDir);

PictureStore directoryPictureStore(const std::filesystem::path &picturesDir);

constexpr int firstQuestionNumber = 51;
constexpr int lastQuestionNumber = 64;

// Chart work and tides: every variant is computed and carries a check table.
inline bool isComputedSlot(std::int64_t questionNumber)
{
    return (questionNumber >= 51 && questionNumber <= 53) || questionNumber == 56;
}

inline bool hasPictureHolders(std::int64_t questionNumber)
{
    return questionNumber == 55 || questionNumber == 56;
}

} // namespace tovarin::banksource
