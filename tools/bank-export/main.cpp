// bank-export: prints the built-in bank as JSON, slots 51 to 64 with their variants in stored
// order, texts exactly as the program holds them (CR LF included):
//   {"slots":[{"number":51,"section":"上級運航 I","pool_size":N,"variants":[{"question":...,
//     "choices":[...],"correct":1,"layout":1,"picture":null,"explanation":...}]}]}
// Rationales are not compiled into the program; the export reads them from the bank's sources
// when it is given the data folder (--data DIR, which the build passes by default).
//
//   bank-export [--data DIR]     the whole bank
//   bank-export --exam SEED      one exam drawn by AssembleExam from a generator seeded with SEED

#include "ExamPaper.h"
#include "JsonWriter.h"

#include <BankSource.h>

#include <charconv>
#include <cstring>
#include <iostream>
#include <optional>

#ifndef TOVARIN_BANK_DATA_DIR
#define TOVARIN_BANK_DATA_DIR ""
#endif

namespace {

using namespace tovarin;

void writePicture(JsonWriter &json, std::int16_t number, const PictureHolder *holder)
{
    if ((number != 55 && number != 56) || holder == nullptr)
        json.null();
    else
        json.value(holder->fileName());
}

void writeChoices(JsonWriter &json, const auto &choices)
{
    json.beginArray();
    for (std::size_t c = 0; c < 4; ++c)
        json.value(choices[c]);
    json.endArray();
}

int exportBank(const std::string &dataDir)
{
    const banksource::SourceBank sources = banksource::loadBank(dataDir, dataDir + "/../pictures");
    if (!sources.problems.empty()) {
        std::cerr << "bank-export: cannot read the explanations: " << sources.problems.front().text() << '\n';
        return 1;
    }
    const QuestionBank &bank = QuestionBank::builtIn();
    JsonWriter json(std::cout);
    json.beginObject().key("slots").beginArray();
    for (std::int16_t k = 0; k < QuestionBank::slotCount; ++k) {
        const std::int16_t number = QuestionBank::questionNumber(k);
        const std::int16_t poolSize = bank.PoolSize(k);
        json.beginObject()
            .key("number").value(number)
            .key("section").value(QuestionBank::sectionName(k))
            .key("pool_size").value(poolSize)
            .key("variants").beginArray();
        for (std::int16_t v = 0; v < poolSize; ++v) {
            const QuestionVariant variant = bank.Variant(k, v);
            json.beginObject().key("question").value(variant.QuestionText).key("choices");
            writeChoices(json, variant.ChoiceText);
            json.key("correct").value(variant.CorrectChoice).key("layout").value(variant.LayoutType);
            json.key("picture");
            writePicture(json, number, variant.PictureRef);
            json.key("explanation").value(sources.slots[std::size_t(k)].variants.at(std::size_t(v)).explanation);
            json.endObject();
        }
        json.endArray().endObject();
    }
    json.endArray().endObject();
    std::cout << '\n';
    return 0;
}

int exportExam(std::uint32_t seed)
{
    SeededRandom random(seed);
    ExamPaper paper;
    AssembleExam(paper, QuestionBank::builtIn(), random);
    JsonWriter json(std::cout);
    json.beginObject().key("seed").value(std::int64_t(seed)).key("questions").beginArray();
    for (std::int16_t k = 0; k < QuestionBank::slotCount; ++k) {
        const ExamQuestion &q = paper.Questions[std::size_t(k)];
        const std::int16_t number = QuestionBank::questionNumber(k);
        json.beginObject().key("number").value(number).key("question").value(q.QuestionText);
        json.key("choices");
        writeChoices(json, q.ChoiceText);
        json.key("correct").value(q.CorrectChoice).key("layout").value(q.LayoutType).key("picture");
        writePicture(json, number, q.PictureRef);
        json.endObject();
    }
    json.endArray().endObject();
    std::cout << '\n';
    return 0;
}

std::optional<std::uint32_t> parseSeed(const char *text)
{
    std::uint32_t seed = 0;
    const char *end = text + std::strlen(text);
    const auto [ptr, error] = std::from_chars(text, end, seed);
    if (error != std::errc() || ptr != end)
        return std::nullopt;
    return seed;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--exam") == 0) {
        if (const auto seed = parseSeed(argv[2]))
            return exportExam(*seed);
        std::cerr << "bank-export: SEED must be a whole number from 0 to 4294967295\n";
        return 2;
    }
    if (argc == 3 && std::strcmp(argv[1], "--data") == 0)
        return exportBank(argv[2]);
    if (argc == 1)
        return exportBank(TOVARIN_BANK_DATA_DIR);
    std::cerr << "usage: bank-export [--data DIR] | --exam SEED\n";
    return 2;
}
