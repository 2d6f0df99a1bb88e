// tovarin-probe: the program's start-up, for the benchmark to time from outside as a whole
// process. It starts exactly as the program does (main's set-up, then runProgram, the menu as the
// first window) and ends by the program's own end as soon as the menu has been painted.
// With the argument "full-test" it first takes a whole test the candidate's way, every question
// answered and visited, the results shown, one picture question reviewed and its explanation
// opened and taken through all fourteen questions, and the chart opened and drawn on for 51 to
// 53 in the test and shown again in review with its worked solution, so that its peak memory is
// that of a full test with every explanation and every chart shown.

#include "bench/FirstPaint.h"
#include "bench/PeakMemory.h"

#include "app/Program.h"
#include "app/Screens.h"
#include "ui/chart/ChartView.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <string_view>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;

namespace {

template <class Screen> bool isA(const QWidget *window)
{
    return qobject_cast<const Screen *>(window) != nullptr;
}

// Clicks the button and waits until the window it opens, or its own, has been painted again.
template <class Shown> void clickAndWait(const QWidget *form, const QString &name)
{
    bench::FirstPaint shown(isA<Shown>);
    form->findChild<QPushButton *>(name)->click();
    shown.wait();
}

void clickLabel(QWidget *label)
{
    const QPointF centre(label->rect().center());
    QMouseEvent press(QEvent::MouseButtonPress, centre, label->mapToGlobal(centre), Qt::LeftButton,
        Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, label->mapToGlobal(centre),
        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(label, &press);
    QCoreApplication::sendEvent(label, &release);
}

// A pencil line across the chart on view, dragged as the candidate drags it.
void drawALine(frmKaizu &kaizu)
{
    kaizu.findChild<QAbstractButton *>(u"cmdPencil"_s)->click();
    QWidget *viewport = kaizu.view()->viewport();
    const QPointF from(viewport->width() * 0.3, viewport->height() * 0.4);
    const QPointF to(viewport->width() * 0.7, viewport->height() * 0.6);
    const auto send = [viewport](QEvent::Type type, QPointF at) {
        QMouseEvent event(type, at, viewport->mapToGlobal(at),
            type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    };
    send(QEvent::MouseButtonPress, from);
    send(QEvent::MouseMove, (from + to) / 2);
    send(QEvent::MouseMove, to);
    send(QEvent::MouseButtonRelease, to);
    bench::FirstPaint drawn(isA<frmKaizu>);
    drawn.wait();
}

void takeAWholeTest()
{
    clickAndWait<frmSiken>(Screens::ifLoaded<frmMenu>(), u"cmd1"_s);
    frmSiken *siken = Screens::ifLoaded<frmSiken>();
    for (int i = 0; i < 14; ++i) {
        if (i < 3) {
            clickAndWait<frmKaizu>(siken, u"cmdKaizu"_s);
            drawALine(*Screens::ifLoaded<frmKaizu>());
        }
        siken->findChild<QRadioButton *>(u"Option1_%1"_s.arg(i % 4))->click();
        if (i < 13)
            clickAndWait<frmSiken>(siken, u"cmdNext"_s);
    }
    clickAndWait<frmSeiseki>(siken, u"cmdSyuuryou"_s);
    bench::FirstPaint reviewed(isA<frmSiken>);
    clickLabel(Screens::ifLoaded<frmSeiseki>()->findChild<QWidget *>(u"Label17_4"_s)); // 問55
    reviewed.wait();
    clickAndWait<frmKaisetsu>(siken, u"cmdKaisetsu"_s);
    for (int i = 4; i < 13; ++i)
        clickAndWait<frmKaisetsu>(siken, u"cmdNext"_s);
    for (int i = 13; i > 0; --i)
        clickAndWait<frmKaisetsu>(siken, u"cmdBefore"_s);
    clickAndWait<frmKaizu>(siken, u"cmdKaizu"_s);
    frmKaizu *kaizu = Screens::ifLoaded<frmKaizu>();
    kaizu->findChild<QPushButton *>(u"cmdKaitourei"_s)->click();
    for (int i = 0; i < 2; ++i)
        clickAndWait<frmKaizu>(siken, u"cmdNext"_s);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication::setDesktopFileName(QStringLiteral(TOVARIN_APP_ID));
    QApplication application(argc, argv);
    const bool fullTest = argc > 1 && std::string_view(argv[1]) == "full-test";
    bench::FirstPaint menuShown(isA<frmMenu>);
    menuShown.then([fullTest] {
        if (fullTest)
            takeAWholeTest();
        Screens::endProgram();
    });
    const int exitCode = runProgram();
    bench::printPeakMemoryIfAsked();
    return exitCode;
}
