#include "OptionButton.h"

namespace tovarin {

OptionButton::OptionButton(QWidget *container)
    : QRadioButton(container)
{
    setAutoExclusive(false);
    connect(this, &QAbstractButton::toggled, this, &OptionButton::clearOthers);
}

void OptionButton::nextCheckState()
{
    setChecked(true);
}

void OptionButton::clearOthers(bool checked)
{
    if (!checked || !parentWidget())
        return;
    const auto group = parentWidget()->findChildren<OptionButton *>(Qt::FindDirectChildrenOnly);
    for (OptionButton *other : group)
        if (other != this)
            other->setChecked(false);
}

} // namespace tovarin
