// What the screen tests share: a fresh program state for every test (ScreenTestCase), test
// doubles for the clock and the generator, checks of controls found by their names, a paper of
// named questions, and the candidate's moves in a whole test: starting it from the menu,
// clicking, choosing, a tick of the countdown, a click on a question number of the results.
#pragma once

#include "app/Program.h"
#include "app/Screens.h"
#include "ui/look/Look.h"
#include "ui/results/IndexedLabel.h"

#include "paper/Clock.h"
#include "paper/ExamPaper.h"
#include "paper/RandomSource.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QWindow>

#include <chrono>
#include <memory>

namespace tovarin::testing {

// A clock that stands still at the time the test sets, and counts how often it is read.
class SetClock final : public Clock
{
public:
    explicit SetClock(LocalDateTime time = {})
        : m_time(time)
    {
    }
    LocalDateTime now() const override
    {
        ++m_reads;
        return m_time;
    }
    void set(LocalDateTime time) { m_time = time; }
    int reads() const { return m_reads; }

private:
    LocalDateTime m_time;
    mutable int m_reads = 0;
};

// A generator that always gives the same value and counts the values drawn.
class CountingRandom final : public RandomSource
{
public:
    explicit CountingRandom(float value = 0.0f)
        : m_value(value)
    {
    }
    float next() override
    {
        ++m_draws;
        return m_value;
    }
    int draws() const { return m_draws; }

private:
    float m_value;
    int m_draws = 0;
};

LocalDateTime dateTime(int hours, int minutes, int seconds, int milliseconds = 0);

// How often the program was ended since the test began.
int &programEnds();

// The program object of the test function that runs.
std::unique_ptr<Program> &testProgram();

// Every test starts from a program object of its own (a fresh exam paper, no screen loaded), with
// the end of the program counted instead of carried out.
void startFresh();

// Throws the test's program object away, which leaves no screen behind.
void unloadEverything();

// The base of the screen tests: the program's look once, a fresh program state before every
// test function and no screen left behind after it. A test that needs more in init() declares
// its own and calls startFresh() there.
class ScreenTestCase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { applyProgramLook(); }
    void init() { startFresh(); }
    void cleanup() { unloadEverything(); }
};

// Fourteen questions of layout 1 without a picture, whose texts name their index
// ("問題3", "選択肢3-2"), correct choice 1.
void fillPaperWithNamedQuestions();

template <class Control = QWidget> Control *control(const QWidget *form, const char *name)
{
    return form->findChild<Control *>(QString::fromLatin1(name));
}

// The caption a control shows: a label's text, a button's caption or a frame's title.
QString captionOf(const QWidget *widget);

// The controls of the form whose fixed caption does not fit its size in its own font, one line
// each: a label within its width and height, a button's caption inside its margins, a frame's
// title beside the frame's edges. Option buttons carry the bank's texts and are left out.
QStringList captionsThatDoNotFit(const QWidget *form);

// A point on the indicator of an option button: a click in the middle of a wide button can hit
// neither the indicator nor the caption.
QPoint indicatorPoint(const QRadioButton *button);

// A test taken the candidate's way on the real screens and the built-in bank: the clock stands
// at 09:00:00 until the test moves it, and the generator's value 0 draws the first variant of
// every pool. start() shows the menu and clicks "試験開始".
class ExamRun
{
public:
    ExamRun()
    {
        replaceProgramClock(&clock);
        replaceProgramRandom(&random);
    }
    ~ExamRun()
    {
        replaceProgramClock(nullptr);
        replaceProgramRandom(nullptr);
    }
    ExamRun(const ExamRun &) = delete;
    ExamRun &operator=(const ExamRun &) = delete;

    frmSiken &start()
    {
        Screens::frmMenu().Show();
        QTest::mouseClick(control<QPushButton>(&Screens::frmMenu(), "cmd1"), Qt::LeftButton);
        return *Screens::ifLoaded<frmSiken>();
    }
    // Sets the clock to the given time after the test's start.
    void after(std::chrono::milliseconds elapsed) { clock.set(examPaper().StartTime + elapsed); }

    SetClock clock { dateTime(9, 0, 0) };
    CountingRandom random { 0.0f };
};

void click(const QWidget *form, const char *button);

QRadioButton *option(const QWidget *siken, int i);

// Selects choice k (1 to 4) on the exam screen with the mouse, as the candidate does.
void choose(const QWidget *siken, int k);

// The choice shown selected: 0 for none, 1 to 4, or -1 if more than one is selected.
int selectedChoice(const QWidget *siken);

// Whether the exam screen's countdown runs.
bool counting(const QWidget *siken);

// A click of the mouse on 問51 + index of the loaded results screen.
void clickNumber(int index);

// One tick of Timer1, delivered the way the event loop delivers it, without waiting a second.
// A stopped timer gets none.
void tick(const QWidget *siken);

// Closes the window the way a window manager does: a close event to its platform window.
void closeLikeAWindowManager(QWidget *window);

// The screens on view, by class name, menu first.
QStringList screensOnView();

// Answers every message box that comes up with OK, keeping its text; a test that expects none
// checks that texts stays empty (a box left open would hold the test up for good).
class MessageBoxAnswerer : public QObject
{
public:
    MessageBoxAnswerer()
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                titles << box->windowTitle();
                box->button(QMessageBox::Ok)->click();
            }
        });
        m_timer.start();
    }
    QStringList texts;
    QStringList titles;

private:
    QTimer m_timer;
};

} // namespace tovarin::testing
