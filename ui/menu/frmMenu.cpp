#include "ui/menu/frmMenu.h"

#include "ui/look/Controls.h"
#include "ui/look/Look.h"

#include "paper/Clock.h"
#include "paper/RandomSource.h"

using namespace Qt::Literals::StringLiterals;

namespace tovarin {

frmMenu::frmMenu()
    : Form(BorderStyle::FixedSingle, twipsSize(5475, 3090))
{
    setAccessibleDescription(u"メニュー"_s);
    Label1 = label(this, u"Label1"_s, { 120, 360, 5175, 615 }, u"Tovarin 小型船舶操縦士（一級）"_s);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setFont(gothicFont(15.75));
    cmd1 = commandButton(this, u"cmd1"_s, { 3000, 1440, 2055, 615 }, u"試験開始"_s);
    cmdEnd = commandButton(this, u"cmdEnd"_s, { 3000, 2280, 2055, 615 }, u"終　了"_s);
    setTabOrder({ cmd1, cmdEnd });

    connect(cmd1, &QPushButton::clicked, this, &frmMenu::cmd1_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &frmMenu::cmdEnd_Click);
}

void frmMenu::Form_Load()
{
    seedProgramRandom(timeOfDaySeed(programClock().now()));
}

void frmMenu::cmd1_Click()
{
    // The start runs frmSiken's Form_Load, which lets waiting events through, and with them the
    // second click of a double click: it must not draw a second test over the first.
    if (m_starting)
        return;
    m_starting = true;
    Q_EMIT startRequested();
}

void frmMenu::cmdEnd_Click()
{
    Q_EMIT endRequested();
}

void frmMenu::closeBoxPressed()
{
    cmdEnd_Click();
}

} // namespace tovarin
