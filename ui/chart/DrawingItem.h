// The candidate's pencil work on the chart (ChartDrawing), drawn above the chart and below the
// instruments, with what is being drawn right now: the line or arc of a drag in progress (items
// of their own, so that a frame of the drag repaints only where they are), a point waiting for
// its label, and the pencil's cross where the keyboard has put it.
#pragma once

#include "ui/chart/ChartDrawing.h"

#include <QGraphicsItem>
#include <QLineF>

class QGraphicsLineItem;
class QGraphicsPathItem;

#include <optional>

namespace tovarin {

class DrawingItem final : public QGraphicsItem
{
public:
    explicit DrawingItem(QRectF area);

    void setDrawing(const ChartDrawing &drawing);
    void setPreviewLine(std::optional<QLineF> line);
    void setPreviewArc(std::optional<ChartDrawing::Arc> arc);
    void setPendingPoint(std::optional<QPointF> at);
    void setCursorMark(std::optional<QPointF> at);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    void setPreviewPens();

    QRectF m_area;
    ChartDrawing m_drawing;
    QGraphicsLineItem *m_previewLine;
    QGraphicsPathItem *m_previewArc;
    std::optional<QPointF> m_pendingPoint;
    std::optional<QPointF> m_cursorMark;
};

} // namespace tovarin
