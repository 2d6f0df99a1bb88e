// frmMenu: the first screen of the program, and the one the candidate comes back to after every
// test. Program start-up shows it, and so does the results screen's "閉じる"; every showing
// after an unload is a fresh load, whose Form_Load seeds the program's generator from the time
// of day. "試験開始" reports startRequested (the navigator draws the test, opens the exam screen
// and unloads the menu); "終　了" and the close box report endRequested.
// Reads the clock and writes the program's generator.
#pragma once

#include "ui/look/Form.h"

class QLabel;
class QPushButton;

namespace tovarin {

class frmMenu : public Form
{
    Q_OBJECT

public:
    frmMenu();

Q_SIGNALS:
    void startRequested(); // once per load of the menu: a double click starts one test
    void endRequested();

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
