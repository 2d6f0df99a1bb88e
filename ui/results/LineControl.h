// A line drawn on its container from (x1, y1) to (x2, y2), one pixel wide, in the colour of
// the window text. It lies beneath the container's other controls and lets the mouse through.
#pragma once

#include <QLine>
#include <QWidget>

namespace tovarin {

class LineControl : public QWidget
{
    Q_OBJECT

public:
    // The end points in pixels, relative to the container.
    LineControl(QWidget *container, QLine line);

    QLine line() const { return m_line; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLine m_line;
};

} // namespace tovarin
