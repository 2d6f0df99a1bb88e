// Randomised walks through the whole program on the real screens: from the menu through tests,
// their results and reviews to "終　了", again and again, with every click a candidate can make
// (double clicks and close boxes included) and the clock moving forwards, backwards and past the
// end. After every step the program is compared with the walk's own model (walk/WalkModel.h);
// the first difference fails the walk with its seed and the steps that led there.
//
// Settings, from the environment (the CI runs the defaults):
//   TOVARIN_WALK_SEEDS=N   seeds 1 to N (default 10)
//   TOVARIN_WALK_FIRST_SEED=F  seeds F to F + N - 1 instead, so that CTest can walk the seeds in
//                          two processes at once
//   TOVARIN_WALK_STEPS=N   steps per seed (default 2000; the sanitizer build's CTest entry 5000)
//   TOVARIN_WALK_SEED=S    only seed S, to replay a failure (with its TOVARIN_WALK_STEPS)
//   TOVARIN_WALK_TRACE=1   print every step as it is taken
// A soak run: TOVARIN_WALK_SEEDS=200 TOVARIN_WALK_STEPS=20000 tests/ui/WalkTest

#include "tests/ui/ScreenTestSupport.h"
#include "tests/ui/walk/WalkModel.h"
#include "ui/chart/ChartView.h"
#include "ui/results/IndexedLabel.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;
using tovarin::walk::DrawnQuestion;
using tovarin::walk::Moment;
using tovarin::walk::ResultsShown;
using tovarin::walk::Screen;
using tovarin::walk::WalkModel;

namespace {

int settingFromEnvironment(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// The walk's own generator (splitmix64): the same seed takes the same steps on every machine.
class WalkRandom
{
public:
    explicit WalkRandom(std::uint64_t seed)
        : m_state(seed)
    {
    }
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }
    std::int64_t between(std::int64_t low, std::int64_t high)
    {
        return low + std::int64_t(next() % std::uint64_t(high - low + 1));
    }
    bool percent(int p) { return below(100) < p; }

private:
    std::uint64_t m_state;
};

enum class Act {
    Start, // 試験開始
    End, // 終　了
    MenuCloseBox,
    Choose, // option button `index` (1 to 4)
    Next,
    Before,
    CorAns,
    Syuuryou,
    ExamCloseBox,
    RunNext, // cmdNext_Click run directly, as if the disabled button had taken the click
    RunBefore,
    TimePasses, // the clock moves by `ms` and the countdown ticks
    ClockSet, // the clock moves by `ms`, no tick yet
    Tick,
    Review, // 問(51 + index)
    Close, // 閉じる
    ResultsCloseBox,
    Kaisetsu, // 解説
    ExplanationCloseBox,
    ExplanationEscape,
    Kaizu, // 海図
    ChartCloseBox,
    ChartWork, // on the chart: a tool's button, a drag on the view, a key, or undo after undo
};
constexpr int actCount = int(Act::ChartWork) + 1;

struct Step
{
    Act act;
    int index = 0;
    bool twice = false; // a double click
    std::int64_t ms = 0;
};

QString durationText(std::int64_t ms)
{
    const std::int64_t whole = ms < 0 ? -ms : ms;
    return u"%1%2:%3:%4.%5"_s.arg(ms < 0 ? u"-"_s : u"+"_s)
        .arg(whole / 3'600'000, 2, 10, QChar(u'0'))
        .arg(whole / 60'000 % 60, 2, 10, QChar(u'0'))
        .arg(whole / 1000 % 60, 2, 10, QChar(u'0'))
        .arg(whole % 1000, 3, 10, QChar(u'0'));
}

QString describe(const Step &step)
{
    const QString click = step.twice ? u"double click "_s : u"click "_s;
    switch (step.act) {
    case Act::Start:
        return click + u"試験開始"_s;
    case Act::End:
        return click + u"終　了"_s;
    case Act::MenuCloseBox:
        return u"the menu's close box"_s;
    case Act::Choose:
        return click + u"choice (%1)"_s.arg(step.index);
    case Act::Next:
        return click + u"次の問題＞"_s;
    case Act::Before:
        return click + u"＜前の問題"_s;
    case Act::CorAns:
        return click + u"正答表示"_s;
    case Act::Syuuryou:
        return click + u"試験終了"_s;
    case Act::ExamCloseBox:
        return u"the exam screen's close box"_s;
    case Act::RunNext:
        return u"cmdNext_Click run directly"_s;
    case Act::RunBefore:
        return u"cmdBefore_Click run directly"_s;
    case Act::TimePasses:
        return u"time %1 and a tick"_s.arg(durationText(step.ms));
    case Act::ClockSet:
        return u"clock set %1, no tick"_s.arg(durationText(step.ms));
    case Act::Tick:
        return u"a tick"_s;
    case Act::Review:
        return click + u"問%1"_s.arg(51 + step.index);
    case Act::Close:
        return click + u"閉じる"_s;
    case Act::ResultsCloseBox:
        return u"the results' close box"_s;
    case Act::Kaisetsu:
        return click + u"解説"_s;
    case Act::ExplanationCloseBox:
        return u"the explanation's close box"_s;
    case Act::ExplanationEscape:
        return u"Escape on the explanation"_s;
    case Act::Kaizu:
        return click + u"海図"_s;
    case Act::ChartCloseBox:
        return u"the chart's close box"_s;
    case Act::ChartWork:
        return u"work on the chart (%1)"_s.arg(step.index);
    }
    return {};
}

// What the candidate or the computer does next, from what is on view (by the model, which the
// program has matched so far). Tests run some thirty-five steps on average; the time runs out on
// some of them. A candidate of skill s (0 to 100) chooses the right answer s times in a hundred
// and otherwise any, so that every score comes up.
Step pickStep(const WalkModel &model, WalkRandom &random, int skill)
{
    if (model.visible(Screen::Menu)) {
        const int roll = random.below(100);
        if (roll < 82)
            return { Act::Start };
        if (roll < 94)
            return { Act::Start, 0, true };
        if (roll < 97)
            return { Act::End, 0, random.percent(30) };
        return { Act::MenuCloseBox };
    }

    int roll = random.below(100);
    if (roll < 13) // the next tick, or a late one
        return { Act::TimePasses, 0, false, random.between(1, 3000) };
    if (roll < 16)
        return { Act::TimePasses, 0, false, random.between(60'000, 15 * 60'000) };
    if (roll < 17)
        return { Act::TimePasses, 0, false, random.between(70 * 60'000, 26 * 3'600'000) };
    if (roll < 18)
        return { Act::TimePasses, 0, false, -random.between(1, 3 * 3'600'000) };
    if (roll < 19)
        return { Act::ClockSet, 0, false, random.between(-40 * 60'000, 40 * 60'000) };
    if (roll < 20)
        return { Act::Tick };

    if (model.visible(Screen::Explanation) && random.percent(5))
        return { random.percent(50) ? Act::ExplanationCloseBox : Act::ExplanationEscape };
    if (model.visible(Screen::Chart) && random.percent(4))
        return { Act::ChartCloseBox };
    if (model.visible(Screen::Chart) && random.percent(30))
        return { Act::ChartWork, random.below(1 << 30) };
    const bool examOnView = model.visible(Screen::Exam);
    const bool resultsOnView = model.visible(Screen::Results);
    if (examOnView && (!resultsOnView || random.percent(75))) {
        if (model.explanationOffered && random.percent(10))
            return { Act::Kaisetsu, 0, random.percent(15) };
        if (model.chartOffered() && random.percent(8))
            return { Act::Kaizu, 0, random.percent(15) };
        roll = random.below(100);
        if (roll < 34) {
            const int k = random.percent(skill)
                ? model.questions[std::size_t(model.iNumber)].correct
                : 1 + random.below(4);
            return { Act::Choose, k, random.percent(10) };
        }
        if (roll < 62)
            return { Act::Next, 0, random.percent(12) };
        if (roll < 80)
            return { Act::Before, 0, random.percent(12) };
        if (roll < 88)
            return { Act::CorAns, 0, random.percent(20) };
        if (roll < 91)
            return { Act::RunNext };
        if (roll < 94)
            return { Act::RunBefore };
        if (roll < 96)
            return { Act::ExamCloseBox };
        return { Act::Syuuryou, 0, random.percent(30) };
    }
    roll = random.below(100);
    if (roll < 78)
        return { Act::Review, random.below(14), random.percent(10) };
    if (roll < 92)
        return { Act::Close, 0, random.percent(20) };
    return { Act::ResultsCloseBox };
}

// The draw that "試験開始" put into the exam paper, as the model keeps it.
std::array<DrawnQuestion, 14> drawnTest()
{
    std::array<DrawnQuestion, 14> drawn;
    for (std::size_t i = 0; i < 14; ++i) {
        const ExamQuestion &question = examPaper().Questions[i];
        drawn[i].text = question.QuestionText;
        for (std::size_t k = 0; k < 4; ++k)
            drawn[i].choices[k] = question.ChoiceText[k];
        drawn[i].correct = question.CorrectChoice;
    }
    return drawn;
}

// The program's own generator, with the values drawn from it counted.
class CountedDraws final : public RandomSource
{
public:
    explicit CountedDraws(RandomSource &source)
        : m_source(&source)
    {
    }
    float next() override
    {
        ++values;
        return m_source->next();
    }
    // A new program object has a generator of its own.
    void drawFrom(RandomSource &source) { m_source = &source; }
    int values = 0;

private:
    RandomSource *m_source;
};

// Watches the windows while a step runs. It holds back every mouse event for a widget whose
// window is hidden, as the window system does (a double click's second click never reaches a
// window that the first one closed), and notes every moment at which a window goes and leaves
// none of the program's on view.
class WindowWatch : public QObject
{
public:
    bool endingExpected = false; // "終　了": every window goes at once
    QStringList moments;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (auto *widget = qobject_cast<QWidget *>(object))
                return !widget->window()->isVisible();
            return false;
        case QEvent::Hide:
            if (auto *form = qobject_cast<Form *>(object); form && !endingExpected && !anyOnView())
                moments << u"hiding %1 left no window on view"_s.arg(
                    form->metaObject()->className());
            return false;
        default:
            return false;
        }
    }

private:
    static bool anyOnView()
    {
        for (const Form *form : { static_cast<const Form *>(Screens::ifLoaded<frmMenu>()),
                 static_cast<const Form *>(Screens::ifLoaded<frmSiken>()),
                 static_cast<const Form *>(Screens::ifLoaded<frmSeiseki>()) })
            if (form && form->isVisible())
                return true;
        return false;
    }
};

QString clockText(LocalDateTime moment)
{
    using namespace std::chrono;
    const auto day = floor<days>(moment);
    const year_month_day date(sys_days(day.time_since_epoch()));
    const hh_mm_ss time(moment - day);
    return u"%1-%2-%3 %4:%5:%6.%7"_s.arg(int(date.year()))
        .arg(unsigned(date.month()), 2, 10, QChar(u'0'))
        .arg(unsigned(date.day()), 2, 10, QChar(u'0'))
        .arg(time.hours().count(), 2, 10, QChar(u'0'))
        .arg(time.minutes().count(), 2, 10, QChar(u'0'))
        .arg(qint64(time.seconds().count()), 2, 10, QChar(u'0'))
        .arg(qint64(time.subseconds().count()), 3, 10, QChar(u'0'));
}

// The program's own generator, whatever a test had put in its place.
RandomSource &ownGenerator()
{
    replaceProgramRandom(nullptr);
    return programRandom();
}

// The offscreen platform cannot raise a window and says so at every showing; the walk shows
// windows thousands of times.
QtMessageHandler g_previousHandler = nullptr;
void quietAboutRaise(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message == u"This plugin does not support raise()"_s)
        return;
    g_previousHandler(type, context, message);
}

// The program and the model side by side, one walk.
class Walk
{
public:
    explicit Walk(std::uint64_t seed)
        : m_seed(seed)
        , m_random(seed)
        , m_clock(dateTime(0, 0, 0) + std::chrono::seconds(seed * 7919 % 86400))
        , m_draws(ownGenerator())
    {
        replaceProgramClock(&m_clock);
        replaceProgramRandom(&m_draws);
        qApp->installEventFilter(&m_windows);
        g_previousHandler = qInstallMessageHandler(quietAboutRaise);
    }
    ~Walk()
    {
        qInstallMessageHandler(g_previousHandler);
        qApp->removeEventFilter(&m_windows);
        unloadEverything();
    }
    Walk(const Walk &) = delete;
    Walk &operator=(const Walk &) = delete;

    // Runs the walk; false, with the report printed, at the first difference.
    bool run(int steps, bool trace)
    {
        startProgram();
        if (!agrees())
            return false;
        for (int i = 0; i < steps; ++i) {
            if (m_model.ended()) {
                startProgram();
                if (!agrees())
                    return false;
            }
            const Step step = pickStep(m_model, m_random, m_skill);
            // The candidate's pause before the step; no tick comes with it.
            m_clock.set(m_clock.now() + std::chrono::milliseconds(m_random.below(2000)));
            m_log.push_back(u"%1  %2"_s.arg(m_stepsTaken + 1, 6).arg(describe(step)));
            if (trace)
                qInfo().noquote() << u"seed %1 step"_s.arg(m_seed) << m_log.back();
            m_windows.endingExpected = step.act == Act::End || step.act == Act::MenuCloseBox;
            takeStep(step);
            m_windows.endingExpected = false;
            ++m_stepsTaken;
            ++m_acts[std::size_t(step.act)];
            if (!agrees())
                return false;
            rememberDrawings();
            m_reachedLastQuestion |= m_model[Screen::Exam].loaded && m_model.iNumber == 13;
        }
        return true;
    }

    int stepsTaken() const { return m_stepsTaken; }
    int testsStarted() const { return m_tests; }
    int timeUps() const { return m_timeUps + m_model.timeUps; }
    bool reachedLastQuestion() const { return m_reachedLastQuestion; }
    const std::array<int, actCount> &acts() const { return m_acts; }

    // The differences between the program and the model, one line each.
    QStringList differences() const
    {
        QStringList found;
        const auto differ = [&found](const QString &what, const auto &program, const auto &model) {
            if (program != model)
                found << u"%1: the program has «%2», the model «%3»"_s.arg(what,
                    QVariant::fromValue(program).toString(), QVariant::fromValue(model).toString());
        };

        const std::array<Form *, walk::screenCount> forms { Screens::ifLoaded<frmMenu>(),
            Screens::ifLoaded<frmSiken>(), Screens::ifLoaded<frmSeiseki>(),
            Screens::ifLoaded<frmKaisetsu>(), Screens::ifLoaded<frmKaizu>() };
        const std::array<QString, walk::screenCount> names { u"frmMenu"_s, u"frmSiken"_s,
            u"frmSeiseki"_s, u"frmKaisetsu"_s, u"frmKaizu"_s };
        bool anyOnView = false;
        for (std::size_t s = 0; s < walk::screenCount; ++s) {
            const bool loaded = forms[s] != nullptr;
            const bool onView = loaded && forms[s]->isVisible();
            if (s < 3)
                anyOnView |= onView; // the explanation and the chart never stand alone
            differ(names[s] + u" loaded"_s, loaded, m_model.screens[s].loaded);
            differ(names[s] + u" on view"_s, onView, m_model.screens[s].visible);
        }
        if (!anyOnView && !m_model.ended())
            found << u"no window of the program is on view, and it has not ended"_s;
        found << m_windows.moments;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *form = qobject_cast<Form *>(window);
                form && std::find(forms.begin(), forms.end(), form) == forms.end())
                found << u"an unloaded %1 is still alive"_s.arg(form->metaObject()->className());
            if (qobject_cast<QMessageBox *>(window) && window->isVisible())
                found << u"a message box is open"_s;
        }
        differ(u"times the program was ended"_s, programEnds(), m_model.programEnds);

        const ExamPaper &paper = examPaper();
        for (std::size_t i = 0; i < 15; ++i)
            differ(u"Answers(%1)"_s.arg(i), int(paper.Answers[i]), m_model.answers[i]);
        differ(u"values drawn from the generator"_s, m_draws.values - m_drawsAtProgramStart,
            14 * m_model.testsDrawn);
        if (m_model.testsDrawn > 0) {
            differ(u"StartTime"_s, qint64(paper.StartTime.time_since_epoch().count()),
                qint64(m_model.startTime.count()));
            const std::array<DrawnQuestion, 14> drawn = drawnTest();
            for (std::size_t i = 0; i < 14; ++i)
                if (drawn[i].text != m_model.questions[i].text
                    || drawn[i].correct != m_model.questions[i].correct)
                    found << u"the exam paper's question %1 changed since the draw"_s.arg(51 + i);
        }

        if (const auto *siken = Screens::ifLoaded<frmSiken>()) {
            examScreenDifferences(*siken, differ);
            if (siken->findChild<QTimer *>(u"Timer1"_s)->isActive()
                && (Screens::ifLoaded<frmKaisetsu>()
                    || control(siken, "cmdKaisetsu")->isVisibleTo(siken)))
                found << u"the explanation is offered during a test"_s;
        }
        if (const auto *kaisetsu = Screens::ifLoaded<frmKaisetsu>()) {
            differ(u"the question explained"_s, int(kaisetsu->question()), m_model.explained);
            const int key = m_model.questions[std::size_t(m_model.explained)].correct;
            differ(u"the explanation's header"_s, control<QLabel>(kaisetsu, "lblHeader")->text(),
                u"第%1問　正答 (%2)"_s.arg(51 + m_model.explained).arg(key));
        }
        if (const auto *kaizu = Screens::ifLoaded<frmKaizu>()) {
            differ(u"the chart question on the chart"_s, int(kaizu->question()), m_model.charted);
            // The one on the chart may have been drawn on; the others keep theirs, and a new
            // window starts with clean charts (remembered as empty while there was none). A
            // question leaving the chart keeps what was drawn, and a point whose label was being
            // typed is put down with it.
            for (std::int16_t n = 0; n < frmKaizu::chartQuestions; ++n) {
                const ChartDrawing now = kaizu->drawingOf(n);
                const ChartDrawing &before = m_drawings[std::size_t(n)];
                const bool kept = m_wasOffChart[std::size_t(n)] || !m_hadChart
                    ? now == before
                    : keptOnLeaving(now, before);
                if (n != kaizu->question() && !kept)
                    found << u"the drawing of 第%1問 changed off the chart"_s.arg(51 + n);
                if (!m_hadChart && !now.isEmpty())
                    found << u"a new chart window has a drawing on 第%1問"_s.arg(51 + n);
            }
        }
        if (const auto *siken = Screens::ifLoaded<frmSiken>(); siken && siken->isVisible())
            differ(u"海図 offered"_s, control(siken, "cmdKaizu")->isVisibleTo(siken),
                m_model.chartOffered());
        if (const auto *results = Screens::ifLoaded<frmSeiseki>()) {
            const ResultsShown shown = resultsOnScreen(*results);
            if (!m_model.results)
                found << u"the results are loaded but were never scored"_s;
            else if (shown != *m_model.results)
                found << resultsDifference(shown, *m_model.results);
        }
        return found;
    }

    // The report of a walk that went wrong: how to replay it, and its steps since the program
    // last started.
    QString report(const QStringList &differences) const
    {
        QStringList lines;
        lines << u"The walk of seed %1 departed from the model after step %2:"_s.arg(m_seed).arg(
            m_stepsTaken);
        for (const QString &difference : differences)
            lines << u"  "_s + difference;
        lines
            << u"Replay: TOVARIN_WALK_SEED=%1 TOVARIN_WALK_STEPS=%2 TOVARIN_WALK_TRACE=1 WalkTest"_s
                   .arg(m_seed)
                   .arg(m_stepsTaken);
        lines << u"Steps since the program last started (the clock then read %1):"_s.arg(
            clockText(m_clockAtProgramStart));
        for (const QString &line : m_log)
            lines << line;
        return lines.join(u'\n');
    }

private:
    template <class Differ> void examScreenDifferences(const frmSiken &siken, Differ &differ) const
    {
        differ(u"iNumber"_s, int(siken.iNumber), m_model.iNumber);
        const int shown = m_model.shown;
        const DrawnQuestion &question = m_model.questions[std::size_t(shown)];
        differ(u"the header"_s, control<QGroupBox>(&siken, "Frame2")->title(),
            u"第%1問"_s.arg(51 + shown));
        differ(u"the question text"_s, control<QPlainTextEdit>(&siken, "txtQ")->toPlainText(),
            QString::fromStdString(question.text).replace(u"\r\n"_s, u"\n"_s));
        for (int k = 0; k < 4; ++k)
            differ(u"the caption of Option1(%1)"_s.arg(k), option(&siken, k)->text(),
                u"(%1) "_s.arg(k + 1) + QString::fromStdString(question.choices[std::size_t(k)]));
        differ(u"the choice selected"_s, selectedChoice(&siken), m_model.selection);
        differ(u"＜前の問題 enabled"_s, control<QPushButton>(&siken, "cmdBefore")->isEnabled(),
            m_model.beforeEnabled);
        differ(u"次の問題＞ enabled"_s, control<QPushButton>(&siken, "cmdNext")->isEnabled(),
            m_model.nextEnabled);
        differ(u"lblTime"_s, control<QLabel>(&siken, "lblTime")->text(),
            QString::fromStdString(m_model.timeText));
        differ(u"lblCorAns"_s, control<QLabel>(&siken, "lblCorAns")->text(),
            QString::fromStdString(m_model.correctShown));
        differ(u"the countdown running"_s, siken.findChild<QTimer *>(u"Timer1"_s)->isActive(),
            m_model.counting);
        differ(u"解説 offered"_s, control(&siken, "cmdKaisetsu")->isVisibleTo(&siken),
            m_model.explanationOffered);
    }

    static ResultsShown resultsOnScreen(const frmSeiseki &results)
    {
        const auto text = [&results](const QString &name) {
            return results.findChild<QWidget *>(name)->property("text").toString().toStdString();
        };
        const auto red = [&results](const char *name) {
            return control<QLineEdit>(&results, name)->palette().color(QPalette::Text) == pureRed();
        };
        ResultsShown shown;
        for (int i = 0; i < 14; ++i) {
            shown.correct[std::size_t(i)] = text(u"lbl1_%1"_s.arg(i));
            shown.chosen[std::size_t(i)] = text(u"Label23_%1"_s.arg(i));
        }
        shown.pointsI = text(u"txt1"_s);
        shown.pointsII = text(u"txt2"_s);
        shown.pointsTotal = text(u"txt4"_s);
        shown.rateI = text(u"txt5"_s);
        shown.rateII = text(u"txt6"_s);
        shown.rateTotal = text(u"txt8"_s);
        shown.redI = red("txt5");
        shown.redII = red("txt6");
        shown.redTotal = red("txt8");
        if (red("txt1") || red("txt2") || red("txt4"))
            shown.pointsTotal += " (a points box is red)";
        return shown;
    }

    static QString resultsDifference(const ResultsShown &program, const ResultsShown &model)
    {
        const auto line = [](const ResultsShown &r) {
            QStringList cells;
            for (std::size_t i = 0; i < 14; ++i)
                cells << QString::fromStdString(r.correct[i] + "/" + r.chosen[i]);
            return u"%1; points %2 %3 %4; rates %5%6 %7%8 %9%10"_s.arg(cells.join(u' '),
                QString::fromStdString(r.pointsI), QString::fromStdString(r.pointsII),
                QString::fromStdString(r.pointsTotal), QString::fromStdString(r.rateI),
                r.redI ? u" red"_s : QString(), QString::fromStdString(r.rateII),
                r.redII ? u" red"_s : QString(), QString::fromStdString(r.rateTotal),
                r.redTotal ? u" red"_s : QString());
        };
        return u"the results screen shows %1; the model %2"_s.arg(line(program), line(model));
    }

    // A new process: a fresh exam paper, no screen, the menu shown by the start-up.
    void startProgram()
    {
        if (m_stepsTaken > 0) {
            m_timeUps += m_model.timeUps;
            m_log.clear();
        }
        unloadEverything();
        startFresh(); // a new program object: a fresh exam paper, no screen
        m_draws.drawFrom(ownGenerator());
        replaceProgramClock(&m_clock);
        replaceProgramRandom(&m_draws);
        m_drawsAtProgramStart = m_draws.values;
        m_clockAtProgramStart = m_clock.now();
        m_model.startProgram();
        Screens::frmMenu().Show();
        settle();
    }

    void takeStep(const Step &step)
    {
        const Moment before = now();
        switch (step.act) {
        case Act::Start:
            clickButton(Screens::ifLoaded<frmMenu>(), "cmd1", step.twice);
            m_model.startTest(drawnTest(), before); // the draw is the walk's input
            ++m_tests;
            m_skill = m_random.below(101);
            return;
        case Act::End:
            clickButton(Screens::ifLoaded<frmMenu>(), "cmdEnd", step.twice);
            m_model.endProgram();
            return;
        case Act::MenuCloseBox:
            closeBox(Screens::ifLoaded<frmMenu>());
            m_model.endProgram();
            return;
        case Act::Choose: {
            QRadioButton *button = option(Screens::ifLoaded<frmSiken>(), step.index - 1);
            clickAt(button, indicatorPoint(button), step.twice);
            m_model.choose(step.index);
            return;
        }
        case Act::Next:
            clickButton(Screens::ifLoaded<frmSiken>(), "cmdNext", step.twice);
            twiceOnExam(step, [this] {
                if (m_model.nextEnabled)
                    m_model.next();
            });
            return;
        case Act::Before:
            clickButton(Screens::ifLoaded<frmSiken>(), "cmdBefore", step.twice);
            twiceOnExam(step, [this] {
                if (m_model.beforeEnabled)
                    m_model.before();
            });
            return;
        case Act::CorAns:
            clickButton(Screens::ifLoaded<frmSiken>(), "cmdCorAns", step.twice);
            twiceOnExam(step, [this] { m_model.showCorrect(); });
            return;
        case Act::Syuuryou:
            clickButton(Screens::ifLoaded<frmSiken>(), "cmdSyuuryou", step.twice);
            twiceOnExam(step, [this] { m_model.endTest(); });
            return;
        case Act::ExamCloseBox:
            closeBox(Screens::ifLoaded<frmSiken>());
            m_model.closeExam();
            return;
        case Act::RunNext:
            Screens::ifLoaded<frmSiken>()->cmdNext_Click();
            settle();
            m_model.next();
            return;
        case Act::RunBefore:
            Screens::ifLoaded<frmSiken>()->cmdBefore_Click();
            settle();
            m_model.before();
            return;
        case Act::TimePasses:
        case Act::ClockSet:
            m_clock.set(m_clock.now() + std::chrono::milliseconds(step.ms));
            if (step.act == Act::TimePasses)
                tickAndModel();
            return;
        case Act::Tick:
            tickAndModel();
            return;
        case Act::Review:
            clickAt(Screens::ifLoaded<frmSeiseki>()->findChild<IndexedLabel *>(
                        u"Label17_%1"_s.arg(step.index)),
                QPoint(), step.twice);
            m_model.review(step.index);
            if (step.twice && m_model.visible(Screen::Results))
                m_model.review(step.index);
            return;
        case Act::Close:
            clickButton(Screens::ifLoaded<frmSeiseki>(), "cmdEnd", step.twice);
            m_model.closeResults();
            if (step.twice && m_model.visible(Screen::Results))
                m_model.closeResults();
            return;
        case Act::ResultsCloseBox:
            closeBox(Screens::ifLoaded<frmSeiseki>());
            m_model.closeResults();
            return;
        case Act::Kaisetsu:
            clickButton(Screens::ifLoaded<frmSiken>(), "cmdKaisetsu", step.twice);
            twiceOnExam(step, [this] { m_model.explain(); });
            return;
        case Act::ExplanationCloseBox:
            closeBox(Screens::ifLoaded<frmKaisetsu>());
            m_model.closeExplanation();
            return;
        case Act::ExplanationEscape:
            QTest::keyClick(
                control(Screens::ifLoaded<frmKaisetsu>(), "txtKaisetsu"), Qt::Key_Escape);
            settle();
            m_model.closeExplanation();
            return;
        case Act::Kaizu:
            clickButton(Screens::ifLoaded<frmSiken>(), "cmdKaizu", step.twice);
            twiceOnExam(step, [this] { m_model.openChart(); });
            return;
        case Act::ChartCloseBox:
            closeBox(Screens::ifLoaded<frmKaizu>());
            m_model.closeChart();
            return;
        case Act::ChartWork:
            workOnTheChart(*Screens::ifLoaded<frmKaizu>(), std::uint64_t(step.index));
            settle();
            return; // the windows stay as they are
        }
    }

    // What a candidate does on the chart, drawn from the step's own number: a button of the
    // tools, a drag on the view (some leaving it, some of no length), a key to the view, or the
    // undo pressed many times over, past the start.
    static void workOnTheChart(frmKaizu &kaizu, std::uint64_t seed)
    {
        WalkRandom random(seed + 1);
        QWidget *viewport = kaizu.view()->viewport();
        const int kind = random.below(100);
        if (kind < 30) {
            static constexpr std::array<const char *, 9> buttons { "cmdSetSquare", "cmdDividers",
                "cmdCompass", "cmdPencil", "cmdEraser", "cmdUndo", "cmdRedo", "cmdClearAll",
                "chkReadouts" };
            auto *button = kaizu.findChild<QAbstractButton *>(
                QString::fromLatin1(buttons[std::size_t(random.below(int(buttons.size())))]));
            if (button && button->isEnabled())
                button->click();
        } else if (kind < 40) {
            for (int i = 0; i < 40; ++i)
                QTest::keyClick(kaizu.view(), Qt::Key_Z, Qt::ControlModifier);
        } else if (kind < 80) {
            const auto anywhere = [&] {
                return QPointF(random.between(-40, viewport->width() + 40),
                    random.between(-40, viewport->height() + 40));
            };
            const auto send = [&](QEvent::Type type, QPointF at) {
                QMouseEvent event(type, at, viewport->mapToGlobal(at),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
                QApplication::sendEvent(viewport, &event);
            };
            const QPointF from(random.between(0, viewport->width() - 1),
                random.between(0, viewport->height() - 1));
            send(QEvent::MouseButtonPress, from);
            QPointF to = from;
            for (int moves = random.below(4); moves > 0; --moves)
                send(QEvent::MouseMove, to = anywhere());
            send(QEvent::MouseButtonRelease, to);
        } else {
            static constexpr std::array<int, 12> keys { Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                Qt::Key_Down, Qt::Key_Escape, Qt::Key_Return, Qt::Key_R, Qt::Key_L, Qt::Key_S,
                Qt::Key_F, Qt::Key_T, Qt::Key_A };
            const Qt::KeyboardModifiers modifiers[]
                = { Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier };
            QWidget *focused = QApplication::focusWidget();
            QTest::keyClick(focused && focused->window() == &kaizu ? focused : kaizu.view(),
                Qt::Key(keys[std::size_t(random.below(int(keys.size())))]),
                modifiers[random.below(3)]);
        }
    }

    // The drawings of the chart questions as the chart window last showed them, to hold each
    // one unchanged while another question is on the chart; none without a chart window.
    void rememberDrawings()
    {
        const frmKaizu *kaizu = Screens::ifLoaded<frmKaizu>();
        m_hadChart = kaizu != nullptr;
        for (std::int16_t n = 0; n < frmKaizu::chartQuestions; ++n) {
            m_drawings[std::size_t(n)] = kaizu ? kaizu->drawingOf(n) : ChartDrawing {};
            m_wasOffChart[std::size_t(n)] = kaizu && kaizu->question() != n;
        }
    }

    static bool keptOnLeaving(const ChartDrawing &now, const ChartDrawing &before)
    {
        return now.lines == before.lines && now.arcs == before.arcs
            && (now.points.size() == before.points.size()
                || now.points.size() == before.points.size() + 1)
            && std::equal(before.points.begin(), before.points.end(), now.points.begin(),
                [](const ChartDrawing::Point &p, const ChartDrawing::Point &q) {
                    return p.at == q.at;
                });
    }

    // A click of the exam screen's buttons on the model: the second click of a double click
    // reaches the button only if the first left the screen on view.
    template <class Click> void twiceOnExam(const Step &step, Click click)
    {
        click();
        if (step.twice && m_model.visible(Screen::Exam))
            click();
    }

    void tickAndModel()
    {
        if (const auto *siken = Screens::ifLoaded<frmSiken>())
            tick(siken);
        settle();
        m_model.tick(now());
    }

    Moment now() const { return m_clock.now().time_since_epoch(); }

    void clickButton(const QWidget *form, const char *name, bool twice)
    {
        clickAt(control<QPushButton>(form, name), QPoint(), twice);
    }

    // One click delivered at once, or the four mouse events of a double click queued together,
    // the way the window system hands them over: whatever the first click's handler lets
    // through (an event loop of its own) already delivers the second.
    void clickAt(QWidget *widget, QPoint at, bool twice)
    {
        if (at.isNull())
            at = widget->rect().center();
        if (!twice) {
            QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        } else {
            const QPointF local(at);
            const QPointF global(widget->mapToGlobal(at));
            const auto post = [&](QEvent::Type type, Qt::MouseButtons buttons) {
                QCoreApplication::postEvent(widget,
                    new QMouseEvent(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier));
            };
            post(QEvent::MouseButtonPress, Qt::LeftButton);
            post(QEvent::MouseButtonRelease, Qt::NoButton);
            post(QEvent::MouseButtonDblClick, Qt::LeftButton);
            post(QEvent::MouseButtonRelease, Qt::NoButton);
        }
        settle();
    }

    void closeBox(QWidget *window)
    {
        closeLikeAWindowManager(window);
        settle();
    }

    // What the event loop does once a handler has returned: queued events delivered, windows
    // exposed and painted, unloaded screens destroyed. Timers are left out: the countdown ticks
    // only when the walk says so.
    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(
            QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    bool agrees() const
    {
        const QStringList found = differences();
        if (found.isEmpty())
            return true;
        qCritical().noquote() << report(found);
        return false;
    }

    std::uint64_t m_seed;
    WalkRandom m_random;
    std::array<ChartDrawing, frmKaizu::chartQuestions> m_drawings {};
    bool m_hadChart = false;
    std::array<bool, frmKaizu::chartQuestions> m_wasOffChart {};
    SetClock m_clock;
    CountedDraws m_draws;
    WindowWatch m_windows;
    WalkModel m_model;
    QStringList m_log;
    LocalDateTime m_clockAtProgramStart {};
    int m_drawsAtProgramStart = 0;
    int m_stepsTaken = 0;
    int m_tests = 0;
    int m_skill = 0;
    int m_timeUps = 0;
    bool m_reachedLastQuestion = false;
    std::array<int, actCount> m_acts {};
};

} // namespace

class WalkTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:

    // The comparison is not blind: an answer the model did not record, a screen it did not
    // show and a test it did not start are all reported.
    void aDifferenceFromTheModelIsNoticed()
    {
        Walk walk(1);
        QVERIFY(walk.run(0, false)); // the program started: the menu alone
        examPaper().Answers[3] = 2;
        QVERIFY(walk.differences().join(u'\n').contains(u"Answers(3)"_s));
        click(Screens::ifLoaded<frmMenu>(), "cmd1");
        const QString found = walk.differences().join(u'\n');
        QVERIFY2(found.contains(u"frmSiken on view"_s), qPrintable(found));
        QVERIFY2(found.contains(u"values drawn from the generator"_s), qPrintable(found));
    }

    void randomWalksAgreeWithTheModel()
    {
        const int steps = settingFromEnvironment("TOVARIN_WALK_STEPS", 2000);
        const int replayed = settingFromEnvironment("TOVARIN_WALK_SEED", 0);
        const int seeds = replayed ? 1 : settingFromEnvironment("TOVARIN_WALK_SEEDS", 10);
        const int firstSeed = settingFromEnvironment("TOVARIN_WALK_FIRST_SEED", 1);
        const bool trace = qEnvironmentVariableIntValue("TOVARIN_WALK_TRACE") != 0;

        QElapsedTimer elapsed;
        elapsed.start();
        long long totalSteps = 0;
        int tests = 0;
        int timeUps = 0;
        int walksOnTheLastQuestion = 0;
        std::array<long long, actCount> acts {};
        for (int s = 0; s < seeds; ++s) {
            const std::uint64_t seed
                = replayed ? std::uint64_t(replayed) : std::uint64_t(firstSeed + s);
            Walk walk(seed);
            const bool agreed = walk.run(steps, trace);
            totalSteps += walk.stepsTaken();
            if (!agreed)
                QFAIL(qPrintable(
                    u"seed %1 departed from the model; the steps are above"_s.arg(seed)));
            tests += walk.testsStarted();
            timeUps += walk.timeUps();
            walksOnTheLastQuestion += walk.reachedLastQuestion();
            for (int a = 0; a < actCount; ++a)
                acts[std::size_t(a)] += walk.acts()[std::size_t(a)];
        }
        qInfo().noquote()
            << u"Walks: %1 seeds, %2 steps, %3 tests (%4 ended by the countdown) in %5 s"_s
                   .arg(seeds)
                   .arg(totalSteps)
                   .arg(tests)
                   .arg(timeUps)
                   .arg(double(elapsed.elapsed()) / 1000.0, 0, 'f', 1);

        // Walks this long reach every kind of step and every corner that matters.
        if (totalSteps >= 10'000) {
            for (int a = 0; a < actCount; ++a)
                QVERIFY2(acts[std::size_t(a)] > 0,
                    qPrintable(u"no step: "_s + describe({ Act(a), 1, false, 1 })));
            QVERIFY(timeUps > 0);
            QVERIFY(walksOnTheLastQuestion > 0);
        }
    }
};

int main(int argc, char *argv[])
{
    // A soak run takes as long as it is asked to take; Qt Test's watchdog would end any test
    // function after five minutes.
    if ((qEnvironmentVariableIsSet("TOVARIN_WALK_SEEDS")
            || qEnvironmentVariableIsSet("TOVARIN_WALK_STEPS"))
        && !qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "604800000");
    QApplication application(argc, argv);
    WalkTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WalkTest.moc"
