#include "ui/look/PictureBox.h"

#include <QPainter>

#include <cmath>

namespace tovarin {

PictureBox::PictureBox(QWidget *container)
    : QLabel(container)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    const QPixmap picture = pixmap();
    const qreal ratio = devicePixelRatioF();
    if (picture.isNull() || ratio == 1.0 || ratio != std::floor(ratio) || hasScaledContents()
        || !isEnabled()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QSize size = picture.deviceIndependentSize().toSize();
    painter.drawPixmap(QRect(contentsRect().topLeft(), size), picture);
}

} // namespace tovarin
