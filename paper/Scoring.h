// The scoring of a finished test, as the results screen shows it: 10 points for each question
// whose answer is its correct choice, per section and in total, each also as a rate text in the
// pattern "#0.0", red when that text read back as a whole number is below the mark.
#pragma once

#include "paper/ExamPaper.h"

#include <cstdint>
#include <string>

namespace tovarin {

struct ScoreLine
{
    std::int16_t points = 0;
    std::string rateText;
    bool red = false;
};

struct ExamScore
{
    ScoreLine sectionI; // 上級運航 I: questions 51 to 58, at most 80 points, mark 50 %
    ScoreLine sectionII; // 上級運航 II: 59 to 64, at most 60 points, mark 50 %
    ScoreLine total; // at most 140 points, mark 65 %
};

ExamScore scoreExam(const ExamPaper &paper);

// The texts of the answer table's cells: the correct choice, and the answer or "" for none.
std::string correctChoiceText(const ExamQuestion &question);
std::string answerText(std::int16_t answer);

} // namespace tovarin
