// frmSeiseki: the results of a test. Loading it scores the test held in the exam paper once:
// the answer table gives, for 問51 to 問64, the correct choice (lbl1) beside the candidate's
// choice (Label23); the score frame gives the points of 上級運航 I, 上級運航 II and their
// total, and each as a rate in per cent that turns pure red below its mark (50, 50, 65). The
// scoring reads its own captions and texts back, and a rate box is only ever turned red.
// The exam screen shows it at the end of a test. A click on 問51 to 問64 (Label17) reviews that
// question: the exam screen comes to the front on it, with the stored choice selected, while this
// screen stays as it was scored. "閉じる" and the close box close the test: the menu is shown
// anew, and the exam screen and this one are unloaded.
// Reads the exam paper's CorrectChoice and Answers and writes nothing back; the review sets the
// exam screen's iNumber, calls its SetMondai and selects its option buttons.
#pragma once

#include "app/Form.h"

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

protected:
    void Form_Load() override;
    void closeBoxPressed() override;

private:
    // Shows question Index on the exam screen, the stored choice selected. A failure of any
    // step skips the rest and is shown in the message box (ErrorTrap); the screens stay as the
    // steps before it left them.
    void Label17_Click(std::int16_t Index);
    void cmdEnd_Click();

    void SetSeiseki();
    // Points of the questions first to last: 10 for each whose two table cells read the same.
    std::int16_t sectionPoints(std::size_t first, std::size_t last) const;

    // The answer table
    ShapeControl *Shape2;
    QLabel *Label18;
    QLabel *Label19;
    std::array<IndexedLabel *, 14> Label17;
    std::array<QLabel *, 14> lbl1;
    std::array<QLabel *, 14> Label23;
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
