// A rectangle drawn on its container, border only, one pixel wide, in the colour of the window
// text; the border runs along the inside of the control's own rectangle. It lies beneath the
// container's other controls and lets the mouse through.
#pragma once

#include <QWidget>

namespace tovarin {

class ShapeControl : public QWidget
{
    Q_OBJECT

public:
    explicit ShapeControl(QWidget *container);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tovarin
