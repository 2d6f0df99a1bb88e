// A finished test whose two sections earn the points a test asks for, shared by the scoring's
// test and the results screen's.
#pragma once

#include "paper/ExamPaper.h"

#include <cstddef>
#include <cstdint>

namespace tovarin::testing {

inline std::int16_t correctChoiceOf(std::size_t i)
{
    return std::int16_t(i % 4 + 1);
}

// Section I (indices 0 to 7) and section II (8 to 13) earn the given points: that many tens of
// their questions answered right, the rest alternately answered wrong and left unanswered.
inline ExamPaper paperFor(int pointsI, int pointsII)
{
    ExamPaper paper;
    auto answerSection = [&paper](std::size_t first, std::size_t last, int points) {
        const std::size_t right = std::size_t(points / 10);
        for (std::size_t i = first; i <= last; ++i) {
            const std::int16_t correct = correctChoiceOf(i);
            if (i - first < right)
                paper.Answers[i] = correct;
            else
                paper.Answers[i] = (i % 2) ? std::int16_t(correct % 4 + 1) : std::int16_t(0);
        }
    };
    for (std::size_t i = 0; i < 14; ++i)
        paper.Questions[i].CorrectChoice = correctChoiceOf(i);
    answerSection(0, 7, pointsI);
    answerSection(8, 13, pointsII);
    return paper;
}

} // namespace tovarin::testing
