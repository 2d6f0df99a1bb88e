#include "app/Navigator.h"

#include "app/ErrorTrap.h"
#include "app/MessageBox.h"
#include "app/Screens.h"

#include "paper/Clock.h"
#include "paper/ExamPaper.h"

#include <optional>

namespace tovarin {

void Navigator::attach(frmMenu &menu)
{
    QObject::connect(&menu, &frmMenu::startRequested, &menu, [&menu] { startTest(menu); });
    QObject::connect(&menu, &frmMenu::endRequested, &menu, &Screens::endProgram);
}

void Navigator::attach(frmSiken &siken)
{
    QObject::connect(&siken, &frmSiken::testEnded, &siken, [&siken] { endTest(siken); });
}

void Navigator::attach(frmSeiseki &seiseki)
{
    QObject::connect(&seiseki, &frmSeiseki::questionChosen, &seiseki, &Navigator::reviewQuestion);
    QObject::connect(&seiseki, &frmSeiseki::closed, &seiseki, [&seiseki] { closeResults(seiseki); });
}

void Navigator::startTest(frmMenu &menu)
{
    AssembleExam();
    ResetAnswers();
    frmSiken &siken = Screens::frmSiken();
    siken.Show();
    examPaper().StartTime = programClock().now();
    siken.iNumber = 0;
    siken.SetMondai(siken.iNumber);
    Screens::unload(menu);
}

void Navigator::endTest(frmSiken &siken)
{
    Screens::frmSeiseki().Show();
    siken.hide();
}

void Navigator::reviewQuestion(std::int16_t index)
{
    std::optional<QString> failure;
    try {
        frmSiken &siken = Screens::frmSiken();
        siken.Show();
        siken.iNumber = index; // before SetMondai, which sets the navigation buttons from it
        siken.SetMondai(index);
        siken.showStoredAnswer(index);
    } catch (...) {
        failure = trappedErrorText(trappedError(std::current_exception()));
    }
    // Shown once the exception is gone: the box's own event loop may run anything.
    if (failure)
        showMessageBox(*failure);
}

void Navigator::closeResults(frmSeiseki &seiseki)
{
    Screens::frmMenu().Show();
    Screens::unload<frmSiken>();
    Screens::unload(seiseki);
}

} // namespace tovarin
