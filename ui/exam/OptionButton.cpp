#include "ui/exam/OptionButton.h"

#include "ui/exam/AccessibleOptionButton.h"

#include <QKeyEvent>

namespace tovarin {
namespace {

// -1 for the previous button, +1 for the next, 0 for a key that is not an arrow key.
int arrowStep(int key, Qt::LayoutDirection direction)
{
    const int forward = direction == Qt::RightToLeft ? -1 : 1;
    switch (key) {
    case Qt::Key_Up:
        return -1;
    case Qt::Key_Down:
        return 1;
    case Qt::Key_Left:
        return -forward;
    case Qt::Key_Right:
        return forward;
    default:
        return 0;
    }
}

} // namespace

OptionButton::OptionButton(QWidget *container)
    : QRadioButton(container)
{
    installAccessibleOptionButtons();
    setAutoExclusive(false);
    connect(this, &QAbstractButton::toggled, this, &OptionButton::clearOthers);
}

// Qt's radio button answers only on its circle and caption; QRadioButton's hover follows the
// same test, so both now cover the laid-out rectangle.
bool OptionButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void OptionButton::nextCheckState()
{
    setChecked(true);
}

// Qt moves the focus along the tab order on an arrow key of a button that is not auto-exclusive;
// here the arrow keys walk the group instead, selecting as they go and round the ends, as radio
// groups do on most desktops, also when the group shows no selection yet.
void OptionButton::keyPressEvent(QKeyEvent *event)
{
    const int step = arrowStep(event->key(), layoutDirection());
    if (step == 0) {
        QRadioButton::keyPressEvent(event);
        return;
    }
    // With Shift, Ctrl or Alt an arrow key is not the candidate's move among the choices; Qt
    // would move the focus along the tab order without selecting.
    if (event->modifiers() & ~Qt::KeypadModifier) {
        event->ignore();
        return;
    }
    const QList<OptionButton *> buttons = group();
    const qsizetype count = buttons.size();
    qsizetype at = buttons.indexOf(this);
    for (qsizetype tried = 0; tried < count; ++tried) {
        at = (at + step + count) % count;
        OptionButton *target = buttons.at(at);
        if (target->isEnabled() && target->isVisibleTo(parentWidget())) {
            target->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            target->click(); // selects it, the way a click of the mouse does
            break;
        }
    }
    event->accept();
}

void OptionButton::clearOthers(bool checked)
{
    if (!checked || !parentWidget())
        return;
    for (OptionButton *other : group())
        if (other != this)
            other->setChecked(false);
}

QList<OptionButton *> OptionButton::group()
{
    if (!parentWidget())
        return { this };
    return parentWidget()->findChildren<OptionButton *>(Qt::FindDirectChildrenOnly);
}

} // namespace tovarin
