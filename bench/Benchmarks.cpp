// tovarin-bench: how fast Tovarin starts and answers, each figure beside an empty Qt window
// measured in the same run, so that the ratios hold on a busy machine.
//
//   Startup          the program's start to its menu painted, as whole processes: tovarin-probe
//                    (the program's own start-up, ended once the menu is on the screen) against
//                    empty-window (one empty window, ended once it is painted)
//   PeakMemory       the peak resident memory of a process that has taken a whole test, against
//                    that of empty-window
//   StartTest        試験開始 to the exam screen painted with 第51問
//   NextToPicture    次の問題＞ from 第54問 to 第55問, a question with a picture, painted
//   NextToText       次の問題＞ from 第51問 to 第52問, text only, painted
//   EndTest          試験終了 to the results painted
//   OpenExplanation  解説 in review of 第51問 (chart work: steps and plot) to the explanation
//                    painted
//   NextExplained    次の問題＞ from 第51問 to 第52問 with the explanation open, to the explanation
//                    painted on 第52問
//   OpenChart        海図 on 第51問 during a test to the chart window loaded and painted
//   ChartPan, ChartZoom, ChartItemDrag
//                    one frame of the chart window at a client area of 2560 × 1440: the view
//                    panned by 40 pixels, zoomed by one step about its centre, or an item over
//                    the chart (as a tool in hand) moved by 5 pixels, each painted at once
// These run in this process; the first six have as baseline an empty window shown and painted
// here, the chart's frames stand alone.
// Every iteration measures the baseline next to the figure; "x_empty" is their ratio. The first
// 試験開始 of the process and its first picture are also printed at the end, cold.
// The first 解説 of the process (the solver and its plot cold) is printed with them.
// TOVARIN_BENCH_ITERATIONS sets the iterations (default 20); scripts/bench.sh runs it all.

#include "bench/FirstPaint.h"

#include "app/Program.h"
#include "app/Screens.h"
#include "ui/chart/ChartView.h"
#include "ui/look/Look.h"

#include "paper/ExamPaper.h"
#include "paper/RandomSource.h"

#include <QGraphicsRectItem>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char **environ;

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;

namespace {

bool g_failed = false;

void fail(benchmark::State &state, const char *why)
{
    g_failed = true;
    state.SkipWithError(why);
}

int iterations()
{
    const char *set = std::getenv("TOVARIN_BENCH_ITERATIONS");
    const int n = set ? std::atoi(set) : 0;
    return n > 0 ? n : 20;
}

// --- whole processes ----------------------------------------------------------------------------

struct ProcessRun
{
    double seconds = 0; // from the spawn to the end of the process
    double peakMegabytes = 0; // as the process printed it (TOVARIN_BENCH_PEAK)
    bool ok = false; // started and exited with 0
};

// Runs a program of the build next to this one, what it prints thrown away but its peak memory.
ProcessRun runProcess(const char *name, const char *argument = nullptr)
{
    const std::string path = (QCoreApplication::applicationDirPath() + u'/').toStdString() + name;
    std::vector<char *> argv { const_cast<char *>(path.c_str()) };
    if (argument)
        argv.push_back(const_cast<char *>(argument));
    argv.push_back(nullptr);
    int output[2];
    if (pipe(output) != 0)
        return {};
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, output[1], 1);
    posix_spawn_file_actions_addclose(&files, output[0]);
    posix_spawn_file_actions_addclose(&files, output[1]);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);

    ProcessRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const bool started
        = posix_spawn(&pid, path.c_str(), &files, nullptr, argv.data(), environ) == 0;
    close(output[1]);
    std::string printed;
    char buffer[256];
    for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, std::size_t(n));
    close(output[0]);
    int status = 0;
    if (started && waitpid(pid, &status, 0) == pid) {
        run.seconds
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    if (const auto at = printed.find("peak-kB "); at != std::string::npos)
        run.peakMegabytes = std::strtod(printed.c_str() + at + 8, nullptr) / 1024.0;
    posix_spawn_file_actions_destroy(&files);
    return run;
}

void Startup(benchmark::State &state)
{
    double emptyTotal = 0;
    double ratioTotal = 0;
    bool emptyFirst = true;
    for (auto _ : state) {
        // In turn, so that a drift of the machine's speed falls on both alike.
        ProcessRun empty;
        ProcessRun program;
        if (emptyFirst)
            empty = runProcess("empty-window");
        program = runProcess("tovarin-probe");
        if (!emptyFirst)
            empty = runProcess("empty-window");
        emptyFirst = !emptyFirst;
        if (!empty.ok || !program.ok) {
            fail(state, "a process did not start or did not end well");
            break;
        }
        state.SetIterationTime(program.seconds);
        emptyTotal += empty.seconds;
        ratioTotal += program.seconds / empty.seconds;
    }
    state.counters["empty_ms"]
        = benchmark::Counter(emptyTotal * 1000, benchmark::Counter::kAvgIterations);
    state.counters["x_empty"] = benchmark::Counter(ratioTotal, benchmark::Counter::kAvgIterations);
}

void PeakMemory(benchmark::State &state)
{
    double programTotal = 0;
    double emptyTotal = 0;
    for (auto _ : state) {
        const ProcessRun program = runProcess("tovarin-probe", "full-test");
        const ProcessRun empty = runProcess("empty-window");
        if (!empty.ok || !program.ok) {
            fail(state, "a process did not start or did not end well");
            break;
        }
        if (program.peakMegabytes <= 0 || empty.peakMegabytes <= 0) {
            fail(state, "a process did not tell its peak memory");
            break;
        }
        state.SetIterationTime(program.seconds);
        programTotal += program.peakMegabytes;
        emptyTotal += empty.peakMegabytes;
    }
    using benchmark::Counter;
    state.counters["peak_MiB"] = Counter(programTotal, Counter::kAvgIterations);
    state.counters["empty_MiB"] = Counter(emptyTotal, Counter::kAvgIterations);
    state.counters["over_empty_MiB"] = Counter(programTotal - emptyTotal, Counter::kAvgIterations);
}

// --- in this process ------------------------------------------------------------------------

template <class Screen> bool isA(const QWidget *window)
{
    return qobject_cast<const Screen *>(window) != nullptr;
}

QPushButton *button(const QWidget *form, const char *name)
{
    return form->findChild<QPushButton *>(QString::fromLatin1(name));
}

// An empty window of the menu's size shown and painted here: the in-process baseline.
double emptyWindowShown()
{
    QWidget window;
    window.resize(365, 206);
    bench::FirstPaint painted(&window);
    const auto start = std::chrono::steady_clock::now();
    window.show();
    painted.wait();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs action, then the event loop until a window of the kind shown has been painted; the time
// taken, or a negative time if nothing was painted.
template <class Shown, class Action> double timeUntilShown(Action action)
{
    bench::FirstPaint painted(isA<Shown>);
    const auto start = std::chrono::steady_clock::now();
    action();
    if (!painted.wait())
        return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The program as at its start: the menu alone, on the screen.
void freshMenu()
{
    Screens::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    timeUntilShown<frmMenu>([] { Screens::frmMenu().Show(); });
}

frmSiken &startTest()
{
    freshMenu();
    timeUntilShown<frmSiken>([] { button(Screens::ifLoaded<frmMenu>(), "cmd1")->click(); });
    return *Screens::ifLoaded<frmSiken>();
}

QString header(const frmSiken &siken)
{
    return siken.findChild<QGroupBox *>(u"Frame2"_s)->title();
}

// Counts one iteration: the figure and the empty window beside it.
class Figures
{
public:
    explicit Figures(benchmark::State &state)
        : m_state(state)
    {
    }
    ~Figures()
    {
        using benchmark::Counter;
        m_state.counters["empty_ms"] = Counter(m_emptyTotal * 1000, Counter::kAvgIterations);
        m_state.counters["x_empty"] = Counter(m_ratioTotal, Counter::kAvgIterations);
    }
    bool add(double seconds, double empty, bool shownRight)
    {
        if (seconds < 0 || !shownRight) {
            fail(m_state, seconds < 0 ? "the window was never painted" : "the wrong screen");
            return false;
        }
        m_state.SetIterationTime(seconds);
        m_emptyTotal += empty;
        m_ratioTotal += seconds / empty;
        return true;
    }

private:
    benchmark::State &m_state;
    double m_emptyTotal = 0;
    double m_ratioTotal = 0;
};

// The first 試験開始 of the process and its first picture, while the bank, the exam screen and
// the glyph caches are still cold (the menu has been shown, as at a real start).
struct ColdFigures
{
    double startTest = -1;
    double nextToPicture = -1;
    double openExplanation = -1;
};

ColdFigures g_cold;

frmSiken &reviewFirstQuestion();

// Measured once, before the first in-process benchmark warms anything.
void measureColdFigures()
{
    static bool measured = false;
    if (std::exchange(measured, true))
        return;
    ColdFigures &cold = g_cold;
    freshMenu();
    cold.startTest
        = timeUntilShown<frmSiken>([] { button(Screens::ifLoaded<frmMenu>(), "cmd1")->click(); });
    frmSiken &siken = *Screens::ifLoaded<frmSiken>();
    for (int i = 0; i < 3; ++i)
        timeUntilShown<frmSiken>([&] { siken.cmdNext_Click(); });
    cold.nextToPicture = timeUntilShown<frmSiken>([&] { button(&siken, "cmdNext")->click(); });
    frmSiken &reviewed = reviewFirstQuestion();
    cold.openExplanation
        = timeUntilShown<frmKaisetsu>([&] { button(&reviewed, "cmdKaisetsu")->click(); });
    Screens::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void StartTest(benchmark::State &state)
{
    measureColdFigures();
    Figures figures(state);
    for (auto _ : state) {
        freshMenu();
        const double empty = emptyWindowShown();
        const double shown = timeUntilShown<frmSiken>(
            [] { button(Screens::ifLoaded<frmMenu>(), "cmd1")->click(); });
        const frmSiken *siken = Screens::ifLoaded<frmSiken>();
        if (!figures.add(shown, empty, siken && header(*siken) == u"第51問"_s))
            break;
    }
}

// 次の問題＞ from question index from to the next, which must have a picture or not.
void next(benchmark::State &state, int from, bool picture)
{
    frmSiken &siken = startTest();
    for (int i = 0; i < from; ++i)
        timeUntilShown<frmSiken>([&] { siken.cmdNext_Click(); });
    if ((examPaper().Questions[std::size_t(from + 1)].PictureRef != nullptr) != picture) {
        fail(state, "the drawn question is not of the kind to be timed");
        return;
    }
    Figures figures(state);
    for (auto _ : state) {
        const double empty = emptyWindowShown();
        const double shown = timeUntilShown<frmSiken>([&] { button(&siken, "cmdNext")->click(); });
        if (!figures.add(shown, empty, header(siken) == u"第%1問"_s.arg(52 + from)))
            break;
        timeUntilShown<frmSiken>([&] { button(&siken, "cmdBefore")->click(); });
    }
}

void NextToPicture(benchmark::State &state)
{
    next(state, 3, true);
}

void NextToText(benchmark::State &state)
{
    next(state, 0, false);
}

void EndTest(benchmark::State &state)
{
    Figures figures(state);
    for (auto _ : state) {
        frmSiken &siken = startTest();
        const double empty = emptyWindowShown();
        const double shown
            = timeUntilShown<frmSeiseki>([&] { button(&siken, "cmdSyuuryou")->click(); });
        const frmSeiseki *results = Screens::ifLoaded<frmSeiseki>();
        if (!figures.add(shown, empty,
                results && !results->findChild<QLineEdit *>(u"txt4"_s)->text().isEmpty()))
            break;
    }
}

// The review of 第51問 after a test ended at once.
frmSiken &reviewFirstQuestion()
{
    frmSiken &siken = startTest();
    timeUntilShown<frmSeiseki>([&] { button(&siken, "cmdSyuuryou")->click(); });
    auto *label = Screens::ifLoaded<frmSeiseki>()->findChild<QWidget *>(u"Label17_0"_s);
    timeUntilShown<frmSiken>([&] {
        const QPointF centre(label->rect().center());
        QMouseEvent press(QEvent::MouseButtonPress, centre, label->mapToGlobal(centre),
            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, label->mapToGlobal(centre),
            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &press);
        QCoreApplication::sendEvent(label, &release);
    });
    return siken;
}

QString explanationHeader()
{
    const frmKaisetsu *kaisetsu = Screens::ifLoaded<frmKaisetsu>();
    return kaisetsu ? kaisetsu->findChild<QLabel *>(u"lblHeader"_s)->text() : QString();
}

void OpenExplanation(benchmark::State &state)
{
    measureColdFigures();
    frmSiken &siken = reviewFirstQuestion();
    Figures figures(state);
    for (auto _ : state) {
        const double empty = emptyWindowShown();
        const double shown
            = timeUntilShown<frmKaisetsu>([&] { button(&siken, "cmdKaisetsu")->click(); });
        if (!figures.add(shown, empty, explanationHeader().startsWith(u"第51問"_s)))
            break;
        Screens::unload<frmKaisetsu>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void NextExplained(benchmark::State &state)
{
    frmSiken &siken = reviewFirstQuestion();
    timeUntilShown<frmKaisetsu>([&] { button(&siken, "cmdKaisetsu")->click(); });
    Figures figures(state);
    for (auto _ : state) {
        const double empty = emptyWindowShown();
        const double shown
            = timeUntilShown<frmKaisetsu>([&] { button(&siken, "cmdNext")->click(); });
        if (!figures.add(shown, empty, explanationHeader().startsWith(u"第52問"_s)))
            break;
        timeUntilShown<frmKaisetsu>([&] { button(&siken, "cmdBefore")->click(); });
    }
}

void OpenChart(benchmark::State &state)
{
    frmSiken &siken = startTest();
    Figures figures(state);
    for (auto _ : state) {
        const double empty = emptyWindowShown();
        const double shown = timeUntilShown<frmKaizu>([&] { button(&siken, "cmdKaizu")->click(); });
        const frmKaizu *kaizu = Screens::ifLoaded<frmKaizu>();
        if (!figures.add(shown, empty, kaizu && kaizu->view()->chart()))
            break;
        Screens::unload<frmKaizu>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The chart window at 2560 × 1440 on 第51問 at a zoom: 1 has the whole chart in view (every mark,
// rose and figure painted, and a step larger still whole), 2 a part of it to pan across.
ChartView &largeChart(double zoom)
{
    frmSiken &siken = startTest();
    timeUntilShown<frmKaizu>([&] { button(&siken, "cmdKaizu")->click(); });
    frmKaizu &kaizu = *Screens::ifLoaded<frmKaizu>();
    kaizu.resize(2560, 1440);
    ChartView &view = *kaizu.view();
    view.setZoom(zoom, QRectF(view.viewport()->rect()).center());
    view.viewport()->repaint();
    return view;
}

// Times one frame of the view after change, and undoes it with back. The frame is the whole
// viewport repainted at once, more than the window system asks for after a pan or a moving item
// (the strip or the path alone): an upper bound.
template <class Change, class Back>
void frames(benchmark::State &state, ChartView &view, Change change, Back back)
{
    for (auto _ : state) {
        change();
        const auto start = std::chrono::steady_clock::now();
        view.viewport()->repaint();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        back();
        view.viewport()->repaint();
    }
    state.counters["viewport_px"] = double(view.viewport()->width() * view.viewport()->height());
}

void ChartPan(benchmark::State &state)
{
    ChartView &view = largeChart(2.0);
    QScrollBar *bar = view.horizontalScrollBar();
    frames(
        state, view, [&] { bar->setValue(bar->value() + 40); },
        [&] { bar->setValue(bar->value() - 40); });
}

void ChartZoom(benchmark::State &state)
{
    ChartView &view = largeChart(1.0);
    const QPointF centre = QRectF(view.viewport()->rect()).center();
    frames(
        state, view, [&] { view.setZoom(view.zoom() * 1.25, centre); },
        [&] { view.setZoom(view.zoom() / 1.25, centre); });
}

void ChartItemDrag(benchmark::State &state)
{
    ChartView &view = largeChart(2.0);
    auto *item = new QGraphicsRectItem(
        QRectF(view.mapToScene(view.viewport()->rect().center()), QSizeF(300, 40)));
    item->setZValue(10);
    item->setBrush(QColor(255, 255, 255, 160));
    view.scene()->addItem(item);
    frames(
        state, view, [&] { item->moveBy(5, 2); }, [&] { item->moveBy(-5, -2); });
}

// The offscreen platform cannot raise a window or take its size hints, and says so each time.
QtMessageHandler g_previousHandler = nullptr;
void quietAboutRaise(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtWarningMsg
        || (message != u"This plugin does not support raise()"_s
            && message != u"This plugin does not support propagateSizeHints()"_s))
        g_previousHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    g_previousHandler = qInstallMessageHandler(quietAboutRaise);
    QApplication application(argc, argv);
    applyProgramLook();
    Program program;
    // The first variant of every pool: 第52問 is text only and 第55問 has a picture.
    class FirstVariants final : public RandomSource
    {
        float next() override { return 0.0f; }
    } firstVariants;
    replaceProgramRandom(&firstVariants);
    setenv("TOVARIN_BENCH_PEAK", "1", 1); // for the processes it starts

    const int n = iterations();
    for (const auto &[name, function] :
        { std::pair { "Startup", &Startup }, std::pair { "PeakMemory", &PeakMemory } })
        benchmark::RegisterBenchmark(name, function)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(std::max(1, n / 2));
    for (const auto &[name, function] : { std::pair { "StartTest", &StartTest },
             std::pair { "NextToPicture", &NextToPicture }, std::pair { "NextToText", &NextToText },
             std::pair { "EndTest", &EndTest }, std::pair { "OpenExplanation", &OpenExplanation },
             std::pair { "NextExplained", &NextExplained }, std::pair { "OpenChart", &OpenChart },
             std::pair { "ChartPan", &ChartPan }, std::pair { "ChartZoom", &ChartZoom },
             std::pair { "ChartItemDrag", &ChartItemDrag } })
        benchmark::RegisterBenchmark(name, function)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(n);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_cold.startTest >= 0)
        std::printf("The first of the process, cold: StartTest %.2f ms, NextToPicture %.2f ms, "
                    "OpenExplanation %.2f ms\n",
            g_cold.startTest * 1000, g_cold.nextToPicture * 1000, g_cold.openExplanation * 1000);
    return g_failed ? 1 : 0;
}
