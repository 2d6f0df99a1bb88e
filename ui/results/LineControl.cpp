#include "ui/results/LineControl.h"

#include <QPainter>

namespace tovarin {

LineControl::LineControl(QWidget *container, QLine line)
    : QWidget(container)
    , m_line(line)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRect bounds = QRect(line.p1(), line.p2()).normalized();
    setGeometry(bounds);
    lower();
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(m_line.translated(-pos()));
}

} // namespace tovarin
