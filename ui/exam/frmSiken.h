// frmSiken: the exam screen. It shows one of the fourteen questions of the test at a time: the
// header 第51問 to 第64問 in the caption of Frame2, the question text in txtQ, the four choices
// on Option1(0) to Option1(3) arranged by the question's LayoutType, and its picture in Image1.
// The menu opens it at the start of a test and sets iNumber and calls SetMondai; the end of the
// test hides it, the review of the results shows it again, and closing the results unloads it.
// Reads the exam paper's Questions (Answers and CorrectChoice belong to answering and
// navigation); Timer1 runs the countdown from the load.
#pragma once

#include "app/Form.h"

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tovarin {

class OptionButton;

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

protected:
    void Form_Load() override;

private:
    QPushButton *cmdCorAns;
    QGroupBox *Frame3;
    QLabel *lblCorAns;
    QGroupBox *Frame2;
    QPlainTextEdit *txtQ;
    std::array<OptionButton *, 4> Option1;
    QLabel *Image1;
    QTimer *Timer1;
    QGroupBox *Frame1;
    QLabel *lblTime;
    QPushButton *cmdNext;
    QPushButton *cmdBefore;
    QPushButton *cmdSyuuryou;
};

} // namespace tovarin
