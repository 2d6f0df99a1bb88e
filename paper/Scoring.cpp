#include "paper/Scoring.h"

#include "bank/QuestionNumbers.h"
#include "paper/RateText.h"

namespace tovarin {
namespace {

constexpr std::int16_t pointsPerQuestion = 10;
constexpr std::int16_t sectionMark = 50;
constexpr std::int16_t totalMark = 65;

// Points of the questions first to last: a question scores when its two table cells read the
// same, so an unanswered one never does.
std::int16_t points(const ExamPaper &paper, std::int16_t first, std::int16_t last)
{
    std::int16_t sum = 0;
    for (std::int16_t i = first; i <= last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (correctChoiceText(paper.Questions[k]) == answerText(paper.Answers[k]))
            sum = std::int16_t(sum + pointsPerQuestion);
    }
    return sum;
}

// The divisor turns points into per cent: 0.8 for 80 points, 0.6 for 60, 1.4 for 140. The rate
// is judged by its text, read back and rounded as the screen reads its boxes.
ScoreLine line(std::int16_t points, double divisor, std::int16_t mark)
{
    ScoreLine score { points, formatRate(points / divisor), false };
    score.red = wholeNumberFromText(score.rateText) < mark;
    return score;
}

} // namespace

std::string correctChoiceText(const ExamQuestion &question)
{
    return std::to_string(question.CorrectChoice);
}

std::string answerText(std::int16_t answer)
{
    return answer == 0 ? std::string() : std::to_string(answer);
}

ExamScore scoreExam(const ExamPaper &paper)
{
    ExamScore score;
    score.sectionI = line(points(paper, 0, firstSectionIIIndex - 1), 0.8, sectionMark);
    score.sectionII = line(points(paper, firstSectionIIIndex, lastQuestionIndex), 0.6, sectionMark);
    const auto total = std::int16_t(score.sectionI.points + score.sectionII.points);
    score.total = line(total, 1.4, totalMark);
    return score;
}

} // namespace tovarin
