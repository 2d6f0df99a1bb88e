// The review under a real X11 window manager (run by UnderWindowManager.sh on its own Xvfb
// display): the stacking order is the one the window manager reports in
// _NET_CLIENT_LIST_STACKING. A click on a question number brings the exam screen in front of
// the results, also after the results were put in front; "試験終了" brings the results back;
// the results stay out of the task bar throughout.

#include "tests/ui/ScreenTestSupport.h"
#include "ui/results/IndexedLabel.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

constexpr int timeoutMs = 5000;

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow()
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root;
}

xcb_atom_t atom(const char *name)
{
    auto *reply = xcb_intern_atom_reply(connection(),
        xcb_intern_atom(connection(), 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t { XCB_ATOM_NONE };
    std::free(reply);
    return found;
}

// A property of 32-bit values (window ids or atoms), empty if the window has none.
std::vector<std::uint32_t> windowProperty(xcb_window_t window, const char *name, xcb_atom_t type)
{
    std::vector<std::uint32_t> values;
    auto *reply = xcb_get_property_reply(connection(),
        xcb_get_property(connection(), 0, window, atom(name), type, 0, 4096), nullptr);
    if (reply && reply->type == type && reply->format == 32) {
        const auto *data = static_cast<const std::uint32_t *>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

// The program's screens on view as the window manager stacks them, bottom to top, by name.
QStringList stacking()
{
    QCoreApplication::processEvents();
    const std::vector<std::uint32_t> clients
        = windowProperty(rootWindow(), "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW);
    QStringList names;
    for (const std::uint32_t client : clients) {
        for (Form *form : std::initializer_list<Form *> { Screens::ifLoaded<frmMenu>(),
                 Screens::ifLoaded<frmSiken>(), Screens::ifLoaded<frmSeiseki>() }) {
            if (form && form->internalWinId() == client)
                names << QString::fromLatin1(form->metaObject()->className()).section(u':', -1);
        }
    }
    return names;
}

bool managed(const QWidget &window)
{
    QCoreApplication::processEvents();
    const std::vector<std::uint32_t> clients
        = windowProperty(rootWindow(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    return std::find(clients.begin(), clients.end(), window.internalWinId()) != clients.end();
}

// What the X server and the window manager know of a screen, for a failure's message.
QByteArray describe(const QWidget &window)
{
    const auto id = static_cast<xcb_window_t>(window.internalWinId());
    auto *attributes = xcb_get_window_attributes_reply(
        connection(), xcb_get_window_attributes(connection(), id), nullptr);
    const int mapState = attributes ? attributes->map_state : -1;
    std::free(attributes);
    QStringList clients;
    for (const std::uint32_t client :
        windowProperty(rootWindow(), "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW))
        clients << QString::number(client, 16);
    return QStringLiteral("window %1 map state %2 WM_STATE %3 visible %4; stacking %5")
        .arg(QString::number(id, 16))
        .arg(mapState)
        .arg(windowProperty(id, "WM_STATE", atom("WM_STATE")).size())
        .arg(window.isVisible())
        .arg(clients.join(u' '))
        .toUtf8();
}

bool hasState(const QWidget *window, const char *state)
{
    const std::vector<std::uint32_t> states = windowProperty(
        static_cast<xcb_window_t>(window->winId()), "_NET_WM_STATE", XCB_ATOM_ATOM);
    return std::find(states.begin(), states.end(), atom(state)) != states.end();
}

// Asks the window manager to activate the window the way a task switcher or a click on its
// frame does (source 2: the user's own request), which raises it.
void activateAsTheUserDoes(const QWidget *window)
{
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window->winId());
    event.type = atom("_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2;
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection(), 0, rootWindow(),
        XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
        reinterpret_cast<const char *>(&event));
    xcb_flush(connection());
}

void clickNumber(const frmSeiseki &results, int index)
{
    QTest::mouseClick(
        results.findChild<IndexedLabel *>(u"Label17_%1"_s.arg(index)), Qt::LeftButton);
}

} // namespace

class WindowStackingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(connection(), "runs on the xcb platform only (UnderWindowManager.sh)");
        applyProgramLook();
        // The window manager is ready once it manages a new window. One mapped while it was
        // still starting can be missed for good, so a fresh probe is mapped every half second
        // until then (a fresh one: a hidden window could still be mapped late by a request the
        // window manager had not handled yet).
        bool ready = false;
        for (int attempt = 0; attempt < 20 && !ready; ++attempt) {
            QWidget probe;
            probe.show();
            ready = QTest::qWaitFor([&] { return managed(probe); }, 500);
        }
        QVERIFY2(ready, "no window manager took a new window within 10 s");
        QTRY_VERIFY_WITH_TIMEOUT(
            windowProperty(rootWindow(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW).empty(), timeoutMs);
    }
    void init() { startFresh(); }
    void cleanup() { unloadEverything(); }

    void reviewBringsTheExamScreenInFrontOfTheResults()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        QTRY_VERIFY2_WITH_TIMEOUT(
            stacking() == QStringList { u"frmSiken"_s }, describe(siken).constData(), timeoutMs);
        click(&siken, "cmdSyuuryou");
        frmSeiseki &results = *Screens::ifLoaded<frmSeiseki>();
        QTRY_COMPARE_WITH_TIMEOUT(stacking(), QStringList { u"frmSeiseki"_s }, timeoutMs);
        QVERIFY(hasState(&results, "_NET_WM_STATE_SKIP_TASKBAR"));

        const QStringList examInFront { u"frmSeiseki"_s, u"frmSiken"_s };
        const QStringList resultsInFront { u"frmSiken"_s, u"frmSeiseki"_s };
        clickNumber(results, 4);
        QTRY_COMPARE_WITH_TIMEOUT(stacking(), examInFront, timeoutMs);
        QCOMPARE(control<QGroupBox>(&siken, "Frame2")->title(), u"第55問"_s);
        QVERIFY(hasState(&results, "_NET_WM_STATE_SKIP_TASKBAR"));
        QVERIFY(!hasState(&siken, "_NET_WM_STATE_SKIP_TASKBAR"));

        // The candidate puts the results in front, then opens another question from them.
        activateAsTheUserDoes(&results);
        QTRY_COMPARE_WITH_TIMEOUT(stacking(), resultsInFront, timeoutMs);
        clickNumber(results, 5);
        QTRY_COMPARE_WITH_TIMEOUT(stacking(), examInFront, timeoutMs);

        click(&siken, "cmdSyuuryou");
        QTRY_COMPARE_WITH_TIMEOUT(stacking(), QStringList { u"frmSeiseki"_s }, timeoutMs);
        QVERIFY(hasState(&results, "_NET_WM_STATE_SKIP_TASKBAR"));
    }
};

QTEST_MAIN(WindowStackingTest)
#include "WindowStackingTest.moc"
