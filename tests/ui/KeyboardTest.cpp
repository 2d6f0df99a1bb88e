// The three screens from the keyboard alone: the focus order of each, the arrow keys among the
// four choices, and Space, Enter and Return on every button of a whole test. Keys go to the
// window the way the platform delivers them, so that they reach whatever has the focus.

#include "tests/ui/ScreenTestSupport.h"

#include "ui/results/IndexedLabel.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

QString focused()
{
    const QWidget *widget = QApplication::focusWidget();
    return widget ? widget->objectName() : u"(none)"_s;
}

// A key typed on the active window; the platform hands it to the control with the focus.
void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *window = QApplication::activeWindow();
    QVERIFY(window);
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

// Tabs forward until the control has the focus; fails after a whole round without it.
void tabTo(const char *name)
{
    for (int i = 0; i < 16 && focused() != QLatin1String(name); ++i)
        type(Qt::Key_Tab);
    QCOMPARE(focused(), QLatin1String(name));
}

// The names the focus passes through, from the control it starts on, for count presses of the
// key (the first name is the start).
QStringList focusRound(int count, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QStringList names { focused() };
    for (int i = 0; i < count; ++i) {
        type(Qt::Key_Tab, modifiers);
        names << focused();
    }
    return names;
}

QString header(const QWidget *siken)
{
    return control<QGroupBox>(siken, "Frame2")->title();
}

} // namespace

class KeyboardTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:

    // On the exam screen the round starts on question 52, where both navigation buttons take
    // the focus; the frames, labels and the picture take none, nor do the results' question
    // numbers, which the mouse alone opens.
    void tabAndShiftTabGoRoundEachScreenInItsOrder_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("menu") << u"menu"_s << QStringList { u"cmd1"_s, u"cmdEnd"_s };
        QTest::newRow("exam") << u"exam"_s
                              << QStringList { u"cmdBefore"_s, u"cmdNext"_s, u"cmdSyuuryou"_s,
                                     u"txtQ"_s, u"Option1_0"_s, u"Option1_1"_s, u"Option1_2"_s,
                                     u"Option1_3"_s, u"cmdKaizu"_s, u"cmdCorAns"_s };
        QTest::newRow("results") << u"results"_s
                                 << QStringList { u"txt1"_s, u"txt2"_s, u"cmdEnd"_s, u"txt4"_s,
                                        u"txt5"_s, u"txt6"_s, u"txt8"_s };
    }
    void tabAndShiftTabGoRoundEachScreenInItsOrder()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, order);
        ExamRun run;
        if (screen == u"menu") {
            Screens::frmMenu().Show();
            QVERIFY(QTest::qWaitForWindowActive(&Screens::frmMenu()));
        } else {
            frmSiken &siken = run.start();
            QVERIFY(QTest::qWaitForWindowActive(&siken));
            click(&siken, "cmdNext");
            if (screen == u"exam") {
                control(&siken, "cmdBefore")->setFocus();
            } else {
                click(&siken, "cmdSyuuryou");
                QVERIFY(QTest::qWaitForWindowActive(Screens::ifLoaded<frmSeiseki>()));
            }
        }
        QCOMPARE(focused(), order.first());
        const qsizetype n = order.size();
        QCOMPARE(focusRound(int(n)), order + QStringList { order.first() });
        QStringList backwards(order.rbegin(), order.rend());
        backwards.prepend(order.first());
        QCOMPARE(focusRound(int(n), Qt::ShiftModifier), backwards);
    }

    // Up and Left go to the previous choice, Down and Right to the next, round the ends, the
    // keypad's arrows too; the choice reached is selected and takes the focus, even where none
    // was selected, and nothing reaches Answers until the candidate leaves the question.
    void arrowKeysSelectTheNeighbouringChoice_data()
    {
        QTest::addColumn<int>("from"); // 1 to 4, focused and selected; 0: choice 1 focused only
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("reached");
        QTest::newRow("Down from 1, none selected") << 0 << int(Qt::Key_Down) << 0 << 2;
        QTest::newRow("Up from 1, none selected, round to 4") << 0 << int(Qt::Key_Up) << 0 << 4;
        QTest::newRow("Down from 2") << 2 << int(Qt::Key_Down) << 0 << 3;
        QTest::newRow("Right from 3") << 3 << int(Qt::Key_Right) << 0 << 4;
        QTest::newRow("Down from 4, round to 1") << 4 << int(Qt::Key_Down) << 0 << 1;
        QTest::newRow("Left from 2") << 2 << int(Qt::Key_Left) << 0 << 1;
        QTest::newRow("Up from 3 on the keypad")
            << 3 << int(Qt::Key_Up) << int(Qt::KeypadModifier) << 2;
    }
    void arrowKeysSelectTheNeighbouringChoice()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, reached);
        ExamRun run;
        frmSiken &siken = run.start();
        QVERIFY(QTest::qWaitForWindowActive(&siken));
        tabTo("Option1_0");
        if (from > 0) {
            option(&siken, from - 1)->setFocus();
            type(Qt::Key_Space);
            QCOMPARE(selectedChoice(&siken), from);
        }
        type(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(selectedChoice(&siken), reached);
        QCOMPARE(focused(), u"Option1_%1"_s.arg(reached - 1));
        QCOMPARE(header(&siken), u"第51問"_s);
        QCOMPARE(examPaper().Answers[0], std::int16_t(0));
    }

    void shiftedArrowsAndOtherKeysLeaveTheChoicesAlone()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        QVERIFY(QTest::qWaitForWindowActive(&siken));
        tabTo("Option1_1");
        type(Qt::Key_Down, Qt::ShiftModifier);
        type(Qt::Key_Return);
        type(Qt::Key_A);
        QCOMPARE(selectedChoice(&siken), 0);
        type(Qt::Key_Space);
        type(Qt::Key_Space); // a second press keeps the choice, as a second click does
        QCOMPARE(selectedChoice(&siken), 2);
        QCOMPARE(focused(), u"Option1_1"_s);
    }

    // A whole test with one key for every button: start, answer, move on and back, show the
    // correct answer, end, close the results and end the program.
    void everyButtonTakesSpaceEnterAndReturn_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Space") << int(Qt::Key_Space) << 0;
        QTest::newRow("Return") << int(Qt::Key_Return) << 0;
        QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void everyButtonTakesSpaceEnterAndReturn()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const auto press = [&] { type(Qt::Key(key), Qt::KeyboardModifiers(modifiers)); };
        ExamRun run;
        Screens::frmMenu().Show();
        QVERIFY(QTest::qWaitForWindowActive(&Screens::frmMenu()));
        QCOMPARE(focused(), u"cmd1"_s);
        press();
        frmSiken *siken = Screens::ifLoaded<frmSiken>();
        QVERIFY(siken);
        QCOMPARE(screensOnView(), QStringList { u"frmSiken"_s });
        QVERIFY(QTest::qWaitForWindowActive(siken));
        QCOMPARE(focused(), u"cmdNext"_s); // "＜前の問題" is disabled on question 51

        tabTo("Option1_0");
        type(Qt::Key_Down);
        tabTo("cmdNext");
        press();
        QCOMPARE(header(siken), u"第52問"_s);
        QCOMPARE(examPaper().Answers[0], std::int16_t(2));

        tabTo("cmdBefore");
        press();
        QCOMPARE(header(siken), u"第51問"_s);
        QCOMPARE(selectedChoice(siken), 2);
        QCOMPARE(focused(), u"cmdNext"_s);

        tabTo("cmdCorAns");
        press();
        QCOMPARE(control<QLabel>(siken, "lblCorAns")->text(),
            u"(%1)"_s.arg(examPaper().Questions[0].CorrectChoice));

        tabTo("cmdSyuuryou");
        press();
        frmSeiseki *results = Screens::ifLoaded<frmSeiseki>();
        QVERIFY(results);
        QCOMPARE(screensOnView(), QStringList { u"frmSeiseki"_s });
        QVERIFY(QTest::qWaitForWindowActive(results));
        QCOMPARE(focused(), u"txt1"_s);

        tabTo("cmdEnd");
        press();
        QCOMPARE(screensOnView(), QStringList { u"frmMenu"_s });
        QVERIFY(QTest::qWaitForWindowActive(&Screens::frmMenu()));
        tabTo("cmdEnd");
        QCOMPARE(programEnds(), 0);
        press();
        QCOMPARE(programEnds(), 1);
    }

    // In review "解説" follows "正答表示" in the round; it opens the explanation with the focus on
    // its text, which the keys scroll, and Escape closes it.
    void theExplanationIsReachedAndScrolledFromTheKeyboard()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        click(&siken, "cmdSyuuryou");
        QTest::mouseClick(
            Screens::ifLoaded<frmSeiseki>()->findChild<IndexedLabel *>(u"Label17_0"_s),
            Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(&siken));
        control(&siken, "cmdCorAns")->setFocus();
        type(Qt::Key_Tab);
        QCOMPARE(focused(), u"cmdKaisetsu"_s);
        type(Qt::Key_Tab);
        QCOMPARE(focused(), u"cmdNext"_s); // round to the start; "＜前の問題" is disabled on 第51問
        type(Qt::Key_Tab, Qt::ShiftModifier);
        type(Qt::Key_Return);
        frmKaisetsu *kaisetsu = Screens::ifLoaded<frmKaisetsu>();
        QVERIFY(kaisetsu);
        QVERIFY(QTest::qWaitForWindowActive(kaisetsu));
        QCOMPARE(focused(), u"txtKaisetsu"_s);
        QScrollBar *bar = control<QPlainTextEdit>(kaisetsu, "txtKaisetsu")->verticalScrollBar();
        QVERIFY2(bar->maximum() > 0, "the chart question's explanation is taller than its box");
        type(Qt::Key_PageDown);
        QVERIFY(bar->value() > 0);
        type(Qt::Key_End, Qt::ControlModifier);
        QVERIFY(bar->maximum() - bar->value() < bar->pageStep() / 4); // the last line on view
        type(Qt::Key_Home, Qt::ControlModifier);
        QVERIFY(bar->value() < bar->pageStep() / 4); // the first line on view
        type(Qt::Key_Tab); // the one control of its window: the focus stays
        QCOMPARE(focused(), u"txtKaisetsu"_s);
        type(Qt::Key_Escape);
        QVERIFY(!Screens::ifLoaded<frmKaisetsu>());
        QVERIFY(siken.isVisible());
    }

    // Held down, Enter repeats; the focus never falls from a navigation button onto
    // "試験終了", so running through the questions cannot end the test.
    void theFocusStaysOnTheNavigationButtonsAtEitherEnd()
    {
        ExamRun run;
        Screens::frmMenu().Show();
        QVERIFY(QTest::qWaitForWindowActive(&Screens::frmMenu()));
        type(Qt::Key_Return);
        QVERIFY(Screens::ifLoaded<frmSiken>());
        frmSiken &siken = *Screens::ifLoaded<frmSiken>();
        QVERIFY(QTest::qWaitForWindowActive(&siken));
        QCOMPARE(focused(), u"cmdNext"_s);
        for (int i = 0; i < 13; ++i)
            type(Qt::Key_Return);
        QCOMPARE(header(&siken), u"第64問"_s);
        QVERIFY(!control(&siken, "cmdNext")->isEnabled());
        QCOMPARE(focused(), u"cmdBefore"_s);
        type(Qt::Key_Return);
        QCOMPARE(header(&siken), u"第63問"_s);
        QCOMPARE(screensOnView(), QStringList { u"frmSiken"_s });
        for (int i = 0; i < 12; ++i)
            type(Qt::Key_Return);
        QCOMPARE(header(&siken), u"第51問"_s);
        QCOMPARE(focused(), u"cmdNext"_s);
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
