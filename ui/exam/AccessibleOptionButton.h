// What assistive technology (AT-SPI on Linux) sees of an OptionButton: a radio button named by
// its caption, checkable, checked while selected, with one action that selects it as a click
// does. Qt would present a radio button that is not auto-exclusive as a check box, which tells
// a screen-reader user neither that the four choices exclude one another nor that a second
// press keeps the choice.
#pragma once

#include <QAccessibleWidget>

namespace tovarin {

class OptionButton;

class AccessibleOptionButton : public QAccessibleWidget
{
public:
    explicit AccessibleOptionButton(OptionButton *button);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    OptionButton *button() const;
};

// Makes Qt use AccessibleOptionButton for every OptionButton; the first OptionButton made calls
// it, later calls do nothing.
void installAccessibleOptionButtons();

} // namespace tovarin
