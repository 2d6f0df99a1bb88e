#include "ui/chart/ChartTools.h"

#include "chart/PlotGeometry.h"
#include "chart/Readout.h"
#include "ui/chart/DrawingItem.h"
#include "ui/chart/LegsItem.h"
#include "ui/chart/SetSquareItem.h"

#include <QAction>
#include <QActionGroup>
#include <QFocusEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace tovarin {
namespace {

chart::ChartXY xy(QPointF p)
{
    return { p.x(), p.y() };
}
QPointF qt(chart::ChartXY p)
{
    return { p.x, p.y };
}

constexpr double grabPixels = 7.0; // how near the pointer must be to take an instrument's part
constexpr double clickPixels = 3.0; // a pencil drag shorter than this is a tap: a point
constexpr double coarsePixels = 10.0, finePixels = 1.0; // one arrow key's step on screen

int toolIndex(ChartTools::Tool tool)
{
    return static_cast<int>(tool);
}

} // namespace

ChartTools::ChartTools(QGraphicsView *view, const chart::Mercator &projection,
    double variationDegrees, QObject *parent)
    : QObject(parent)
    , m_viewWidget(view)
    , m_scene(view->scene() ? view->scene() : new QGraphicsScene(view))
    , m_projection(projection)
    , m_variation(variationDegrees)
    , m_area(0, 0, projection.width(), projection.height())
    , m_undo(new QUndoStack(this))
{
    if (!view->scene())
        view->setScene(m_scene);
    // Instruments may reach a little past the area, to the graduated border around it.
    const double margin = 0.08 * std::max(m_area.width(), m_area.height());
    m_reach = m_area.adjusted(-margin, -margin, margin, margin);

    const double w = m_area.width();
    m_squares[0] = new SetSquareItem(SetSquareItem::Shape::FortyFive, 0.5 * w);
    m_squares[1] = new SetSquareItem(SetSquareItem::Shape::ThirtySixty, 0.6 * w);
    m_dividers = new LegsItem(LegsItem::Kind::Dividers);
    m_compass = new LegsItem(LegsItem::Kind::Compass);
    m_drawingItem = new DrawingItem(m_reach.adjusted(-100, -100, 100, 100));
    for (QGraphicsItem *item : std::initializer_list<QGraphicsItem *> {
             m_squares[0], m_squares[1], m_dividers, m_compass }) {
        item->setVisible(false);
        m_scene->addItem(item);
    }
    m_scene->addItem(m_drawingItem);
    connect(m_scene, &QObject::destroyed, this, [this] {
        // The scene took its items with it.
        m_squares = {};
        m_dividers = m_compass = nullptr;
        m_drawingItem = nullptr;
    });

    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    view->viewport()->setMouseTracking(true);

    makeToolBar();
    syncItems();
}

ChartTools::~ChartTools()
{
    if (view()) {
        view()->removeEventFilter(this);
        view()->viewport()->removeEventFilter(this);
    }
    if (m_labelEdit) {
        // Its last editing-finished must not reach a half-destroyed ChartTools.
        disconnect(m_labelEdit, nullptr, this, nullptr);
        delete m_labelEdit;
    }
    delete m_toolBar;
    if (m_scene) {
        delete m_squares[0];
        delete m_squares[1];
        delete m_dividers;
        delete m_compass;
        delete m_drawingItem;
    }
}

void ChartTools::makeToolBar()
{
    m_toolBar = new QToolBar;
    m_toolBar->setObjectName("tbrChartTools");
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolGroup = new QActionGroup(this);
    m_toolGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);

    struct ToolButton
    {
        Tool tool;
        const char *text;
        const char *name;
        const char *key;
        const char *tip;
    };
    const ToolButton tools[] = {
        { Tool::SetSquare, "三角定規", "cmdSetSquare", "1",
            "本体をドラッグして動かす（Shiftでもう一方の定規に沿って平行移動）、つまみで回す。"
            "矢印キーで移動、R・Shift+Rで1°回す（Ctrlで0.1°）、Fで裏返す、Tで持ち替え" },
        { Tool::Dividers, "デバイダー", "cmdDividers", "2",
            "針先をドラッグして開く、脚をドラッグしてそのまま運ぶ。"
            "矢印キーで移動（Shiftで片方の針先）、S・Shift+Sで歩ませる" },
        { Tool::Compass, "コンパス", "cmdCompass", "3",
            "針をドラッグして運ぶ、脚をドラッグして開く、鉛筆をドラッグして円弧を描く。"
            "矢印キーで移動（Shiftで鉛筆）、Enterで円" },
        { Tool::Pencil, "鉛筆", "cmdPencil", "4",
            "ドラッグで線（三角定規の縁の近くから引くと縁に沿う）、クリックで点と記号。"
            "矢印キーで十字を動かし、Lで線の始点・終点、Enterで点" },
        { Tool::Eraser, "消しゴム", "cmdEraser", "5",
            "クリックした線・点・円を一つ消す。矢印キーで十字を動かし、Enterで消す" },
    };
    for (const ToolButton &t : tools) {
        QAction *action = m_toolBar->addAction(QString::fromUtf8(t.text));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(QString::fromLatin1(t.key)));
        action->setToolTip(
            QString::fromUtf8(t.text) + "（" + t.key + "）：" + QString::fromUtf8(t.tip));
        action->setData(toolIndex(t.tool));
        m_toolGroup->addAction(action);
        m_toolActions[toolIndex(t.tool)] = action;
        m_toolBar->widgetForAction(action)->setObjectName(t.name);
    }
    connect(m_toolGroup, &QActionGroup::triggered, this, [this](QAction *action) {
        takeUp(action->isChecked() ? static_cast<Tool>(action->data().toInt()) : Tool::None);
    });
    m_toolBar->addSeparator();

    const auto button = [this](const char *text, const char *name, QKeySequence key) {
        QAction *action = m_toolBar->addAction(QString::fromUtf8(text));
        action->setShortcut(key);
        action->setToolTip(
            QString::fromUtf8(text) + "（" + key.toString(QKeySequence::NativeText) + "）");
        m_toolBar->widgetForAction(action)->setObjectName(name);
        return action;
    };
    QAction *undoAction = button("元に戻す", "cmdUndo", QKeySequence::Undo);
    connect(undoAction, &QAction::triggered, this, &ChartTools::undo);
    QAction *redoAction = button("やり直し", "cmdRedo", QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(redoAction, &QAction::triggered, this, &ChartTools::redo);
    connect(m_undo, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
    connect(m_undo, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    undoAction->setEnabled(false);
    redoAction->setEnabled(false);
    QAction *clearAction
        = button("全部消す", "cmdClearAll", QKeySequence(Qt::CTRL | Qt::Key_Delete));
    connect(clearAction, &QAction::triggered, this, &ChartTools::clearAll);
    m_toolBar->addSeparator();

    m_readoutsAction = button("数値表示", "chkReadouts", QKeySequence(Qt::Key_N));
    m_readoutsAction->setCheckable(true);
    m_readoutsAction->setChecked(true);
    connect(m_readoutsAction, &QAction::toggled, this, &ChartTools::setReadoutsOn);
}

QWidget *ChartTools::toolBar() const
{
    return m_toolBar;
}

QString ChartTools::statusText() const
{
    return m_status;
}

void ChartTools::setDrawing(const ChartDrawing &drawing)
{
    cancelDrag();
    cancelLabel();
    m_lineAnchor.reset();
    m_drawing = drawing;
    m_undo->clear();
    syncItems();
}

void ChartTools::putDown()
{
    cancelDrag();
    commitLabel();
    m_lineAnchor.reset();
    takeUp(Tool::None);
}

void ChartTools::setReadoutsOn(bool on)
{
    m_readoutsOn = on;
    if (m_readoutsAction && m_readoutsAction->isChecked() != on)
        m_readoutsAction->setChecked(on);
    updateStatus();
}

void ChartTools::takeUp(Tool tool)
{
    cancelDrag();
    if (tool != m_tool)
        commitLabel();
    m_lineAnchor.reset();
    m_tool = tool;
    ++m_keyRun;
    for (QAction *action : m_toolActions)
        if (action)
            action->setChecked(action == m_toolActions[toolIndex(tool)] && tool != Tool::None);
    showInstrument(tool);
    if (tool == Tool::Pencil || tool == Tool::Eraser) {
        m_cursor = m_pointer.value_or(
            view() ? view()->mapToScene(view()->viewport()->rect().center()) : m_area.center());
        m_cursorShown = false;
    }
    if (view())
        view()->viewport()->setCursor(
            tool == Tool::Pencil || tool == Tool::Eraser ? Qt::CrossCursor : Qt::ArrowCursor);
    syncItems();
}

void ChartTools::setPlacement(const ToolPlacement &placement)
{
    cancelDrag();
    m_tools = placement;
    syncItems();
}

QRectF ChartTools::shownArea() const
{
    if (!view())
        return m_area;
    return view()->mapToScene(view()->viewport()->rect()).boundingRect();
}

void ChartTools::showInstrument(Tool tool)
{
    // An instrument is laid in the middle of what the view shows the first time it is taken up,
    // and brought back there when it is taken up lying wholly out of sight (one undo step);
    // otherwise it stays where the candidate left it.
    const QRectF shown = shownArea();
    const QPointF c = m_area.contains(shown.center()) ? shown.center() : m_area.center();
    const double w = m_area.width();
    const auto inSight = [&](std::initializer_list<QGraphicsItem *> items) {
        for (const QGraphicsItem *item : items)
            if (item && item->sceneBoundingRect().intersects(shown))
                return true;
        return false;
    };
    const ChartState before = state();
    if (tool == Tool::SetSquare && (!m_squaresShown || !inSight({ m_squares[0], m_squares[1] }))) {
        // The first square's edge runs east across the middle; the second stands against its
        // pivot end with its edge north, so that the first slides along it at once.
        m_tools.squares[0] = { c - QPointF(0.25 * w, 0), 90.0, false };
        m_tools.squares[1] = { c + QPointF(-0.25 * w - 2, 0.3 * w), 0.0, true };
        if (std::exchange(m_squaresShown, true))
            push("三角定規", before, ChartStep::SetSquares);
    } else if (tool == Tool::Dividers && (!m_dividersShown || !inSight({ m_dividers }))) {
        m_tools.dividerA = withinReach(c + QPointF(0.06 * w, 0.18 * w));
        m_tools.dividerB = withinReach(c + QPointF(0.14 * w, 0.18 * w));
        if (std::exchange(m_dividersShown, true))
            push("デバイダー", before, ChartStep::Dividers);
    } else if (tool == Tool::Compass && (!m_compassShown || !inSight({ m_compass }))) {
        m_tools.needle = withinReach(c + QPointF(0.12 * w, -0.18 * w));
        m_tools.pencil = withinReach(c + QPointF(0.22 * w, -0.18 * w));
        if (std::exchange(m_compassShown, true))
            push("コンパス", before, ChartStep::Compass);
    }
}

std::optional<QLineF> ChartTools::keyLine() const
{
    if (!m_lineAnchor)
        return std::nullopt;
    const QPointF end = m_snapEdge
        ? qt(chart::footOnLine(xy(m_cursor), xy(m_snapEdge->p1()), xy(m_snapEdge->p2())))
        : m_cursor;
    return QLineF(*m_lineAnchor, end);
}

void ChartTools::applyState(const ChartState &state, int parts)
{
    cancelDrag();
    if (parts & ChartStep::Drawing)
        m_drawing = state.drawing;
    if (parts & ChartStep::SetSquares)
        m_tools.squares = state.tools.squares;
    if (parts & ChartStep::Dividers) {
        m_tools.dividerA = state.tools.dividerA;
        m_tools.dividerB = state.tools.dividerB;
    }
    if (parts & ChartStep::Compass) {
        m_tools.needle = state.tools.needle;
        m_tools.pencil = state.tools.pencil;
    }
    syncItems();
}

void ChartTools::syncItems()
{
    if (m_drawingItem) {
        for (int i = 0; i < 2; ++i) {
            m_squares[i]->setPlacement(m_tools.squares[i]);
            m_squares[i]->setVisible(m_squaresShown);
            m_squares[i]->setHeld(m_tool == Tool::SetSquare && m_held == i);
        }
        m_dividers->setTips(m_tools.dividerA, m_tools.dividerB);
        m_dividers->setVisible(m_dividersShown);
        m_dividers->setHeld(m_tool == Tool::Dividers);
        m_compass->setTips(m_tools.needle, m_tools.pencil);
        m_compass->setVisible(m_compassShown);
        m_compass->setHeld(m_tool == Tool::Compass);
        m_drawingItem->setDrawing(m_drawing);
        m_drawingItem->setPendingPoint(m_pendingPoint);
        m_drawingItem->setCursorMark(
            (m_tool == Tool::Pencil || m_tool == Tool::Eraser) && m_cursorShown
                ? std::optional(m_cursor)
                : std::nullopt);
        if (m_drag == Drag::None) {
            m_drawingItem->setPreviewLine(
                m_lineAnchor ? std::optional(QLineF(*m_lineAnchor, m_cursor)) : std::nullopt);
            m_drawingItem->setPreviewArc(std::nullopt);
        }
    }
    updateStatus();
}

void ChartTools::push(const QString &text, const ChartState &before, int parts, int keyRun)
{
    const ChartState after = state();
    ChartState changed = before;
    // Only what this step changes is compared: a step that changes nothing is not a step.
    if (parts & ChartStep::Drawing)
        changed.drawing = after.drawing;
    if (parts & ChartStep::SetSquares)
        changed.tools.squares = after.tools.squares;
    if (parts & ChartStep::Dividers) {
        changed.tools.dividerA = after.tools.dividerA;
        changed.tools.dividerB = after.tools.dividerB;
    }
    if (parts & ChartStep::Compass) {
        changed.tools.needle = after.tools.needle;
        changed.tools.pencil = after.tools.pencil;
    }
    if (changed.drawing == before.drawing && changed.tools == before.tools)
        return;
    m_undo->push(new ChartStep(text, before, after, parts, keyRun,
        [this](const ChartState &s, int p) { applyState(s, p); }));
}

double ChartTools::pixel() const
{
    if (!view())
        return 1.0;
    const QTransform t = view()->transform();
    const double scale = std::hypot(t.m11(), t.m12());
    return scale > 0 ? 1.0 / scale : 1.0;
}

QPointF ChartTools::withinReach(QPointF p) const
{
    return { std::clamp(p.x(), m_reach.left(), m_reach.right()),
        std::clamp(p.y(), m_reach.top(), m_reach.bottom()) };
}

std::optional<QLineF> ChartTools::edgeNear(QPointF p) const
{
    // The pencil runs along the nearest edge of a set square lying on the chart, held square
    // first, as a pencil put against a square's edge does.
    if (!m_squaresShown || !m_drawingItem)
        return std::nullopt;
    std::optional<QLineF> nearest;
    double best = grabPixels * pixel();
    for (int i : { m_held, 1 - m_held }) {
        for (const QLineF &edge : m_squares[i]->edges()) {
            const double d = chart::distanceToSegment(xy(p), xy(edge.p1()), xy(edge.p2()));
            if (d <= best) {
                best = d;
                nearest = edge;
            }
        }
    }
    return nearest;
}

QGraphicsView *ChartTools::view() const
{
    return qobject_cast<QGraphicsView *>(m_viewWidget.data());
}

bool ChartTools::eventFilter(QObject *watched, QEvent *event)
{
    if (!view() || !m_drawingItem)
        return false;
    if (watched == view()->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *e = static_cast<QMouseEvent *>(event);
            if (e->button() == Qt::RightButton && m_drag != Drag::None) {
                cancelDrag();
                return true;
            }
            if (e->button() != Qt::LeftButton || m_spaceHeld)
                return false;
            if (m_drag != Drag::None) // a release lost to another window
                finishDrag();
            return mousePress(view()->mapToScene(e->position().toPoint()), e->modifiers());
        }
        case QEvent::MouseMove: {
            auto *e = static_cast<QMouseEvent *>(event);
            const QPointF p = view()->mapToScene(e->position().toPoint());
            m_pointer = p;
            if (m_tool == Tool::Pencil || m_tool == Tool::Eraser) {
                m_cursor = p;
                if (m_cursorShown || m_lineAnchor) {
                    m_cursorShown = false;
                    syncItems();
                }
            }
            if (m_drag != Drag::None) {
                mouseMove(p);
                return true;
            }
            updateStatus();
            return false;
        }
        case QEvent::MouseButtonRelease: {
            auto *e = static_cast<QMouseEvent *>(event);
            if (e->button() != Qt::LeftButton || m_drag == Drag::None)
                return false;
            mouseRelease(view()->mapToScene(e->position().toPoint()));
            return true;
        }
        case QEvent::MouseButtonDblClick: {
            auto *e = static_cast<QMouseEvent *>(event);
            if (e->button() != Qt::LeftButton || m_spaceHeld)
                return false;
            return doubleClick(view()->mapToScene(e->position().toPoint()), e->modifiers());
        }
        case QEvent::Leave:
            if (m_drag == Drag::None) {
                m_pointer.reset();
                updateStatus();
            }
            return false;
        default:
            return false;
        }
    }
    if (watched == view()) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(static_cast<QKeyEvent *>(event));
        case QEvent::KeyRelease: {
            auto *e = static_cast<QKeyEvent *>(event);
            if (e->key() == Qt::Key_Space && !e->isAutoRepeat())
                m_spaceHeld = false;
            return false;
        }
        case QEvent::FocusOut:
            // Another window took the keyboard: a drag it interrupted is not finished.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::ActiveWindowFocusReason) {
                cancelDrag();
                m_spaceHeld = false;
            }
            return false;
        case QEvent::Hide:
            cancelDrag();
            m_spaceHeld = false;
            return false;
        default:
            return false;
        }
    }
    if (watched == m_labelEdit && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        cancelLabel();
        return true;
    }
    return false;
}

bool ChartTools::mousePress(QPointF p, Qt::KeyboardModifiers modifiers)
{
    const double tolerance = grabPixels * pixel();
    m_dragBefore = state();
    m_grab = m_last = p;
    m_turned = 0.0;
    ++m_keyRun;
    switch (m_tool) {
    case Tool::SetSquare:
        for (int i : { m_held, 1 - m_held }) {
            const auto zone = m_squares[i]->zoneAt(p, tolerance);
            if (zone == SetSquareItem::Zone::None)
                continue;
            m_held = i;
            m_drag = zone == SetSquareItem::Zone::TurnHandle ? Drag::TurnSquare
                : modifiers & Qt::ShiftModifier              ? Drag::SlideSquare
                                                             : Drag::MoveSquare;
            syncItems();
            return true;
        }
        return false;
    case Tool::Dividers:
    case Tool::Compass: {
        const bool dividers = m_tool == Tool::Dividers;
        switch ((dividers ? m_dividers : m_compass)->zoneAt(p, tolerance)) {
        case LegsItem::Zone::TipA:
            m_drag = dividers ? Drag::DividerA : Drag::CompassWhole;
            return true;
        case LegsItem::Zone::TipB:
            m_drag = dividers ? Drag::DividerB : Drag::CompassSweep;
            return true;
        case LegsItem::Zone::Legs:
            m_drag = dividers ? Drag::DividersWhole : Drag::CompassOpen;
            return true;
        case LegsItem::Zone::None:
            return false;
        }
        return false;
    }
    case Tool::Pencil:
        commitLabel();
        m_lineAnchor.reset();
        m_snapEdge = edgeNear(p);
        m_lineStart = m_snapEdge
            ? qt(chart::footOnLine(xy(p), xy(m_snapEdge->p1()), xy(m_snapEdge->p2())))
            : p;
        m_drag = Drag::PencilLine;
        return true;
    case Tool::Eraser:
        eraseAt(p);
        return true;
    case Tool::None:
        return false;
    }
    return false;
}

void ChartTools::mouseMove(QPointF p)
{
    const QPointF moved = p - m_grab;
    const ToolPlacement &start = m_dragBefore.tools;
    SetSquarePlacement &square = m_tools.squares[m_held];
    switch (m_drag) {
    case Drag::MoveSquare:
        square.pivot = withinReach(start.squares[m_held].pivot + moved);
        break;
    case Drag::SlideSquare: {
        const double guide = m_tools.squares[1 - m_held].direction;
        square.pivot
            = withinReach(start.squares[m_held].pivot + qt(chart::slideAlong(xy(moved), guide)));
        break;
    }
    case Drag::TurnSquare:
        m_turned += chart::turnBetween(xy(square.pivot), xy(m_last), xy(p));
        square.direction = chart::normalDirection(start.squares[m_held].direction + m_turned);
        break;
    case Drag::DividerA:
        m_tools.dividerA = withinReach(start.dividerA + moved);
        break;
    case Drag::DividerB:
        m_tools.dividerB = withinReach(start.dividerB + moved);
        break;
    case Drag::DividersWhole: {
        // Both points move by the same amount, kept within reach together, so the span holds.
        const QRectF span = QRectF(start.dividerA, start.dividerB).normalized();
        const QPointF to = withinReach(span.topLeft() + moved);
        const QPointF by = QPointF(std::min(to.x(), m_reach.right() - span.width()),
                               std::min(to.y(), m_reach.bottom() - span.height()))
            - span.topLeft();
        m_tools.dividerA = start.dividerA + by;
        m_tools.dividerB = start.dividerB + by;
        break;
    }
    case Drag::CompassWhole: {
        const QPointF by = withinReach(start.needle + moved) - start.needle;
        m_tools.needle = start.needle + by;
        m_tools.pencil = start.pencil + by;
        break;
    }
    case Drag::CompassOpen:
        m_tools.pencil = withinReach(start.pencil + moved);
        break;
    case Drag::CompassSweep: {
        m_turned = std::clamp(
            m_turned + chart::turnBetween(xy(m_tools.needle), xy(m_last), xy(p)), -360.0, 360.0);
        m_tools.pencil = qt(chart::turnAbout(xy(start.pencil), xy(m_tools.needle), m_turned));
        const QLineF radius(m_tools.needle, start.pencil);
        m_drawingItem->setPreviewArc(ChartDrawing::Arc { m_tools.needle, radius.length(),
            chart::chartDirection(xy(radius.p1()), xy(radius.p2())), m_turned });
        break;
    }
    case Drag::PencilLine: {
        const QPointF end = m_snapEdge
            ? qt(chart::footOnLine(xy(p), xy(m_snapEdge->p1()), xy(m_snapEdge->p2())))
            : p;
        m_drawingItem->setPreviewLine(QLineF(m_lineStart, end));
        break;
    }
    case Drag::None:
        break;
    }
    m_last = p;
    syncItems();
}

void ChartTools::mouseRelease(QPointF p)
{
    if (p != m_last)
        mouseMove(p);
    finishDrag();
}

void ChartTools::finishDrag()
{
    const Drag drag = std::exchange(m_drag, Drag::None);
    switch (drag) {
    case Drag::MoveSquare:
    case Drag::SlideSquare:
    case Drag::TurnSquare:
        push("三角定規", m_dragBefore, ChartStep::SetSquares);
        break;
    case Drag::DividerA:
    case Drag::DividerB:
    case Drag::DividersWhole:
        push("デバイダー", m_dragBefore, ChartStep::Dividers);
        break;
    case Drag::CompassWhole:
    case Drag::CompassOpen:
        push("コンパス", m_dragBefore, ChartStep::Compass);
        break;
    case Drag::CompassSweep: {
        const QLineF radius(m_tools.needle, m_dragBefore.tools.pencil);
        if (std::abs(m_turned) >= 0.5 && radius.length() > 0) {
            m_drawing.arcs.append({ m_tools.needle, radius.length(),
                chart::chartDirection(xy(radius.p1()), xy(radius.p2())), m_turned });
        }
        push("円弧", m_dragBefore, ChartStep::Drawing | ChartStep::Compass);
        break;
    }
    case Drag::PencilLine: {
        const QPointF end = m_snapEdge
            ? qt(chart::footOnLine(xy(m_last), xy(m_snapEdge->p1()), xy(m_snapEdge->p2())))
            : m_last;
        if (QLineF(m_grab, m_last).length() < clickPixels * pixel())
            startLabel(m_lineStart);
        else
            addLine(m_lineStart, end);
        break;
    }
    case Drag::None:
        return;
    }
    m_snapEdge.reset();
    syncItems();
}

void ChartTools::cancelDrag()
{
    if (std::exchange(m_drag, Drag::None) == Drag::None)
        return;
    m_tools = m_dragBefore.tools;
    m_drawing = m_dragBefore.drawing;
    m_snapEdge.reset();
    syncItems();
}

bool ChartTools::doubleClick(QPointF p, Qt::KeyboardModifiers modifiers)
{
    const double tolerance = grabPixels * pixel();
    if (m_tool == Tool::Dividers) {
        // Swing the other point over the one clicked: a step along the line they lie on.
        const auto zone = m_dividers->zoneAt(p, tolerance);
        if (zone != LegsItem::Zone::TipA && zone != LegsItem::Zone::TipB)
            return false;
        const ChartState before = state();
        if (zone == LegsItem::Zone::TipA)
            m_tools.dividerB = qt(chart::swingOver(xy(m_tools.dividerA), xy(m_tools.dividerB)));
        else
            m_tools.dividerA = qt(chart::swingOver(xy(m_tools.dividerB), xy(m_tools.dividerA)));
        m_dividerLeadIsB = zone == LegsItem::Zone::TipA;
        syncItems();
        push("デバイダー", before, ChartStep::Dividers);
        return true;
    }
    if (m_tool == Tool::Compass && m_compass->zoneAt(p, tolerance) == LegsItem::Zone::TipB) {
        drawCircle();
        return true;
    }
    // Otherwise the second press of a double click is a press like any other: it may begin a
    // drag. The pencil's would tap a second point on the first, so it does nothing.
    if (m_tool == Tool::Pencil)
        return true;
    if (m_drag != Drag::None)
        finishDrag();
    return mousePress(p, modifiers);
}

bool ChartTools::keyPress(QKeyEvent *event)
{
    const int key = event->key();
    const auto modifiers = event->modifiers();
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool fine = modifiers & Qt::ControlModifier;
    if (key == Qt::Key_Space && !event->isAutoRepeat()) {
        m_spaceHeld = true;
        return false;
    }
    if (key == Qt::Key_Escape) {
        if (m_drag != Drag::None) {
            cancelDrag();
            return true;
        }
        if (m_lineAnchor) {
            m_lineAnchor.reset();
            syncItems();
            return true;
        }
        if (m_tool == Tool::None)
            return false;
        putDown();
        return true;
    }
    if (m_tool == Tool::None || m_drag != Drag::None)
        return false;

    QPointF arrow;
    switch (key) {
    case Qt::Key_Left:
        arrow = { -1, 0 };
        break;
    case Qt::Key_Right:
        arrow = { 1, 0 };
        break;
    case Qt::Key_Up:
        arrow = { 0, -1 };
        break;
    case Qt::Key_Down:
        arrow = { 0, 1 };
        break;
    default:
        break;
    }
    const double step = (fine ? finePixels : coarsePixels) * pixel();
    ToolPlacement moved = m_tools;

    if (!arrow.isNull()) {
        const QPointF by = arrow * step;
        switch (m_tool) {
        case Tool::SetSquare: {
            SetSquarePlacement &square = moved.squares[m_held];
            if (shift) {
                // Along the other square: the arrow's own way along its edge, or forward
                // (up, right) and back (down, left) when the arrow is square to it.
                const double guide = m_tools.squares[1 - m_held].direction;
                const chart::ChartXY unit = chart::pointToward({}, guide, 1.0);
                double along = by.x() * unit.x + by.y() * unit.y;
                if (std::abs(along) < 0.3 * step)
                    along = key == Qt::Key_Up || key == Qt::Key_Right ? step : -step;
                along = along > 0 ? step : -step;
                square.pivot = withinReach(square.pivot + qt(unit) * along);
            } else {
                square.pivot = withinReach(square.pivot + by);
            }
            keyMove(ChartStep::SetSquares, "三角定規", moved);
            return true;
        }
        case Tool::Dividers:
            moved.dividerB = withinReach(moved.dividerB + by);
            if (!shift)
                moved.dividerA = withinReach(moved.dividerA + by);
            keyMove(ChartStep::Dividers, "デバイダー", moved);
            return true;
        case Tool::Compass:
            moved.pencil = withinReach(moved.pencil + by);
            if (!shift)
                moved.needle = withinReach(moved.needle + by);
            keyMove(ChartStep::Compass, "コンパス", moved);
            return true;
        case Tool::Pencil:
        case Tool::Eraser:
            moveCursor(by);
            return true;
        case Tool::None:
            return false;
        }
    }

    switch (m_tool) {
    case Tool::SetSquare: {
        SetSquarePlacement &square = moved.squares[m_held];
        if (key == Qt::Key_R) {
            square.direction
                = chart::normalDirection(square.direction + (shift ? -1 : 1) * (fine ? 0.1 : 1.0));
            keyMove(ChartStep::SetSquares, "三角定規", moved);
            return true;
        }
        if (key == Qt::Key_F) {
            square.flipped = !square.flipped;
            keyMove(ChartStep::SetSquares, "三角定規", moved);
            return true;
        }
        if (key == Qt::Key_T) {
            m_held = 1 - m_held;
            ++m_keyRun;
            syncItems();
            return true;
        }
        return false;
    }
    case Tool::Dividers:
        if (key == Qt::Key_S) {
            stepDividers(!shift);
            return true;
        }
        return false;
    case Tool::Compass:
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            drawCircle();
            return true;
        }
        return false;
    case Tool::Pencil:
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_lineAnchor.reset();
            startLabel(m_cursor);
            return true;
        }
        if (key == Qt::Key_L) {
            if (!m_lineAnchor) {
                const auto edge = edgeNear(m_cursor);
                m_lineAnchor = edge
                    ? qt(chart::footOnLine(xy(m_cursor), xy(edge->p1()), xy(edge->p2())))
                    : m_cursor;
                m_snapEdge = edge;
                m_cursorShown = true;
                syncItems();
            } else {
                const QLineF line = *keyLine();
                m_lineAnchor.reset();
                m_snapEdge.reset();
                addLine(line.p1(), line.p2());
            }
            return true;
        }
        return false;
    case Tool::Eraser:
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Delete) {
            eraseAt(m_cursor);
            return true;
        }
        return false;
    case Tool::None:
        return false;
    }
    return false;
}

void ChartTools::keyMove(int parts, const QString &text, const ToolPlacement &moved)
{
    if (parts != m_keyRunParts) {
        ++m_keyRun;
        m_keyRunParts = parts;
    }
    const ChartState before = state();
    m_tools = moved;
    syncItems();
    push(text, before, parts, m_keyRun);
}

void ChartTools::moveCursor(QPointF by)
{
    m_cursor = withinReach(m_cursor + by);
    m_cursorShown = true;
    syncItems();
}

void ChartTools::stepDividers(bool forward)
{
    const ChartState before = state();
    // Forward, the trailing point swings over the leading one; back, the leading one swings
    // back over the trailing one. Either way the swung point leads next.
    QPointF &lead = m_dividerLeadIsB ? m_tools.dividerB : m_tools.dividerA;
    QPointF &trail = m_dividerLeadIsB ? m_tools.dividerA : m_tools.dividerB;
    if (forward) {
        trail = qt(chart::swingOver(xy(lead), xy(trail)));
        m_dividerLeadIsB = !m_dividerLeadIsB;
    } else {
        lead = qt(chart::swingOver(xy(trail), xy(lead)));
    }
    ++m_keyRun;
    syncItems();
    push("デバイダー", before, ChartStep::Dividers);
}

void ChartTools::drawCircle()
{
    const double radius = QLineF(m_tools.needle, m_tools.pencil).length();
    if (radius <= 0)
        return;
    const ChartState before = state();
    m_drawing.arcs.append({ m_tools.needle, radius, 0.0, 360.0 });
    ++m_keyRun;
    syncItems();
    push("円", before, ChartStep::Drawing);
}

void ChartTools::addLine(QPointF from, QPointF to)
{
    // A line is drawn on the chart only: the part of it outside the area is not drawn, and a
    // line with no length is no line.
    const auto clipped = chart::clipToArea(xy(from), xy(to), m_area.width(), m_area.height());
    if (!clipped)
        return;
    const QLineF line(qt(clipped->first), qt(clipped->second));
    if (line.length() < 0.5 * pixel())
        return;
    const ChartState before = state();
    m_drawing.lines.append({ line.p1(), line.p2() });
    ++m_keyRun;
    syncItems();
    push("線", before, ChartStep::Drawing);
}

void ChartTools::eraseAt(QPointF p)
{
    // The one mark nearest the pointer within reach of it: a point (or its label), a line, or a
    // circle or arc.
    const double tolerance = grabPixels * pixel();
    double best = tolerance;
    enum class Kind { None, Point, Line, Arc } kind = Kind::None;
    qsizetype index = -1;
    const auto consider = [&](double d, Kind k, qsizetype i) {
        if (d <= best) {
            best = d;
            kind = k;
            index = i;
        }
    };
    for (qsizetype i = 0; i < m_drawing.points.size(); ++i) {
        const auto &point = m_drawing.points[i];
        consider(QLineF(p, point.at).length(), Kind::Point, i);
        // The label stands up and right of the point, about 14 pixels high.
        const QRectF label(point.at + QPointF(4, -22) * pixel(),
            QSizeF(12.0 * std::max<qsizetype>(point.label.size(), 1), 18) * pixel());
        if (!point.label.isEmpty() && label.contains(p))
            consider(tolerance * 0.9, Kind::Point, i);
    }
    for (qsizetype i = 0; i < m_drawing.lines.size(); ++i) {
        const auto &line = m_drawing.lines[i];
        consider(chart::distanceToSegment(xy(p), xy(line.from), xy(line.to)), Kind::Line, i);
    }
    for (qsizetype i = 0; i < m_drawing.arcs.size(); ++i) {
        const auto &arc = m_drawing.arcs[i];
        const double offCircle = std::abs(QLineF(arc.centre, p).length() - arc.radius);
        // Within the arc's sweep, measured from its start the way it was drawn.
        const double from = chart::chartDirection(xy(arc.centre), xy(p));
        const double into = chart::normalDirection(
            arc.sweep >= 0 ? from - arc.startDirection : arc.startDirection - from);
        if (std::abs(arc.sweep) >= 360.0 || into <= std::abs(arc.sweep))
            consider(offCircle, Kind::Arc, i);
    }
    if (kind == Kind::None)
        return;
    const ChartState before = state();
    if (kind == Kind::Point)
        m_drawing.points.removeAt(index);
    else if (kind == Kind::Line)
        m_drawing.lines.removeAt(index);
    else
        m_drawing.arcs.removeAt(index);
    ++m_keyRun;
    syncItems();
    push("消しゴム", before, ChartStep::Drawing);
}

void ChartTools::startLabel(QPointF at)
{
    commitLabel();
    if (!m_area.contains(at) || !view())
        return;
    m_pendingPoint = at;
    auto *edit = new QLineEdit(view()->viewport());
    edit->setObjectName("txtPointLabel");
    edit->setMaxLength(8);
    edit->setPlaceholderText("記号");
    edit->setAccessibleName("点の記号");
    edit->setToolTip("点の記号（A、B、船位など）。Enterで決定、Escで取り消し");
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("船位船位船") + 12);
    edit->move(view()->mapFromScene(at) + QPoint(8, -edit->sizeHint().height() - 4));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::editingFinished, this, &ChartTools::commitLabel);
    m_labelEdit = edit;
    edit->show();
    edit->setFocus(Qt::OtherFocusReason);
    syncItems();
}

void ChartTools::commitLabel()
{
    if (!m_pendingPoint)
        return;
    const QPointF at = *std::exchange(m_pendingPoint, std::nullopt);
    const QString label = m_labelEdit ? m_labelEdit->text().trimmed() : QString();
    cancelLabel();
    const ChartState before = state();
    m_drawing.points.append({ at, label });
    ++m_keyRun;
    syncItems();
    push("点", before, ChartStep::Drawing);
}

void ChartTools::cancelLabel()
{
    m_pendingPoint.reset();
    if (QLineEdit *edit = m_labelEdit) {
        m_labelEdit = nullptr;
        const bool hadFocus = edit->hasFocus();
        edit->removeEventFilter(this);
        disconnect(edit, nullptr, this, nullptr);
        edit->hide();
        edit->deleteLater();
        if (hadFocus && view())
            view()->setFocus(Qt::OtherFocusReason);
    }
    syncItems();
}

void ChartTools::undo()
{
    cancelDrag();
    cancelLabel();
    m_lineAnchor.reset();
    ++m_keyRun;
    m_undo->undo();
}

void ChartTools::redo()
{
    cancelDrag();
    cancelLabel();
    m_lineAnchor.reset();
    ++m_keyRun;
    m_undo->redo();
}

void ChartTools::clearAll()
{
    cancelDrag();
    cancelLabel();
    m_lineAnchor.reset();
    const ChartState before = state();
    m_drawing = {};
    ++m_keyRun;
    syncItems();
    push("全部消す", before, ChartStep::Drawing);
}

void ChartTools::updateStatus()
{
    QStringList parts;
    if (m_readoutsOn) {
        const bool byKeys = (m_tool == Tool::Pencil || m_tool == Tool::Eraser) && m_cursorShown;
        if (const std::optional<QPointF> at = byKeys ? std::optional(m_cursor) : m_pointer)
            parts << QString::fromStdString(chart::positionText(m_projection.toLatLon(xy(*at))));
        const auto milesBeside = [this](QPointF a, QPointF b, QPointF where) {
            return m_projection.dividerMiles(xy(a), xy(b), m_projection.toLatLon(xy(where)).lat);
        };
        switch (m_tool) {
        case Tool::SetSquare:
            parts << QString::fromStdString(
                chart::directionText(m_tools.squares[m_held].direction, m_variation));
            break;
        case Tool::Dividers:
            parts << QString::fromStdString(chart::milesText(milesBeside(
                m_tools.dividerA, m_tools.dividerB, (m_tools.dividerA + m_tools.dividerB) / 2)));
            break;
        case Tool::Compass:
            parts << "半径"
                    + QString::fromStdString(chart::milesText(
                        milesBeside(m_tools.needle, m_tools.pencil, m_tools.needle)));
            break;
        default:
            break;
        }
    }
    const QString text = parts.join("　");
    if (text != m_status) {
        m_status = text;
        Q_EMIT statusChanged(m_status);
    }
}

} // namespace tovarin
