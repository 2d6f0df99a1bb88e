// frmMenu: the first screen of the program, and the one the candidate comes back to after every
// test. Program start-up shows it, and so does the results screen's "閉じる"; every showing
// after an unload is a fresh load, whose Form_Load seeds the program's generator from the time
// of day. "試験開始" draws a new test into the exam paper, clears its answers, opens frmSiken on
// question 51, records StartTime and unloads the menu; "終　了" and the close box end the program.
// Reads the clock; writes the exam paper (Questions, Answers, StartTime) and frmSiken.iNumber.
#pragma once

#include "app/Form.h"

class QLabel;
class QPushButton;

namespace tovarin {

class frmMenu : public Form
{
    Q_OBJECT

public:
    frmMenu();

protected:
    void Form_Load() override;
    void closeBoxPressed() override;

private:
    void cmd1_Click();
    void cmdEnd_Click();

    QLabel *Label1;
    QPushButton *cmd1;
    QPushButton *cmdEnd;

    bool m_starting = false;
};

} // namespace tovarin
