// An option button of a control array: the option buttons that share a container form one
// group in which at most one is selected. Unlike Qt's auto-exclusive radio buttons, the group
// can also have none selected: setSelected(false) clears a button even when it is the
// selected one. A click, or Space, selects the button (a click on the selected one keeps it
// selected). The whole rectangle the button is laid out on takes the click and shows the
// hover, not only its circle and caption, so that a click on the blank part of a choice's row
// to the right of its text selects it. The arrow keys select the previous (Up, Left) or next
// (Down, Right) button of the group in the order the buttons were made, round from the last to
// the first, and take the focus with them. Screen readers see each one as a radio button
// (AccessibleOptionButton).
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
    bool hitButton(const QPoint &pos) const override;
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void clearOthers(bool checked);
    QList<OptionButton *> group();
};

} // namespace tovarin
