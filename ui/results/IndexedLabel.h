// A label of a control array that reports a click of the mouse with its index in the array.
// It takes no focus: only the mouse raises the click.
#pragma once

#include <QLabel>

#include <cstdint>

namespace tovarin {

class IndexedLabel : public QLabel
{
    Q_OBJECT

public:
    IndexedLabel(QWidget *container, std::int16_t index);

Q_SIGNALS:
    void clicked(std::int16_t index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::int16_t m_index;
    bool m_pressed = false;
};

} // namespace tovarin
