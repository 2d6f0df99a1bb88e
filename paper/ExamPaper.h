// The exam paper: the one record of the test in progress, program-wide, read and written
// directly by the screens. AssembleExam draws its fourteen questions from the bank;
// ResetAnswers clears the candidate's answers. Entry 14 of both arrays is never used.
#pragma once

#include "bank/QuestionBank.h"
#include "paper/Clock.h"
#include "paper/RandomSource.h"

#include <array>
#include <cstdint>
#include <string>

namespace tovarin {

// One drawn question: the exam paper's own copies of a variant's texts and numbers, and a
// reference to the bank's picture holder (questions 55 and 56 only).
using ExamQuestion = QuestionVariant;

struct ExamPaper
{
    std::array<ExamQuestion, questionCount + 1> Questions;
    std::array<std::int16_t, questionCount + 1>
        Answers {}; // 0 = not answered, 1 to 4 = the chosen choice
    LocalDateTime StartTime {}; // set when a test starts
    // Which variant of its pool each question is, from the same draw: the explanation of review
    // and the chart of a chart question are found by it.
    std::array<std::int16_t, questionCount + 1> drawnVariant {};
};

// The program's exam paper (the current ProgramState's): it lives as long as the program object.
ExamPaper &examPaper();

// Draws one variant per question, 51 to 64 in order, one random value each.
void AssembleExam(ExamPaper &paper, const QuestionBank &bank, RandomSource &random);
void AssembleExam(); // the program's paper, bank and generator

void ResetAnswers(ExamPaper &paper);
void ResetAnswers();

} // namespace tovarin
