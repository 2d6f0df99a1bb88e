// What the screen tests share: a fresh program state for every test (ScreenTestCase), test
// doubles for the clock and the generator, checks of controls found by their names, a paper of
// named questions, and the candidate's moves in a whole test: starting it from the menu,
// clicking, choosing, a tick of the countdown, a click on a question number of the results.
#pragma once

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

inline LocalDateTime dateTime(int hours, int minutes, int seconds, int milliseconds = 0)
{
    using namespace std::chrono;
    return local_days(2026y / December / 9) + std::chrono::hours(hours)
        + std::chrono::minutes(minutes) + std::chrono::seconds(seconds)
        + std::chrono::milliseconds(milliseconds);
}

// How often the program was ended since the test began.
inline int &programEnds()
{
    static int count = 0;
    return count;
}

// Every test starts from a fresh exam paper and no screen loaded, with the end of the program
// counted instead of carried out, and leaves no screen behind.
inline void startFresh()
{
    examPaper() = ExamPaper {};
    replaceProgramClock(nullptr);
    replaceProgramRandom(nullptr);
    programEnds() = 0;
    Screens::replaceEventLoopExit([] { ++programEnds(); });
}

inline void unloadEverything()
{
    Screens::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    replaceProgramClock(nullptr);
    replaceProgramRandom(nullptr);
}

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
inline void fillPaperWithNamedQuestions()
{
    for (std::size_t i = 0; i < 14; ++i) {
        ExamQuestion &q = examPaper().Questions[i];
        q.QuestionText = "問題" + std::to_string(i);
        for (std::size_t c = 0; c < 4; ++c)
            q.ChoiceText[c] = "選択肢" + std::to_string(i) + "-" + std::to_string(c + 1);
        q.CorrectChoice = 1;
        q.LayoutType = 1;
        q.PictureRef = nullptr;
    }
}

template <class Control = QWidget> Control *control(const QWidget *form, const char *name)
{
    return form->findChild<Control *>(QString::fromLatin1(name));
}

// The caption a control shows: a label's text, a button's caption or a frame's title.
inline QString captionOf(const QWidget *widget)
{
    if (const auto *l = qobject_cast<const QLabel *>(widget))
        return l->text();
    if (const auto *b = qobject_cast<const QAbstractButton *>(widget))
        return b->text();
    if (const auto *f = qobject_cast<const QGroupBox *>(widget))
        return f->title();
    return QString();
}

// The controls of the form whose fixed caption does not fit its size in its own font, one line
// each: a label within its width and height, a button's caption inside its margins, a frame's
// title beside the frame's edges. Option buttons carry the bank's texts and are left out.
inline QStringList captionsThatDoNotFit(const QWidget *form)
{
    QStringList faults;
    for (const QWidget *widget : form->findChildren<QWidget *>()) {
        const QString caption = captionOf(widget);
        if (caption.isEmpty() || qobject_cast<const QRadioButton *>(widget))
            continue;
        const QFontMetrics metrics(widget->font());
        int spare = widget->width() - metrics.horizontalAdvance(caption);
        if (qobject_cast<const QAbstractButton *>(widget))
            spare -= 2 * widget->style()->pixelMetric(QStyle::PM_ButtonMargin);
        else if (qobject_cast<const QGroupBox *>(widget))
            spare -= 2 * 8; // the frame's edge and the gap before the title on either side
        const bool tooLow = metrics.height() > widget->height();
        if (spare < 0 || tooLow)
            faults << QStringLiteral("%1 \"%2\": %3 px short, %4 px high in %5 px")
                          .arg(widget->objectName(), caption)
                          .arg(-spare)
                          .arg(metrics.height())
                          .arg(widget->height());
    }
    return faults;
}

// A point on the indicator of an option button: a click in the middle of a wide button can hit
// neither the indicator nor the caption.
inline QPoint indicatorPoint(const QRadioButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()
        ->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button)
        .center();
}

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

inline void click(const QWidget *form, const char *button)
{
    QTest::mouseClick(control<QPushButton>(form, button), Qt::LeftButton);
}

inline QRadioButton *option(const QWidget *siken, int i)
{
    return siken->findChild<QRadioButton *>(QStringLiteral("Option1_%1").arg(i));
}

// Selects choice k (1 to 4) on the exam screen with the mouse, as the candidate does.
inline void choose(const QWidget *siken, int k)
{
    QRadioButton *button = option(siken, k - 1);
    QTest::mouseClick(button, Qt::LeftButton, {}, indicatorPoint(button));
}

// The choice shown selected: 0 for none, 1 to 4, or -1 if more than one is selected.
inline int selectedChoice(const QWidget *siken)
{
    int selected = 0;
    for (int i = 0; i < 4; ++i) {
        if (option(siken, i)->isChecked())
            selected = selected == 0 ? i + 1 : -1;
    }
    return selected;
}

// Whether the exam screen's countdown runs.
inline bool counting(const QWidget *siken)
{
    return siken->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive();
}

// A click of the mouse on 問51 + index of the loaded results screen.
inline void clickNumber(int index)
{
    QTest::mouseClick(Screens::ifLoaded<frmSeiseki>()->findChild<IndexedLabel *>(
                          QStringLiteral("Label17_%1").arg(index)),
        Qt::LeftButton);
}

// One tick of Timer1, delivered the way the event loop delivers it, without waiting a second.
// A stopped timer gets none.
inline void tick(const QWidget *siken)
{
    auto *timer = siken->findChild<QTimer *>(QStringLiteral("Timer1"));
    if (!timer->isActive())
        return;
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
}

// Closes the window the way a window manager does: a close event to its platform window.
inline void closeLikeAWindowManager(QWidget *window)
{
    window->winId(); // gives it a platform window if it has none yet
    QCloseEvent event;
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}

// The screens on view, by class name, menu first.
inline QStringList screensOnView()
{
    QStringList names;
    for (const Form *form : { static_cast<const Form *>(Screens::ifLoaded<frmMenu>()),
             static_cast<const Form *>(Screens::ifLoaded<frmSiken>()),
             static_cast<const Form *>(Screens::ifLoaded<frmSeiseki>()) })
        if (form && form->isVisible())
            names << QString::fromLatin1(form->metaObject()->className()).section(u':', -1);
    return names;
}

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
