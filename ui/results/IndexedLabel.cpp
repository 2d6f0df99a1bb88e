#include "ui/results/IndexedLabel.h"

#include <QMouseEvent>

namespace tovarin {

IndexedLabel::IndexedLabel(QWidget *container, std::int16_t index)
    : QLabel(container)
    , m_index(index)
{
    setFocusPolicy(Qt::NoFocus);
}

void IndexedLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

// A click is a press and a release of the left button, both on the label.
void IndexedLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        Q_EMIT clicked(m_index);
}

} // namespace tovarin
