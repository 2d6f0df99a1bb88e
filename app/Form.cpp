#include "Form.h"

#include "Look.h"
#include "Screens.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

namespace tovarin {
namespace {

Qt::WindowFlags windowFlagsFor(Form::BorderStyle border)
{
    const Qt::WindowFlags caption = Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    switch (border) {
    case Form::BorderStyle::FixedSingle:
        return Qt::Window | caption;
    case Form::BorderStyle::Sizable:
        return Qt::Window | caption | Qt::WindowMinimizeButtonHint;
    case Form::BorderStyle::FixedDialog:
        // Qt::Tool is the one kind of window that every platform keeps out of the task bar.
        return Qt::Tool | caption;
    }
    return Qt::Window | caption;
}

} // namespace

Form::Form(BorderStyle border, QSize clientSize)
    : QWidget(nullptr, windowFlagsFor(border))
{
    setWindowTitle(programCaption());
    setWindowIcon(programIcon());
    if (border == BorderStyle::Sizable)
        resize(clientSize);
    else
        setFixedSize(clientSize);
}

void Form::Show()
{
    if (!m_shownSinceLoad) {
        m_shownSinceLoad = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            setGeometry(QStyle::alignedRect(
                Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
        for (const QPointer<QWidget> &control : std::as_const(m_tabOrder)) {
            if (control && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus)) {
                control->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    show();
    raise();
    activateWindow();
}

void Form::Unload()
{
    Screens::unload(*this);
}

void Form::setTabOrder(std::initializer_list<QWidget *> controls)
{
    m_tabOrder.clear();
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        m_tabOrder.append(control);
        previous = control;
    }
}

void Form::closeEvent(QCloseEvent *event)
{
    event->ignore();
    closeBoxPressed();
}

} // namespace tovarin
