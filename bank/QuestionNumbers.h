// The fourteen questions of a test and their two sections, by index: question number = index +
// firstQuestionNumber, indices 0 to lastQuestionIndex. Arrays indexed by question have one entry
// more (0 to 14), of which the last is never used.
#pragma once

#include <cstdint>

namespace tovarin {

constexpr std::int16_t questionCount = 14;
constexpr std::int16_t firstQuestionNumber = 51;
constexpr std::int16_t lastQuestionIndex = questionCount - 1;
// "上級運航 I" is questions 51 to 58, "上級運航 II" 59 to 64.
constexpr std::int16_t firstSectionIIIndex = 8;
// Questions 51 to 53 are worked on a chart (試験用海図第150号 or 第200号).
constexpr std::int16_t chartQuestionCount = 3;
// The bank's container frmQ holds questions 51 to 57, frmQ2 58 to 64.
constexpr std::int16_t firstFrmQ2Index = 7;

} // namespace tovarin
