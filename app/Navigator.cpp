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
    QObject::connect(
        &siken, &frmSiken::explanationRequested, &siken, [&siken] { openExplanation(siken); });
    QObject::connect(&siken, &frmSiken::questionShown, &siken, &Navigator::followQuestion);
    QObject::connect(&siken, &frmSiken::hiddenInReview, &siken, &Navigator::closeExplanation);
}

void Navigator::attach(frmSeiseki &seiseki)
{
    QObject::connect(&seiseki, &frmSeiseki::questionChosen, &seiseki, &Navigator::reviewQuestion);
    QObject::connect(
        &seiseki, &frmSeiseki::closed, &seiseki, [&seiseki] { closeResults(seiseki); });
}

void Navigator::attach(frmKaisetsu &kaisetsu)
{
    QObject::connect(&kaisetsu, &frmKaisetsu::closed, &kaisetsu, &Navigator::closeExplanation);
}

void Navigator::startTest(frmMenu &menu)
{
    closeExplanation();
    AssembleExam();
    ResetAnswers();
    frmSiken &siken = Screens::frmSiken();
    siken.Show();
    examPaper().StartTime = programClock().now();
    siken.openQuestion(0); // iNumber = 0, SetMondai(0) again
    Screens::unload(menu);
}

void Navigator::endTest(frmSiken &siken)
{
    closeExplanation();
    Screens::frmSeiseki().Show();
    siken.hide();
}

void Navigator::reviewQuestion(std::int16_t index)
{
    std::optional<QString> failure;
    try {
        frmSiken &siken = Screens::frmSiken();
        siken.Show();
        siken.openQuestion(index); // iNumber, then SetMondai
        siken.showStoredAnswer(index);
        siken.setExplanationOffered(true);
    } catch (...) {
        failure = trappedErrorText(trappedError(std::current_exception()));
    }
    // Shown once the exception is gone: the box's own event loop may run anything.
    if (failure)
        showMessageBox(*failure);
}

void Navigator::closeResults(frmSeiseki &seiseki)
{
    closeExplanation();
    Screens::frmMenu().Show();
    Screens::unload<frmSiken>();
    Screens::unload(seiseki);
}

void Navigator::openExplanation(frmSiken &siken)
{
    const bool wasOpen = Screens::ifLoaded<frmKaisetsu>() != nullptr;
    frmKaisetsu &kaisetsu = Screens::frmKaisetsu();
    if (wasOpen) {
        kaisetsu.Show();
        return;
    }
    kaisetsu.showQuestion(siken.iNumber);
    kaisetsu.openBeside(siken);
}

void Navigator::followQuestion(std::int16_t index)
{
    if (frmKaisetsu *kaisetsu = Screens::ifLoaded<frmKaisetsu>())
        kaisetsu->showQuestion(index);
}

void Navigator::closeExplanation()
{
    Screens::unload<frmKaisetsu>();
}

} // namespace tovarin
