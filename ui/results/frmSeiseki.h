// frmSeiseki: the results of a test. Loading it shows the scoring of the test held in the exam
// paper (paper/Scoring) once: the answer table gives, for 問51 to 問64, the correct choice (lbl1)
// beside the candidate's choice (Label23); the score frame gives the points of 上級運航 I,
// 上級運航 II and their total, and each as a rate in per cent, pure red below its mark. A rate
// box is only ever turned red.
// The navigator shows it at the end of a test. A click on 問51 to 問64 (Label17) reports
// questionChosen, on which the navigator reviews that question on the exam screen while this
// screen stays as it was scored. "閉じる" and the close box report closed: the navigator shows the
// menu anew and unloads the exam screen and this one.
// Reads the exam paper's CorrectChoice and Answers and writes nothing back.
#pragma once

#include "bank/QuestionNumbers.h"
#include "ui/look/Form.h"

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tovarin {

class IndexedLabel;
class LineControl;
class ShapeControl;

class frmSeiseki : public Form
{
    Q_OBJECT

public:
    frmSeiseki();

Q_SIGNALS:
    void questionChosen(std::int16_t Index); // a click on 問51 to 問64: index 0 to 13
    void closed(); // "閉じる" or the close box

protected:
    void Form_Load() override;
    void closeBoxPressed() override;

private:
    void Label17_Click(std::int16_t Index);
    void cmdEnd_Click();

    void SetSeiseki();

    // The answer table
    ShapeControl *Shape2;
    QLabel *Label18;
    QLabel *Label19;
    std::array<IndexedLabel *, questionCount> Label17;
    std::array<QLabel *, questionCount> lbl1;
    std::array<QLabel *, questionCount> Label23;
    QLabel *Label20;
    LineControl *Line8;
    LineControl *Line7;
    LineControl *Line9;
    LineControl *Line10;

    // The score frame
    QGroupBox *Frame1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label10;
    QLineEdit *txt1;
    QLineEdit *txt2;
    QLineEdit *txt4;
    QLineEdit *txt5;
    QLineEdit *txt6;
    QLineEdit *txt8;
    QLabel *Label7;
    QLabel *Label8;
    QLabel *Label11;
    QLabel *Label13;
    QLabel *Label14;
    QLabel *Label16;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label12;
    ShapeControl *Shape1;
    LineControl *Line2;
    LineControl *Line3;
    LineControl *Line1;
    LineControl *Line4;
    LineControl *Line6;

    QPushButton *cmdEnd;
};

} // namespace tovarin
