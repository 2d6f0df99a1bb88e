#include "ui/results/ShapeControl.h"

#include <QPainter>

namespace tovarin {

ShapeControl::ShapeControl(QWidget *container)
    : QWidget(container)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    lower();
}

void ShapeControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tovarin
