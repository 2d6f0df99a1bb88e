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
// Screens connects each screen to the navigator when it makes it, before its Form_Load runs.
#pragma once

#include <cstdint>

namespace tovarin {

class frmMenu;
class frmSiken;
class frmSeiseki;

class Navigator
{
public:
    static void attach(frmMenu &menu);
    static void attach(frmSiken &siken);
    static void attach(frmSeiseki &seiseki);

private:
    static void startTest(frmMenu &menu);
    static void endTest(frmSiken &siken);
    static void reviewQuestion(std::int16_t index);
    static void closeResults(frmSeiseki &seiseki);
};

} // namespace tovarin
