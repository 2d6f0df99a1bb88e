#include "app/Screens.h"

#include <QCoreApplication>
#include <QList>

#include <utility>

namespace tovarin {
namespace {

int g_loadDepth = 0; // Form_Load calls in progress
QList<QPointer<Form>> g_unloaded; // unloaded, not yet destroyed
QList<QPointer<Form>> g_heldBack; // unloaded during a Form_Load: deleteLater() still to come
std::function<void()> g_exitReplacement;
ScreenWiring *g_wiring = nullptr;

template <class Screen> bool forget(QPointer<Screen> &held, const Form &form)
{
    if (held.data() != &form)
        return false;
    held.clear();
    return true;
}

} // namespace

void Screens::setWiring(ScreenWiring *wiring)
{
    g_wiring = wiring;
}

ScreenWiring *Screens::currentWiring()
{
    return g_wiring;
}

void Screens::runFormLoad(Form &form)
{
    struct LoadInProgress
    {
        LoadInProgress() { ++g_loadDepth; }
        ~LoadInProgress()
        {
            if (--g_loadDepth > 0)
                return;
            // Posted here, in the caller of the load, the deletion waits until that caller's own
            // handler has returned to the event loop.
            const QList<QPointer<Form>> heldBack = std::exchange(g_heldBack, {});
            for (const QPointer<Form> &unloaded : heldBack)
                if (unloaded)
                    unloaded->deleteLater();
        }
    } inProgress;
    form.load();
}

void Screens::unload(Form &form)
{
    const bool wasLoaded = forget(slot<tovarin::frmMenu>(), form)
        || forget(slot<tovarin::frmSiken>(), form) || forget(slot<tovarin::frmSeiseki>(), form)
        || forget(slot<tovarin::frmKaisetsu>(), form) || forget(slot<tovarin::frmKaizu>(), form);
    if (!wasLoaded)
        return;
    form.hide();
    g_unloaded.removeAll(nullptr);
    g_unloaded.append(&form);
    if (g_loadDepth > 0)
        g_heldBack.append(&form);
    else
        form.deleteLater();
}

void Screens::endProgram()
{
    for (Form *form : { static_cast<Form *>(ifLoaded<tovarin::frmMenu>()),
             static_cast<Form *>(ifLoaded<tovarin::frmSiken>()),
             static_cast<Form *>(ifLoaded<tovarin::frmSeiseki>()),
             static_cast<Form *>(ifLoaded<tovarin::frmKaisetsu>()),
             static_cast<Form *>(ifLoaded<tovarin::frmKaizu>()) })
        if (form)
            form->hide();
    if (g_exitReplacement)
        g_exitReplacement();
    else
        QCoreApplication::exit(0);
}

void Screens::replaceEventLoopExit(std::function<void()> exit)
{
    g_exitReplacement = std::move(exit);
}

void Screens::unloadAll()
{
    QList<QPointer<Form>> all = std::exchange(g_unloaded, {});
    g_heldBack.clear();
    all.append(slot<tovarin::frmMenu>().data());
    all.append(slot<tovarin::frmSiken>().data());
    all.append(slot<tovarin::frmSeiseki>().data());
    all.append(slot<tovarin::frmKaisetsu>().data());
    all.append(slot<tovarin::frmKaizu>().data());
    slot<tovarin::frmMenu>().clear();
    slot<tovarin::frmSiken>().clear();
    slot<tovarin::frmSeiseki>().clear();
    slot<tovarin::frmKaisetsu>().clear();
    slot<tovarin::frmKaizu>().clear();
    for (const QPointer<Form> &form : all)
        delete form.data();
}

} // namespace tovarin
