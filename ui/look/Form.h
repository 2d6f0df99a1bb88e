// Base of the program's windows (the menu, the exam screen, the results and the explanation): a
// top-level window with the program's caption and icon and a client area of the designed size.
// The program loads and unloads it and decides what follows its buttons; a window itself only
// reports what happened.
#pragma once

#include <QList>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <initializer_list>

namespace tovarin {

class Form : public QWidget
{
    Q_OBJECT

public:
    // FixedSingle: not resizable, no minimise or maximise button. Sizable: resizable, minimise
    // button only. FixedDialog: not resizable, no minimise or maximise button, no task-bar entry.
    enum class BorderStyle { FixedSingle, Sizable, FixedDialog };

    // Makes the loaded screen visible and brings it to the front. The first showing after a
    // load also centres it on the screen and gives the focus to the first control of the tab
    // order that can take it.
    void Show();
    // The same, but the first showing after a load gives the client area the given size and puts
    // the window's frame (its top left corner) at the given point instead of centring it.
    void Show(QPoint framePosition, QSize clientSize);

    // Runs Form_Load: the program calls it once for each load, after the controls have their
    // designed values and before the window is first shown.
    void load() { Form_Load(); }

protected:
    Form(BorderStyle border, QSize clientSize);

    // Runs once for each load, after the controls have their designed values and before the
    // window is first shown.
    virtual void Form_Load() { }

    // The focus order of the controls, first to last.
    void setTabOrder(std::initializer_list<QWidget *> controls);

    // What the window's close box (or the window manager's close, Alt+F4 and the like) does:
    // each screen has its own rule, and none leaves the program without a window on view.
    virtual void closeBoxPressed() = 0;

    // Runs closeBoxPressed and refuses the close itself, so that the windows are shown and
    // hidden by the screens' rules alone, and Qt never takes a hidden window for the last one
    // and ends the program behind them.
    void closeEvent(QCloseEvent *event) override;

    // Enter and Return, which a command button leaves alone, press the focused command button.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Show and Show(position, size): the first showing after a load places the window (at
    // framePosition with clientSize, or centred) and gives the focus to the first control.
    void showPlaced(const QPoint *framePosition, QSize clientSize);

    BorderStyle m_border;
    bool m_shownSinceLoad = false;
    QList<QPointer<QWidget>> m_tabOrder;
};

} // namespace tovarin
