#include "ui/look/Form.h"

#include "ui/look/Look.h"
#include "ui/look/TaskBar.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
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
        // An ordinary window, kept out of the task bar by keepOutOfTaskBar when it is shown: a
        // Qt::Tool window would stay above the other screens under some window managers.
        return Qt::Window | caption;
    }
    return Qt::Window | caption;
}

// Qt presents a top-level QWidget as a client area without a role of its own; a screen reader
// then does not take the screens for windows. Each is a window named by its caption.
QAccessibleInterface *formFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("tovarin::Form") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

Form::Form(BorderStyle border, QSize clientSize)
    : QWidget(nullptr, windowFlagsFor(border))
    , m_border(border)
{
    static const bool accessibleAsWindows = [] {
        QAccessible::installFactory(formFactory);
        return true;
    }();
    Q_UNUSED(accessibleAsWindows);
    setWindowTitle(programCaption());
    setWindowIcon(programIcon());
    if (border == BorderStyle::Sizable)
        resize(clientSize);
    else
        setFixedSize(clientSize);
}

void Form::Show()
{
    showPlaced(nullptr, size());
}

void Form::Show(QPoint framePosition, QSize clientSize)
{
    showPlaced(&framePosition, clientSize);
}

void Form::showPlaced(const QPoint *framePosition, QSize clientSize)
{
    if (!m_shownSinceLoad) {
        m_shownSinceLoad = true;
        if (framePosition) {
            resize(clientSize); // move() places a window by its frame
            move(*framePosition);
        } else if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            setGeometry(QStyle::alignedRect(
                Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
        }
        for (const QPointer<QWidget> &control : std::as_const(m_tabOrder)) {
            if (control && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus)) {
                control->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    if (m_border == BorderStyle::FixedDialog)
        keepOutOfTaskBar(*this);
    show();
    raise();
    activateWindow();
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

void Form::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto *button = qobject_cast<QPushButton *>(focusWidget());
        if (button && button->isEnabled() && button->isVisible()) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void Form::closeEvent(QCloseEvent *event)
{
    event->ignore();
    closeBoxPressed();
}

} // namespace tovarin
