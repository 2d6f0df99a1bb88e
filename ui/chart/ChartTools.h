// The examination's plotting tools on a chart view: a pair of set squares (三角定規), the dividers
// (デバイダー), the drawing compass (コンパス), the pencil (鉛筆) and the eraser (消しゴム), with
// undo, redo and clearing, and the numeric readouts (数値表示) for the window's status line.
//
// The chart window makes one over its view and the chart's projection, puts toolBar() and
// statusText() on screen, and hands over each chart question's drawing (setDrawing/drawing);
// the drawing lives in memory only. The instruments and the drawing are items of the view's scene
// at z 10 and above, in chart coordinates (scene coordinates are chart::ChartXY). Left-drags on
// the view and keys on it belong to the tool in hand (an event filter on the view); the middle
// button and space + drag are left to the view for panning. Each drag, tap or run of key presses
// is one step of the undo stack; a drag in progress changes nothing until it is released, so a
// drag cut short (putDown, Escape, the window hidden) leaves nothing behind.
//
// Keys while the view has the focus (the buttons carry their own shortcuts, 1 to 5, Ctrl+Z,
// Ctrl+Y, Ctrl+Delete and N):
//   arrows        move the tool in hand (Ctrl: fine steps); with Shift, the set square slides
//                 along the other square, the dividers and the compass move their second point
//   R, Shift+R    turn the set square 1° clockwise, anticlockwise (Ctrl: 0.1°)
//   F, T          turn the set square over; take the other set square in hand
//   S, Shift+S    step the dividers forward, back
//   Enter         the compass draws its circle; the pencil marks a point (then its label);
//                 the eraser erases under its cross
//   L             the pencil starts a line at its cross, and ends it there at the second press
//   Escape        cancels a drag in progress, or puts the tool down
#pragma once

#include "chart/Mercator.h"
#include "ui/chart/ChartDrawing.h"
#include "ui/chart/ChartStep.h"
#include "ui/chart/ToolPlacement.h"

#include <QLineF>
#include <QObject>
#include <QPointer>
#include <QRectF>

#include <array>
#include <optional>

class QAction;
class QActionGroup;
class QGraphicsScene;
class QGraphicsView;
class QKeyEvent;
class QLineEdit;
class QToolBar;
class QUndoStack;

namespace tovarin {

class DrawingItem;
class LegsItem;
class SetSquareItem;

class ChartTools final : public QObject
{
    Q_OBJECT

public:
    enum class Tool { None, SetSquare, Dividers, Compass, Pencil, Eraser };

    // view: its scene holds the chart at z 0 in chart coordinates (a view without a scene gets
    // an empty one). variationDegrees: the chart's variation, east positive (6°W is -6).
    ChartTools(QGraphicsView *view, const chart::Mercator &projection, double variationDegrees,
        QObject *parent = nullptr);
    ~ChartTools() override;

    // The buttons, for the window to lay out; ChartTools deletes it with itself.
    QWidget *toolBar() const;

    // What the readouts show now; empty when 数値表示 is off.
    QString statusText() const;

    // Replaces the drawing on the chart (another question's), forgetting the undo history.
    void setDrawing(const ChartDrawing &drawing);
    ChartDrawing drawing() const { return m_drawing; }

    // Lays down the tool in hand, cancelling a drag in progress; a point waiting for its label
    // keeps the label typed so far.
    void putDown();

    void setReadoutsOn(bool on);
    bool readoutsOn() const { return m_readoutsOn; }

    Tool tool() const { return m_tool; }
    void takeUp(Tool tool);
    int heldSquare() const { return m_held; }
    QUndoStack *undoStack() const { return m_undo; }
    ToolPlacement placement() const { return m_tools; }
    // Lays the instruments as given, outside the undo history.
    void setPlacement(const ToolPlacement &placement);

Q_SIGNALS:
    void statusChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Drag {
        None,
        MoveSquare,
        SlideSquare,
        TurnSquare,
        DividerA,
        DividerB,
        DividersWhole,
        CompassWhole,
        CompassOpen,
        CompassSweep,
        PencilLine,
    };

    void makeToolBar();
    ChartState state() const { return { m_drawing, m_tools }; }
    void applyState(const ChartState &state, int parts);
    void syncItems();
    void push(const QString &text, const ChartState &before, int parts, int keyRun = -1);
    void showInstrument(Tool tool);
    QRectF shownArea() const; // what the view shows, in chart coordinates
    std::optional<QLineF> keyLine() const; // a line begun from the keyboard, to the cross

    double pixel() const; // chart units in one pixel of the view
    QPointF withinReach(QPointF p) const;
    std::optional<QLineF> edgeNear(QPointF p) const;

    bool mousePress(QPointF p, Qt::KeyboardModifiers modifiers);
    void mouseMove(QPointF p);
    void mouseRelease(QPointF p);
    bool doubleClick(QPointF p, Qt::KeyboardModifiers modifiers);
    void finishDrag();
    void cancelDrag();

    bool keyPress(QKeyEvent *event);
    void keyMove(int parts, const QString &text, const ToolPlacement &moved);
    void moveCursor(QPointF by);
    void stepDividers(bool forward);
    void drawCircle();
    void eraseAt(QPointF p);
    void addLine(QPointF from, QPointF to);

    void startLabel(QPointF at);
    void commitLabel();
    void cancelLabel();

    void undo();
    void redo();
    void clearAll();
    void updateStatus();

    // The view, or nullptr once it is gone or only being destroyed: held as a QWidget, since events
    // still reach the filters while the view's destructor runs, when it is a QGraphicsView no more.
    QGraphicsView *view() const;
    QPointer<QWidget> m_viewWidget;
    QPointer<QGraphicsScene> m_scene;
    chart::Mercator m_projection;
    double m_variation;
    QRectF m_area; // the chart's area
    QRectF m_reach; // where instruments may go: the area and its border scales

    QUndoStack *m_undo;
    QPointer<QToolBar> m_toolBar;
    QActionGroup *m_toolGroup = nullptr;
    std::array<QAction *, 6> m_toolActions {}; // by Tool
    QAction *m_readoutsAction = nullptr;

    std::array<SetSquareItem *, 2> m_squares {};
    LegsItem *m_dividers = nullptr;
    LegsItem *m_compass = nullptr;
    DrawingItem *m_drawingItem = nullptr;

    ChartDrawing m_drawing;
    ToolPlacement m_tools;
    bool m_squaresShown = false, m_dividersShown = false, m_compassShown = false;
    Tool m_tool = Tool::None;
    int m_held = 0; // the set square in hand
    bool m_dividerLeadIsB = true; // which point of the dividers leads when they are stepped

    Drag m_drag = Drag::None;
    ChartState m_dragBefore;
    QPointF m_grab; // where the drag began
    QPointF m_last; // where the pointer was last in the drag
    double m_turned = 0.0; // a turn or sweep so far, clockwise degrees
    std::optional<QLineF> m_snapEdge; // the set square edge a pencil line runs along
    QPointF m_lineStart;

    int m_keyRun = 0; // key presses of one run merge into one undo step
    int m_keyRunParts = 0;
    std::optional<QPointF> m_pointer; // under the mouse, in chart coordinates
    QPointF m_cursor; // the pencil's and eraser's cross, moved by keys
    bool m_cursorShown = false;
    std::optional<QPointF> m_lineAnchor; // a line begun from the keyboard
    bool m_spaceHeld = false;

    QPointer<QLineEdit> m_labelEdit;
    std::optional<QPointF> m_pendingPoint;

    bool m_readoutsOn = true;
    QString m_status;
};

} // namespace tovarin
