// The menu: its window and controls, the seeding at load, "試験開始" opening the exam screen on
// question 51 as the one window left, a double click starting one exam, and "終　了".

#include "tests/ui/ScreenTestSupport.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

QList<frmSiken *> examScreensAlive()
{
    QList<frmSiken *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *siken = qobject_cast<frmSiken *>(widget))
            found << siken;
    return found;
}

void postClick(QWidget *button)
{
    const QPointF at = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(at);
    QCoreApplication::postEvent(button,
        new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {}));
    QCoreApplication::postEvent(button,
        new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, {}));
}

} // namespace

class frmMenuTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:

    void windowIsFixedWithCloseBoxOnlyAndTheDesignedClientArea()
    {
        frmMenu &menu = Screens::frmMenu();
        QCOMPARE(menu.windowTitle(), u"Tovarin"_s);
        QVERIFY(!menu.windowIcon().isNull());
        QCOMPARE(menu.size(), QSize(365, 206));
        QCOMPARE(menu.minimumSize(), menu.maximumSize());
        const Qt::WindowFlags flags = menu.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(menu.windowType(), Qt::Window);
    }

    void controlsHaveTheirCaptionsAndPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("place");
        QTest::newRow("Label1 title")
            << u"Label1"_s << u"Tovarin 小型船舶操縦士（一級）"_s << QRect(8, 24, 345, 41);
        QTest::newRow("cmd1 start") << u"cmd1"_s << u"試験開始"_s << QRect(200, 96, 137, 41);
        QTest::newRow("cmdEnd end") << u"cmdEnd"_s << u"終\u3000了"_s << QRect(200, 152, 137, 41);
    }
    void controlsHaveTheirCaptionsAndPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, place);
        const QWidget *widget = Screens::frmMenu().findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(captionOf(widget), caption);
        QCOMPARE(widget->geometry(), place);
        QVERIFY(widget->isVisibleTo(&Screens::frmMenu()));
        QVERIFY(widget->isEnabled());
    }

    void titleIsCentredInTheGothicFaceAt15Point75()
    {
        const auto *title = control<QLabel>(&Screens::frmMenu(), "Label1");
        QCOMPARE(title->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(title->font().family(), gothicFamily());
        QCOMPARE(title->font().pointSizeF(), 15.75);
        QCOMPARE(title->font().weight(), QFont::Normal);
        QCOMPARE(control<QPushButton>(&Screens::frmMenu(), "cmd1")->font().pointSizeF(), 9.0);
    }

    void everyCaptionFits()
    {
        const QStringList faults = captionsThatDoNotFit(&Screens::frmMenu());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; ")));
    }

    void focusStartsOnTheStartButtonAndTabsToTheEndButton()
    {
        frmMenu &menu = Screens::frmMenu();
        menu.Show();
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        auto *start = control<QPushButton>(&menu, "cmd1");
        auto *end = control<QPushButton>(&menu, "cmdEnd");
        QCOMPARE(QApplication::focusWidget(), start);
        QTest::keyClick(&menu, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), end);
        QTest::keyClick(&menu, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), start);
    }

    void everyLoadSeedsTheGeneratorFromTheTimeOfDay()
    {
        SetClock clock(dateTime(10, 20, 30, 456));
        replaceProgramClock(&clock);
        Screens::frmMenu();
        SeededRandom expected(37230456);
        QCOMPARE(programRandom().next(), expected.next());
        QCOMPARE(programRandom().next(), expected.next());

        Screens::unload(Screens::frmMenu());
        clock.set(dateTime(0, 0, 1));
        Screens::frmMenu();
        SeededRandom again(1000);
        QCOMPARE(programRandom().next(), again.next());
    }

    void startOpensTheExamScreenOnQuestion51AndLeavesItTheOnlyWindow()
    {
        SetClock clock(dateTime(9, 0, 0));
        replaceProgramClock(&clock);
        CountingRandom random(0.0f);
        replaceProgramRandom(&random);
        examPaper().Answers.fill(3);

        frmMenu &menu = Screens::frmMenu();
        menu.Show();
        QPointer<frmMenu> watched = &menu;
        clock.set(dateTime(9, 5, 0)); // the start time is read when the test starts
        QTest::mouseClick(control<QPushButton>(&menu, "cmd1"), Qt::LeftButton);

        QCOMPARE(random.draws(), 14);
        for (std::size_t i = 0; i < 14; ++i)
            QCOMPARE(examPaper().Answers[i], std::int16_t(0));
        QCOMPARE(examPaper().StartTime, dateTime(9, 5, 0));
        QCOMPARE(examPaper().Questions[0].QuestionText,
            QuestionBank::builtIn().Variant(0, 0).QuestionText);

        frmSiken *siken = Screens::ifLoaded<frmSiken>();
        QVERIFY(siken);
        QVERIFY(siken->isVisible());
        QCOMPARE(siken->iNumber, std::int16_t(0));
        QCOMPARE(control<QGroupBox>(siken, "Frame2")->title(), u"第51問"_s);
        QVERIFY(!control<QPushButton>(siken, "cmdBefore")->isEnabled());
        QVERIFY(control<QPushButton>(siken, "cmdNext")->isEnabled());
        for (int i = 0; i < 4; ++i)
            QVERIFY(!siken->findChild<QRadioButton *>(u"Option1_%1"_s.arg(i))->isChecked());

        QVERIFY(!Screens::ifLoaded<frmMenu>());
        QVERIFY(watched && !watched->isVisible());
        QTRY_VERIFY(watched.isNull());
        QCOMPARE(examScreensAlive().size(), 1);
    }

    void startShowsQuestion51EvenOnAnExamScreenStillLoadedAtAnotherQuestion()
    {
        frmSiken &siken = Screens::frmSiken();
        siken.iNumber = 13;
        siken.SetMondai(13);
        siken.hide();
        Screens::frmMenu().Show();
        QTest::mouseClick(control<QPushButton>(&Screens::frmMenu(), "cmd1"), Qt::LeftButton);

        QCOMPARE(Screens::ifLoaded<frmSiken>(), &siken);
        QVERIFY(siken.isVisible());
        QCOMPARE(siken.iNumber, std::int16_t(0));
        QCOMPARE(control<QGroupBox>(&siken, "Frame2")->title(), u"第51問"_s);
        QVERIFY(!control<QPushButton>(&siken, "cmdBefore")->isEnabled());
        QVERIFY(control<QPushButton>(&siken, "cmdNext")->isEnabled());
    }

    void doubleClickOnStartStartsExactlyOneExam()
    {
        CountingRandom random(0.5f);
        replaceProgramRandom(&random);
        frmMenu &menu = Screens::frmMenu();
        menu.Show();
        QPointer<frmMenu> watched = &menu;
        auto *start = control<QPushButton>(&menu, "cmd1");
        // The second click waits in the queue until the exam screen's Form_Load lets it through.
        postClick(start);
        QTest::mouseClick(start, Qt::LeftButton);

        QCOMPARE(random.draws(), 14);
        QCOMPARE(examScreensAlive().size(), 1);
        QVERIFY(Screens::ifLoaded<frmSiken>()->isVisible());
        QVERIFY(!Screens::ifLoaded<frmMenu>());
        QTRY_VERIFY(watched.isNull());
    }

    void menuClosedWhileTheExamScreenLoadsOutlivesTheStartHandler()
    {
        SetClock clock(dateTime(9, 30, 0));
        replaceProgramClock(&clock);
        frmMenu &menu = Screens::frmMenu();
        menu.Show();
        QPointer<frmMenu> watched = &menu;
        bool destroyedAfterTheStartTime = false;
        connect(&menu, &QObject::destroyed, this, [&destroyedAfterTheStartTime] {
            destroyedAfterTheStartTime = examPaper().StartTime == dateTime(9, 30, 0);
        });
        // The close box is pressed while the exam screen's Form_Load lets events through, and
        // more waiting events, deferred deletions among them, are handled before it returns.
        struct CloseDuringLoad : QObject
        {
            QPointer<frmMenu> menu;
            bool event(QEvent *e) override
            {
                if (e->type() != QEvent::User)
                    return QObject::event(e);
                menu->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return true;
            }
        } closer;
        closer.menu = &menu;
        QCoreApplication::postEvent(&closer, new QEvent(QEvent::User));
        QTest::mouseClick(control<QPushButton>(&menu, "cmd1"), Qt::LeftButton);

        QVERIFY2(watched, "destroyed under its own handler");
        QVERIFY(Screens::ifLoaded<frmSiken>());
        QVERIFY(!Screens::ifLoaded<frmMenu>());
        QCOMPARE(programEnds(), 1); // the menu's close box ends the program
        QTRY_VERIFY(watched.isNull());
        QVERIFY(destroyedAfterTheStartTime);
    }

    void endButtonEndsTheProgramAtOnce()
    {
        frmMenu &menu = Screens::frmMenu();
        menu.Show();
        frmSiken &hidden = Screens::frmSiken();
        hidden.Show();
        QTest::mouseClick(control<QPushButton>(&menu, "cmdEnd"), Qt::LeftButton);
        QCOMPARE(programEnds(), 1);
        QVERIFY(!menu.isVisible());
        QVERIFY(!hidden.isVisible());
    }
};

QTEST_MAIN(frmMenuTest)
#include "frmMenuTest.moc"
