// An option button of a control array: the option buttons that share a container form one
// group in which at most one is selected. Unlike Qt's auto-exclusive radio buttons, the group
// can also have none selected: setSelected(false) clears a button even when it is the
// selected one. A click selects the button (a click on the selected one keeps it selected).
#pragma once

#include <QRadioButton>

namespace tovarin {

class OptionButton : public QRadioButton
{
    Q_OBJECT

public:
    explicit OptionButton(QWidget *container);

    bool isSelected() const { return isChecked(); }
    // Selecting clears the other option buttons of the container.
    void setSelected(bool selected) { setChecked(selected); }

protected:
    void nextCheckState() override;

private:
    void clearOthers(bool checked);
};

} // namespace tovarin
