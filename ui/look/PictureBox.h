// A label that shows a question's picture at the picture's own size: one pixel of the picture
// to one logical pixel, on any device pixel ratio. Where the ratio is a whole number, every
// picture pixel becomes a sharp square of ratio × ratio device pixels, so that the thin lines
// and small figures of the charts stay as crisp as at 96 dpi (QLabel would smooth them); at
// fractional ratios QLabel's own smoothing is kept, as whole device pixels cannot be matched.
#pragma once

#include <QLabel>

namespace tovarin {

class PictureBox : public QLabel
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *container);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tovarin
