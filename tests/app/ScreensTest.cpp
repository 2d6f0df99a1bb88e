// The screens' lifecycle: showing loads a screen that is not loaded and runs its Form_Load
// before the window appears; showing a loaded screen only makes it visible and raises it;
// unloading forgets it at once and destroys it by deferred deletion. (What each close box does is
// in tests/ui/CloseBoxTest.cpp.)

#include "tests/ui/ScreenTestSupport.h"

#include <QLineEdit>
#include <QPointer>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

class ScreensTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { applyProgramLook(); }
    void init() { startFresh(); }
    void cleanup() { unloadEverything(); }

    void showingAScreenLoadsItAndRunsFormLoadBeforeTheWindowAppears()
    {
        examPaper().Questions[0].CorrectChoice = 2;
        examPaper().Answers[0] = 2;
        QVERIFY(!Screens::ifLoaded<frmSeiseki>());

        QString pointsWhenShown;
        struct ShowWatcher : QObject
        {
            QString *seen;
            bool eventFilter(QObject *object, QEvent *event) override
            {
                if (event->type() == QEvent::Show && qobject_cast<frmSeiseki *>(object))
                    *seen = control<QLineEdit>(static_cast<QWidget *>(object), "txt1")->text();
                return false;
            }
        } watcher;
        watcher.seen = &pointsWhenShown;
        qApp->installEventFilter(&watcher);
        Screens::frmSeiseki().Show();
        qApp->removeEventFilter(&watcher);

        QCOMPARE(pointsWhenShown, u"10"_s);
        QVERIFY(Screens::frmSeiseki().isVisible());
    }

    void usingAScreenByNameLoadsItWithoutShowingIt()
    {
        frmSiken &siken = Screens::frmSiken();
        QCOMPARE(Screens::ifLoaded<frmSiken>(), &siken);
        QVERIFY(!siken.isVisible());
        QCOMPARE(&Screens::frmSiken(), &siken);
    }

    void showingALoadedScreenOnlyMakesItVisibleAndRaisesIt()
    {
        SetClock clock(dateTime(9, 0, 0));
        replaceProgramClock(&clock);
        frmMenu &menu = Screens::frmMenu();
        menu.Show();
        QCOMPARE(clock.reads(), 1);

        menu.hide();
        Screens::frmMenu().Show();
        QCOMPARE(&Screens::frmMenu(), &menu);
        QVERIFY(menu.isVisible());
        Screens::frmMenu().Show();
        QCOMPARE(clock.reads(), 1); // Form_Load ran once, for the one load
    }

    void firstShowingCentresTheWindowOnTheScreen()
    {
        frmSeiseki &results = Screens::frmSeiseki();
        results.Show();
        const QRect available = results.screen()->availableGeometry();
        QVERIFY(qAbs(results.geometry().center().x() - available.center().x()) <= 1);
        QVERIFY(qAbs(results.geometry().center().y() - available.center().y()) <= 1);
    }

    void unloadingHidesAndForgetsAtOnceAndDestroysLater()
    {
        SetClock clock(dateTime(9, 0, 0));
        replaceProgramClock(&clock);
        QPointer<frmMenu> menu = &Screens::frmMenu();
        menu->Show();
        Screens::unload(*menu);

        QVERIFY(!Screens::ifLoaded<frmMenu>());
        QVERIFY(!menu->isVisible());
        QVERIFY2(menu, "destroyed at once: a handler calling Unload would still run on it");
        QTRY_VERIFY(menu.isNull());

        Screens::frmMenu().Show();
        QCOMPARE(clock.reads(), 2); // the next showing is a fresh load
    }

    void unloadingAScreenThatIsNotLoadedLoadsNothing()
    {
        Screens::unload<frmSiken>();
        QVERIFY(!Screens::ifLoaded<frmSiken>());

        frmMenu &menu = Screens::frmMenu();
        Screens::unload(menu);
        Screens::unload(menu); // a second Unload of the same screen changes nothing
        QVERIFY(!Screens::ifLoaded<frmMenu>());
    }
};

QTEST_MAIN(ScreensTest)
#include "ScreensTest.moc"
