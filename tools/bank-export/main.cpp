// bank-export: prints the built-in bank as JSON, slots 51 to 64 with their variants in stored
// order, texts exactly as the program holds them (CR LF included):
//   {"slots":[{"number":51,"section":"上級運航 I","pool_size":N,"variants":[{"question":...,
//     "choices":[...],"correct":1,"layout":1,"picture":null,"explanation":...,"refutations":[...]}]}]}
// A computed variant also carries its "check" table and its worked "solution" (the steps and, for
// chart work, the geometry of a plot). Explanations and check tables are read from the bank's
// sources in the data folder (--data DIR, which the build passes by default).
//
//   bank-export [--data DIR]     the whole bank
//   bank-export --exam SEED      one exam drawn by AssembleExam from a generator seeded with SEED

#include "paper/ExamPaper.h"
#include "tools/bank-export/SolutionJson.h"

#include "bankgen/solver/Solver.h"
#include "bankgen/source/BankSource.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cstring>
#include <iostream>
#include <optional>

#ifndef TOVARIN_BANK_DATA_DIR
#define TOVARIN_BANK_DATA_DIR ""
#endif

namespace {

using namespace tovarin;

QJsonValue pictureJson(std::int16_t number, const PictureHolder *holder)
{
    if ((number != 55 && number != 56) || holder == nullptr)
        return QJsonValue::Null;
    return QString::fromUtf8(holder->fileName().data(), qsizetype(holder->fileName().size()));
}

QJsonArray choicesJson(const auto &choices)
{
    QJsonArray out;
    for (std::size_t c = 0; c < 4; ++c)
        out.append(QString::fromStdString(choices[c]));
    return out;
}

QJsonArray textsJson(const std::vector<std::string> &texts)
{
    QJsonArray out;
    for (const std::string &text : texts)
        out.append(QString::fromStdString(text));
    return out;
}

QJsonObject positionJson(const banksource::ChartPosition &p)
{
    return { { "lat_minutes", p.latMinutes }, { "lon_minutes", p.lonMinutes } };
}

// The fixed world of each examination chart, as the chart questions use it.
QJsonArray gazetteersJson(const std::vector<banksource::Gazetteer> &gazetteers)
{
    QJsonArray out;
    for (const banksource::Gazetteer &g : gazetteers) {
        QJsonArray marks;
        for (const banksource::ChartMark &m : g.marks)
            marks.append(QJsonObject { { "name", QString::fromStdString(m.name) },
                { "kind", QString::fromStdString(m.kind) },
                { "position", positionJson(m.position) } });
        QJsonArray land;
        for (const banksource::ChartLand &l : g.land) {
            QJsonArray outline;
            for (const banksource::ChartPosition &p : l.outline)
                outline.append(positionJson(p));
            land.append(
                QJsonObject { { "name", QString::fromStdString(l.name) }, { "outline", outline } });
        }
        out.append(QJsonObject { { "file", QString::fromStdString(g.fileName) },
            { "chart", g.chart }, { "variation", g.variation },
            { "south_west", positionJson(g.southWest) },
            { "north_east", positionJson(g.northEast) }, { "marks", marks }, { "land", land } });
    }
    return out;
}

void print(const QJsonObject &object)
{
    std::cout << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << '\n';
}

int exportBank(const std::string &dataDir)
{
    const banksource::SourceBank sources = banksource::loadBank(dataDir, dataDir + "/../pictures");
    if (!sources.problems.empty()) {
        std::cerr << "bank-export: cannot read the bank's sources: "
                  << sources.problems.front().text() << '\n';
        return 1;
    }
    const QuestionBank &bank = QuestionBank::builtIn();
    QJsonArray slotList;
    for (std::int16_t k = 0; k < QuestionBank::slotCount; ++k) {
        const std::int16_t number = QuestionBank::questionNumber(k);
        const std::int16_t poolSize = bank.PoolSize(k);
        QJsonArray variants;
        for (std::int16_t v = 0; v < poolSize; ++v) {
            const QuestionVariant variant = bank.Variant(k, v);
            const banksource::SourceVariant &source
                = sources.slots[std::size_t(k)].variants.at(std::size_t(v));
            QJsonObject out { { "question", QString::fromStdString(variant.QuestionText) },
                { "choices", choicesJson(variant.ChoiceText) },
                { "correct", variant.CorrectChoice }, { "layout", variant.LayoutType },
                { "picture", pictureJson(number, variant.PictureRef) },
                { "explanation", QString::fromStdString(source.explanation) },
                { "refutations", textsJson(source.refutations) } };
            if (source.check) {
                out["check"] = checkJson(*source.check);
                out["solution"] = solutionJson(solver::solve(*source.check));
            }
            variants.append(out);
        }
        slotList.append(QJsonObject { { "number", number },
            { "section",
                QString::fromUtf8(QuestionBank::sectionName(k).data(),
                    qsizetype(QuestionBank::sectionName(k).size())) },
            { "pool_size", poolSize }, { "variants", variants } });
    }
    print(QJsonObject {
        { "slots", slotList }, { "gazetteers", gazetteersJson(sources.gazetteers) } });
    return 0;
}

int exportExam(std::uint32_t seed)
{
    SeededRandom random(seed);
    ExamPaper paper;
    AssembleExam(paper, QuestionBank::builtIn(), random);
    QJsonArray questions;
    for (std::int16_t k = 0; k < QuestionBank::slotCount; ++k) {
        const ExamQuestion &q = paper.Questions[std::size_t(k)];
        const std::int16_t number = QuestionBank::questionNumber(k);
        questions.append(QJsonObject { { "number", number },
            { "question", QString::fromStdString(q.QuestionText) },
            { "choices", choicesJson(q.ChoiceText) }, { "correct", q.CorrectChoice },
            { "layout", q.LayoutType }, { "picture", pictureJson(number, q.PictureRef) } });
    }
    print(QJsonObject { { "seed", qint64(seed) }, { "questions", questions } });
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
