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
    QObject::connect(&siken, &frmSiken::chartRequested, &siken, [&siken] { openChart(siken); });
    QObject::connect(&siken, &frmSiken::hiddenInReview, &siken, &Navigator::hideChart);
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

void Navigator::attach(frmKaizu &)
{
    // Its close box hides it, which is all that follows.
}

void Navigator::startTest(frmMenu &menu)
{
    closeExplanation();
    Screens::unload<frmKaizu>(); // a new test starts with clean charts
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
    hideChart();
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
    Screens::unload<frmKaizu>();
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
    frmKaizu *kaizu = Screens::ifLoaded<frmKaizu>();
    const frmSiken *siken = Screens::ifLoaded<frmSiken>();
    if (kaizu && siken && index >= 0 && index < chartQuestionCount)
        kaizu->showQuestion(index, siken->explanationOffered());
}

void Navigator::openChart(frmSiken &siken)
{
    if (siken.iNumber < 0 || siken.iNumber >= chartQuestionCount)
        return;
    frmKaizu &kaizu = Screens::frmKaizu();
    kaizu.showQuestion(siken.iNumber, siken.explanationOffered());
    kaizu.openBeside(siken);
}

void Navigator::hideChart()
{
    // Hidden, not unloaded: the drawings stay for the review of this test.
    if (frmKaizu *kaizu = Screens::ifLoaded<frmKaizu>())
        kaizu->hide();
}

void Navigator::closeExplanation()
{
    Screens::unload<frmKaisetsu>();
}

} // namespace tovarin
