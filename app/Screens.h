// The program's three screens, the review's explanation window and the chart window by name, the
// way the navigator calls them: Screens::frmSiken().Show(), Screens::frmSiken().iNumber = 0,
// Screens::unload(menu).
//
// A screen is loaded the first time it is used: its controls take their designed values, then
// its Form_Load runs, all before the window is shown. Showing a loaded screen, hidden or not,
// only makes it visible and brings it forward. Unloading hides it and forgets it, so that the
// next use loads it afresh. The object is destroyed by deferred deletion; while a Form_Load is
// letting waiting events through, even that is held back until the load has returned, so that
// a screen unloaded by such an event is never destroyed under a handler of its own that is
// still running.
#pragma once

#include "ui/chart/frmKaizu.h"
#include "ui/exam/frmSiken.h"
#include "ui/explanation/frmKaisetsu.h"
#include "ui/menu/frmMenu.h"
#include "ui/results/frmSeiseki.h"

#include <QPointer>

#include <functional>

namespace tovarin {

// What the program does with each window it makes, before the window's Form_Load runs: it
// connects the window's reports to the flow (app/Navigator). Installed by the program object.
class ScreenWiring
{
public:
    virtual ~ScreenWiring() = default;
    virtual void attach(frmMenu &menu) = 0;
    virtual void attach(frmSiken &siken) = 0;
    virtual void attach(frmSeiseki &seiseki) = 0;
    virtual void attach(frmKaisetsu &kaisetsu) = 0;
    virtual void attach(frmKaizu &kaizu) = 0;
};

class Screens
{
public:
    // The wiring every window made from now on gets; nullptr: none.
    static void setWiring(ScreenWiring *wiring);

    // The loaded screen, loaded first if it is not.
    static tovarin::frmMenu &frmMenu() { return load<tovarin::frmMenu>(); }
    static tovarin::frmSiken &frmSiken() { return load<tovarin::frmSiken>(); }
    static tovarin::frmSeiseki &frmSeiseki() { return load<tovarin::frmSeiseki>(); }
    static tovarin::frmKaisetsu &frmKaisetsu() { return load<tovarin::frmKaisetsu>(); }
    static tovarin::frmKaizu &frmKaizu() { return load<tovarin::frmKaizu>(); }

    // The loaded screen of that kind, or nullptr; asking loads nothing.
    template <class Screen> static Screen *ifLoaded() { return slot<Screen>().data(); }

    // Unloads the screen; a screen that is not loaded (any more) is left alone.
    static void unload(Form &form);
    template <class Screen> static void unload()
    {
        if (Screen *screen = ifLoaded<Screen>())
            unload(*screen);
    }

    // Ends the program at once: every window disappears and the event loop returns.
    static void endProgram();
    // What endProgram does once the windows are gone: QCoreApplication::exit(0). Tests put a
    // recorder in its place (an empty function restores it), since an application that has
    // been told to exit refuses to run any later event loop.
    static void replaceEventLoopExit(std::function<void()> exit);

    // Destroys every screen, loaded or waiting for deletion, at once. Only for the end of the
    // program and of a test, when no handler is running.
    static void unloadAll();

private:
    template <class Screen> static QPointer<Screen> &slot()
    {
        static QPointer<Screen> held;
        return held;
    }

    template <class Screen> static Screen &load()
    {
        QPointer<Screen> &held = slot<Screen>();
        if (held)
            return *held;
        auto *screen = new Screen;
        if (ScreenWiring *wiring = currentWiring())
            wiring->attach(*screen); // its reports are heard from its Form_Load on
        held = screen; // reachable by name while its Form_Load runs
        runFormLoad(*screen);
        return *screen; // still alive even if an event in Form_Load unloaded it
    }

    static void runFormLoad(Form &form);
    static ScreenWiring *currentWiring();
};

} // namespace tovarin
