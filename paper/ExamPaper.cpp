#include "ExamPaper.h"

#include <cmath>

namespace tovarin {

ExamPaper &examPaper()
{
    static ExamPaper paper;
    return paper;
}

void AssembleExam(ExamPaper &paper, const QuestionBank &bank, RandomSource &random)
{
    for (std::int16_t k = 0; k < QuestionBank::slotCount; ++k) {
        const std::int16_t n = bank.PoolSize(k);
        const double r = random.next(); // widened before the product: never rounded to float
        const auto v = static_cast<std::int16_t>(std::floor(r * n));
        const QuestionVariant variant = bank.Variant(k, v);
        ExamQuestion &question = paper.Questions[std::size_t(k)];
        question.QuestionText = variant.QuestionText;
        for (std::size_t c = 0; c < 4; ++c)
            question.ChoiceText[c] = variant.ChoiceText[c];
        question.CorrectChoice = variant.CorrectChoice;
        question.LayoutType = variant.LayoutType;
        const std::int16_t number = QuestionBank::questionNumber(k);
        if (number == 55 || number == 56)
            question.PictureRef = variant.PictureRef;
    }
}

void AssembleExam()
{
    AssembleExam(examPaper(), QuestionBank::builtIn(), programRandom());
}

void ResetAnswers(ExamPaper &paper)
{
    for (std::size_t i = 0; i < 14; ++i)
        paper.Answers[i] = 0;
}

void ResetAnswers()
{
    ResetAnswers(examPaper());
}

} // namespace tovarin
