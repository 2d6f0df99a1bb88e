// The walk's model of Tovarin: what the program ought to show after each thing a candidate or the
// computer can do, kept as plain values and written from the program's rules alone. It calls
// none of the program's code; the one thing it takes from the program is the draw of a test
// (which questions came up), an input of the walk rather than a result to check.
//
// The rules it follows, in short:
// - Screens are loaded when first shown and forgotten when unloaded; a screen shown while loaded
//   only becomes visible. The menu is the first screen; "試験開始" draws a test, clears the
//   answers, shows the exam screen (whose load disables "＜前の問題", starts the countdown and
//   shows 第51問), records the start, puts iNumber to 0, shows 第51問 again and unloads the menu.
// - A selection reaches Answers only by SetAns: leaving a question with "次の問題＞" or
//   "＜前の問題" (new question first, then the record into the old iNumber, then iNumber moves),
//   or ending the test. Ending records, stops the countdown, empties the time, shows the results
//   (scored only when they load) and hides the exam screen.
// - A tick shows 01:10:00 less the time since the start in whole minutes as "HH:MM"; less than a
//   minute left, or a time past the end, reads "00:00" and ends the test. A clock put back before
//   the start reads "01:10", the limit: the label never shows more, less than zero, or a wrapped
//   time.
// - A click on 問51 to 問64 shows the exam screen on that question with its stored choice, records
//   nothing and does not score again; "閉じる" shows a fresh menu and unloads both test screens.
// - Close boxes: the menu's ends the program as "終　了" does; the exam screen's ends a running
//   test as "試験終了" does and otherwise hides the screen, still loaded; the results' does what
//   "閉じる" does. Until the program ends, one of its windows is always on view.
// - The explanation: review (a click on 問51 to 問64) offers "解説" on the exam screen, which a
//   new load of the screen does not. "解説" opens the explanation of the question on screen, or
//   brings it forward; while it is open it follows every question the exam screen shows. It is
//   unloaded when the exam screen is hidden ("試験終了", its close box), the results are closed,
//   a test starts, and by its own close box or Escape.
// - The chart: "海図" is on the exam screen for questions 51 to 53 alone, in the test and in
//   review. It shows the chart window (loaded when first asked for) on the question on screen;
//   while loaded the window follows every chart question the exam screen shows and keeps the
//   last one on 54 to 64. The test's end and the review's exam screen closed hide it, still
//   loaded; the results closed and a new test unload it; its own close box hides it alone.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace tovarin::walk {

// A moment on the walk's clock.
using Moment = std::chrono::milliseconds;

enum class Screen { Menu, Exam, Results, Explanation, Chart };
inline constexpr std::size_t screenCount = 5;
inline constexpr int chartQuestions = 3; // 51 to 53

struct ScreenState
{
    bool loaded = false;
    bool visible = false;
};

// One question of the test as drawn: what the exam screen must show for it.
struct DrawnQuestion
{
    std::string text;
    std::array<std::string, 4> choices;
    int correct = 0;
};

// What the results screen showed when it loaded; it must not change while it stays loaded.
struct ResultsShown
{
    std::array<std::string, 14> correct; // 正解
    std::array<std::string, 14> chosen; // 解答
    std::string pointsI, pointsII, pointsTotal;
    std::string rateI, rateII, rateTotal;
    bool redI = false, redII = false, redTotal = false;

    bool operator==(const ResultsShown &) const = default;
};

class WalkModel
{
public:
    // --- what the program shows, compared after every step -----------------------------------
    std::array<ScreenState, screenCount> screens {};
    int programEnds = 0;

    // The exam paper: it outlives the screens.
    std::array<DrawnQuestion, 14> questions {};
    std::array<int, 15> answers {};
    Moment startTime {};
    int testsDrawn = 0;

    // The exam screen, while it is loaded.
    int iNumber = 0;
    int shown = 0; // the index whose question is on the screen
    int selection = 0; // 0 none, 1 to 4
    bool beforeEnabled = true;
    bool nextEnabled = true;
    bool counting = false;
    std::string timeText;
    std::string correctShown;
    bool explanationOffered = false; // "解説" on view

    // The explanation window, while it is loaded: the index of the question it explains.
    int explained = 0;
    // The chart window, while it is loaded: the index of the chart question it shows.
    int charted = 0;

    // The results screen, from its load on.
    std::optional<ResultsShown> results;

    // --- what happened ---------------------------------------------------------------------------
    int timeUps = 0; // tests ended by the countdown

    ScreenState &operator[](Screen s) { return screens[std::size_t(s)]; }
    const ScreenState &operator[](Screen s) const { return screens[std::size_t(s)]; }
    bool visible(Screen s) const { return (*this)[s].visible; }
    bool ended() const { return programEnds > 0; }
    // The countdown runs and the exam screen is on view: a test is being taken.
    bool testRunning() const { return counting && visible(Screen::Exam); }

    // Program start-up: a new process with a fresh exam paper and the menu as its one window.
    void startProgram()
    {
        *this = WalkModel {};
        show(Screen::Menu);
    }

    // "試験開始". The second click of a double click finds the test already starting, or the
    // menu gone, and does nothing.
    void startTest(const std::array<DrawnQuestion, 14> &drawn, Moment now)
    {
        closeExplanation();
        unload(Screen::Chart);
        questions = drawn;
        ++testsDrawn;
        answers.fill(0);
        show(Screen::Exam);
        startTime = now;
        iNumber = 0;
        setMondai(iNumber);
        unload(Screen::Menu);
    }

    // "終　了", and the menu's close box: every window goes, at once.
    void endProgram()
    {
        for (ScreenState &screen : screens)
            screen.visible = false;
        ++programEnds;
    }

    // A click on option button k (1 to 4): it becomes the one selected, and nothing is recorded.
    void choose(int k) { selection = k; }

    // "次の問題＞" and "＜前の問題" run by their handlers; at either end they do nothing.
    void next()
    {
        if (iNumber >= 13)
            return;
        setMondai(iNumber + 1);
        setAns(iNumber + 1);
        ++iNumber;
        if (iNumber >= 13)
            nextEnabled = false;
        beforeEnabled = true;
    }
    void before()
    {
        if (iNumber <= 0)
            return;
        setMondai(iNumber - 1);
        setAns(iNumber - 1);
        --iNumber;
        if (iNumber <= 0)
            beforeEnabled = false;
        nextEnabled = true;
    }

    // "正答表示"
    void showCorrect() { correctShown = "(" + std::to_string(questions[iNumber].correct) + ")"; }

    // "試験終了"
    void endTest()
    {
        closeExplanation();
        (*this)[Screen::Chart].visible = false;
        setAns(iNumber);
        counting = false;
        timeText.clear();
        show(Screen::Results);
        (*this)[Screen::Exam].visible = false;
    }

    // A tick of the countdown at the moment now; none comes while it is stopped.
    void tick(Moment now)
    {
        if (!counting)
            return;
        timeText = countdownText(std::chrono::minutes(70) - (now - startTime));
        if (timeText == "00:00") {
            ++timeUps;
            endTest();
        }
    }

    // The exam screen's close box.
    void closeExam()
    {
        if (counting) {
            endTest();
        } else {
            (*this)[Screen::Exam].visible = false;
            closeExplanation();
            (*this)[Screen::Chart].visible = false;
        }
    }

    // A click on 問(51 + index) of the results.
    void review(int index)
    {
        show(Screen::Exam);
        iNumber = index;
        setMondai(index);
        selection = answers[std::size_t(index)];
        explanationOffered = true;
    }

    // "解説"
    void explain()
    {
        if (!(*this)[Screen::Explanation].loaded)
            explained = iNumber;
        show(Screen::Explanation);
    }

    // The explanation's close box or Escape, and the end of the review.
    void closeExplanation() { unload(Screen::Explanation); }

    // "海図", on view on 51 to 53 only.
    bool chartOffered() const { return visible(Screen::Exam) && shown < chartQuestions; }
    void openChart()
    {
        if (iNumber >= chartQuestions)
            return;
        charted = iNumber;
        show(Screen::Chart);
    }
    // The chart window's close box.
    void closeChart() { (*this)[Screen::Chart].visible = false; }

    // "閉じる", and the results' close box.
    void closeResults()
    {
        closeExplanation();
        unload(Screen::Chart);
        show(Screen::Menu);
        unload(Screen::Exam);
        unload(Screen::Results);
    }

    // The time a countdown with that much left shows.
    static std::string countdownText(Moment remaining)
    {
        using namespace std::chrono;
        if (remaining < minutes(1))
            return "00:00";
        const auto shownMinutes
            = duration_cast<minutes>(remaining > minutes(70) ? minutes(70) : remaining).count();
        const auto twoDigits = [](long long n) {
            return std::string { char('0' + n / 10), char('0' + n % 10) };
        };
        return twoDigits(shownMinutes / 60) + ":" + twoDigits(shownMinutes % 60);
    }

private:
    void show(Screen s)
    {
        if (!(*this)[s].loaded) {
            (*this)[s].loaded = true;
            load(s);
        }
        (*this)[s].visible = true;
    }

    void unload(Screen s) { (*this)[s] = ScreenState {}; }

    void load(Screen s)
    {
        switch (s) {
        case Screen::Menu:
            break;
        case Screen::Exam: // its controls as designed, then its Form_Load
            iNumber = 0;
            selection = 0;
            timeText.clear();
            correctShown.clear();
            explanationOffered = false;
            nextEnabled = true;
            beforeEnabled = false;
            counting = true;
            setMondai(0);
            break;
        case Screen::Results:
            results = score();
            break;
        case Screen::Explanation:
        case Screen::Chart:
            break;
        }
    }

    void setMondai(int n)
    {
        shown = n;
        if ((*this)[Screen::Explanation].loaded)
            explained = n;
        if ((*this)[Screen::Chart].loaded && n < chartQuestions)
            charted = n;
        if (iNumber <= 0) {
            beforeEnabled = false;
            nextEnabled = true;
        } else if (iNumber >= 13) {
            beforeEnabled = true;
            nextEnabled = false;
        } else {
            beforeEnabled = nextEnabled = true;
        }
        correctShown.clear();
    }

    void setAns(int n)
    {
        if (selection > 0)
            answers[std::size_t(iNumber)] = selection;
        selection = answers[std::size_t(n)];
    }

    // 10 points for each question whose choice is its correct one; the rates, and which of them
    // are red, as the results screen's table of rates gives them.
    ResultsShown score() const
    {
        static constexpr std::array<const char *, 9> ratesI { "0.0", "12.5", "25.0", "37.5", "50.0",
            "62.5", "75.0", "87.5", "100.0" };
        static constexpr std::array<const char *, 7> ratesII { "0.0", "16.7", "33.3", "50.0",
            "66.7", "83.3", "100.0" };
        static constexpr std::array<const char *, 15> ratesTotal { "0.0", "7.1", "14.3", "21.4",
            "28.6", "35.7", "42.9", "50.0", "57.1", "64.3", "71.4", "78.6", "85.7", "92.9",
            "100.0" };
        static constexpr std::size_t redBelowI = 4; // 40 points: 50.0, not red
        static constexpr std::size_t redBelowII = 3; // 30 points: 50.0
        static constexpr std::size_t redBelowTotal = 10; // 100 points: 71.4

        ResultsShown shownResults;
        std::size_t rightI = 0;
        std::size_t rightII = 0;
        for (std::size_t i = 0; i < 14; ++i) {
            shownResults.correct[i] = std::to_string(questions[i].correct);
            shownResults.chosen[i] = answers[i] == 0 ? std::string() : std::to_string(answers[i]);
            if (answers[i] == questions[i].correct)
                ++(i < 8 ? rightI : rightII);
        }
        const std::size_t rightTotal = rightI + rightII;
        shownResults.pointsI = std::to_string(10 * rightI);
        shownResults.pointsII = std::to_string(10 * rightII);
        shownResults.pointsTotal = std::to_string(10 * rightTotal);
        shownResults.rateI = ratesI[rightI];
        shownResults.rateII = ratesII[rightII];
        shownResults.rateTotal = ratesTotal[rightTotal];
        shownResults.redI = rightI < redBelowI;
        shownResults.redII = rightII < redBelowII;
        shownResults.redTotal = rightTotal < redBelowTotal;
        return shownResults;
    }
};

} // namespace tovarin::walk
