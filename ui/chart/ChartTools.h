// The plotting tools on a chart view. This stands in for the tools themselves until they join
// the program: the same calls, a tool bar of the same buttons, and nothing drawn.
#pragma once

#include "chart/Mercator.h"
#include "ui/chart/ChartDrawing.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QGraphicsView;
class QWidget;

namespace tovarin {

class ChartTools : public QObject
{
    Q_OBJECT

public:
    ChartTools(QGraphicsView *view, const chart::Mercator &projection, double variationDegrees,
        QObject *parent);
    ~ChartTools() override;

    QWidget *toolBar();
    QString statusText() const { return m_status; }
    void setDrawing(const ChartDrawing &drawing) { m_drawing = drawing; }
    ChartDrawing drawing() const { return m_drawing; }
    void putDown() { }
    void setReadoutsOn(bool on);

Q_SIGNALS:
    void statusChanged(const QString &text);

private:
    QPointer<QWidget> m_toolBar;
    ChartDrawing m_drawing;
    QString m_status;
};

} // namespace tovarin
