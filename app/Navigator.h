// The flow between the three screens. A screen only reports what the candidate did (a start
// asked for, the test ended, a question chosen for review, the results closed); the navigator
// does what follows, in the order the program's design gives each step:
//
//   menu "試験開始"   -> draw the test, clear the answers, show the exam screen (its load shows
//                       question 51), record the start time, set iNumber to 0 and SetMondai(0)
//                       again, unload the menu
//   menu "終　了"     -> end the program
//   exam ended        -> show the results (their load scores the test), hide the exam screen
//   results 問51..64  -> show the exam screen, set iNumber, SetMondai, restore the stored choice
//                       (no SetAns: the selection on screen is not recorded); a failure is shown
//                       in the message box and skips the steps after it
//   results "閉じる"  -> show the menu (a fresh load), unload the exam screen and the results
//
// and for the explanation of review (frmKaisetsu), which only review offers:
//
//   results 問51..64  -> the exam screen offers "解説"
//   exam "解説"       -> open the explanation of the question on screen beside the exam screen,
//                       or bring it forward if it is open
//   exam question     -> an open explanation follows the question the exam screen shows
//   the review's end  -> unload the explanation: the exam screen hidden ("試験終了", its close
//                       box), the results closed ("閉じる", their close box), a new test
//   its close box     -> unload the explanation
//
// and for the chart window (frmKaizu) of questions 51 to 53, in the test and in review:
//
//   exam "海図"       -> load the chart window if this test has none, show the chart and the
//                       drawing of the question on screen beside the exam screen, or bring it
//                       forward; in review with the worked solution behind "解答例"
//   exam question     -> a loaded chart window follows 51 to 53 and stays as it is on 54 to 64
//   the test's end    -> hide the chart window, still loaded: review shows the same drawings
//   review's exam screen hidden -> hide the chart window
//   results "閉じる", a new test -> unload the chart window and its drawings
//   its close box     -> the window hides itself alone
//
// The program object installs the navigator as the wiring of Screens, which connects each window
// to it when it makes it, before its Form_Load runs.
#pragma once

#include "app/Screens.h"

#include <cstdint>

namespace tovarin {

class Navigator final : public ScreenWiring
{
public:
    void attach(frmMenu &menu) override;
    void attach(frmSiken &siken) override;
    void attach(frmSeiseki &seiseki) override;
    void attach(frmKaisetsu &kaisetsu) override;
    void attach(frmKaizu &kaizu) override;

private:
    static void startTest(frmMenu &menu);
    static void endTest(frmSiken &siken);
    static void reviewQuestion(std::int16_t index);
    static void closeResults(frmSeiseki &seiseki);
    static void openExplanation(frmSiken &siken);
    static void followQuestion(std::int16_t index);
    static void closeExplanation();
    static void openChart(frmSiken &siken);
    static void hideChart();
};

} // namespace tovarin
