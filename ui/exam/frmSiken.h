// frmSiken: the exam screen. It shows one of the fourteen questions of the test at a time: the
// header 第51問 to 第64問 in the caption of Frame2, the question text in txtQ, the four choices
// on Option1(0) to Option1(3) arranged by the question's LayoutType, and its picture in Image1.
// The navigator opens it at the start of a test and for the review of the results, setting
// iNumber and calling SetMondai. A selection reaches Answers only when the candidate leaves the
// question ("＜前の問題", "次の問題＞") or the test ends ("試験終了", the close box, or Timer1 once
// less than a minute is left); the end stops the countdown and reports testEnded, on which the
// navigator shows the results and hides this screen, still loaded. Closing the results unloads it.
// In review the navigator also offers "解説" (cmdKaisetsu, hidden during the test), which reports
// explanationRequested; every question put on the screen is reported by questionShown, which the
// explanation window follows. On questions 51 to 53, during the test and in review alike, "海図"
// (cmdKaizu) reports chartRequested: the chart window opens beside this screen and follows it
// too. Reads the exam paper's Questions (CorrectChoice for "正答表示") and
// StartTime, reads the clock; writes Answers.
#pragma once

#include "ui/look/Form.h"

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tovarin {

class OptionButton;
class PictureBox;

class frmSiken : public Form
{
    Q_OBJECT

public:
    frmSiken();

    // Index 0 to 13 of the question on screen (question number = index + 51).
    std::int16_t iNumber = 0;

    // Puts question n (0 to 14) on the screen and sets the navigation buttons from iNumber.
    // Leaves iNumber, the selection of the option buttons and lblTime alone. Any other n
    // throws std::out_of_range before anything on the screen changes.
    void SetMondai(std::int16_t n);

    // Records the selection into Answers(iNumber), the question still on screen, if a choice is
    // selected; then shows the recorded answer of question n (0 to 14), or no selection for 0.
    // Any other n throws std::out_of_range before anything is recorded.
    void SetAns(std::int16_t n);

    // Opens question n (0 to 13) the way the start of a test and the review do: iNumber becomes n,
    // then SetMondai(n) shows it with the navigation buttons set for it.
    void openQuestion(std::int16_t n);

    // Shows the recorded answer of question n (0 to 14) on the option buttons: Option1(answer - 1)
    // selected, or none of them for 0. Any other n throws std::out_of_range. The second half of
    // SetAns, and the review's restoring of the stored choice, which records nothing.
    void showStoredAnswer(std::int16_t n);

    // The handlers of the buttons and of Timer1. Public so that they can be run the way their
    // events run them, also where a disabled button would not take a click.
    void cmdNext_Click();
    void cmdBefore_Click();
    void cmdCorAns_Click();
    void cmdSyuuryou_Click();
    void cmdKaisetsu_Click();
    void Timer1_Timer();

    // Shows or hides "解説". Hidden from the load on: the test itself never offers it.
    void setExplanationOffered(bool offered);
    bool explanationOffered() const { return m_explanationOffered; } // in review

    void cmdKaizu_Click();

Q_SIGNALS:
    // The test is over: the last selection is recorded and the countdown stopped.
    void testEnded();
    // "解説": the explanation of the question on screen is wanted.
    void explanationRequested();
    // "海図" (questions 51 to 53 only): the chart of the question on screen is wanted.
    void chartRequested();
    // SetMondai has put question n on the screen.
    void questionShown(std::int16_t n);
    // The close box hid the screen in review (the results are on view again).
    void hiddenInReview();

protected:
    void Form_Load() override;
    // During a test (the countdown running) the close box ends it as "試験終了" does; in the
    // review it hides the screen without unloading it, so that the countdown never restarts.
    void closeBoxPressed() override;

private:
    // Enables and disables "＜前の問題" and "次の問題＞" for SetMondai and the navigation
    // handlers, keeping the focus on a navigation button.
    void setNavigation(bool beforeEnabled, bool nextEnabled);

    QPushButton *cmdCorAns;
    QGroupBox *Frame3;
    QLabel *lblCorAns;
    QGroupBox *Frame2;
    QPlainTextEdit *txtQ;
    std::array<OptionButton *, 4> Option1;
    PictureBox *Image1;
    QTimer *Timer1;
    QGroupBox *Frame1;
    QLabel *lblTime;
    QPushButton *cmdNext;
    QPushButton *cmdBefore;
    QPushButton *cmdSyuuryou;
    QPushButton *cmdKaisetsu;
    QPushButton *cmdKaizu;
    bool m_explanationOffered = false;
};

} // namespace tovarin
