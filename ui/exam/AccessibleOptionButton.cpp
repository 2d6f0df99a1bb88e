#include "ui/exam/AccessibleOptionButton.h"

#include "ui/exam/OptionButton.h"

using namespace Qt::Literals::StringLiterals;

namespace tovarin {
namespace {

QAccessibleInterface *optionButtonFactory(const QString &className, QObject *object)
{
    if (className == u"tovarin::OptionButton"_s && object && object->isWidgetType())
        return new AccessibleOptionButton(static_cast<OptionButton *>(object));
    return nullptr;
}

// The caption as it reads: "&&" is a literal ampersand, a single "&" only marks a shortcut.
QString withoutShortcutMarks(const QString &caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        text.append(caption.at(i));
    }
    return text;
}

} // namespace

AccessibleOptionButton::AccessibleOptionButton(OptionButton *button)
    : QAccessibleWidget(button, QAccessible::RadioButton)
{
}

OptionButton *AccessibleOptionButton::button() const
{
    return static_cast<OptionButton *>(widget());
}

QAccessible::State AccessibleOptionButton::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button()->isSelected();
    state.pressed = button()->isDown();
    return state;
}

QString AccessibleOptionButton::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = button()->accessibleName();
        return name.isEmpty() ? withoutShortcutMarks(button()->text()) : name;
    }
    return QAccessibleWidget::text(t);
}

QStringList AccessibleOptionButton::actionNames() const
{
    QStringList names;
    if (button()->isEnabled())
        names << toggleAction();
    return names + QAccessibleWidget::actionNames();
}

void AccessibleOptionButton::doAction(const QString &actionName)
{
    if (actionName == toggleAction() || actionName == pressAction()) {
        if (button()->isEnabled())
            button()->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

void installAccessibleOptionButtons()
{
    static const bool installed = [] {
        QAccessible::installFactory(optionButtonFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tovarin
