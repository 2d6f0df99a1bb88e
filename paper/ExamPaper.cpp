#include "paper/ExamPaper.h"

#include <cmath>

namespace tovarin {

void AssembleExam(ExamPaper &paper, const QuestionBank &bank, RandomSource &random)
{
    for (std::int16_t k = 0; k < QuestionBank::slotCount; ++k) {
        const std::int16_t n = bank.PoolSize(k);
        const double r = random.next(); // widened before the product: never rounded to float
        const auto v = static_cast<std::int16_t>(std::floor(r * n));
        ExamQuestion &question = paper.Questions[std::size_t(k)];
        // Only questions 55 and 56 take the variant's picture reference; the others keep theirs,
        // which nothing ever sets.
        const PictureHolder *const kept = question.PictureRef;
        question = bank.Variant(k, v);
        paper.drawnVariant[std::size_t(k)] = v;
        const std::int16_t number = QuestionBank::questionNumber(k);
        if (number != 55 && number != 56)
            question.PictureRef = kept;
    }
}

void AssembleExam()
{
    AssembleExam(examPaper(), QuestionBank::builtIn(), programRandom());
}

void ResetAnswers(ExamPaper &paper)
{
    for (std::size_t i = 0; i < std::size_t(questionCount); ++i)
        paper.Answers[i] = 0;
}

void ResetAnswers()
{
    ResetAnswers(examPaper());
}

} // namespace tovarin
