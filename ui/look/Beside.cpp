#include "ui/look/Beside.h"

#include "ui/look/Form.h"

#include <QScreen>

#include <algorithm>

namespace tovarin {

QRect besideFrame(const QRect &other, const QRect &available, QSize wanted, int minimumWidth)
{
    const int height = std::min(wanted.height(), available.height());
    const int top = std::clamp(other.top(), available.top(), available.bottom() + 1 - height);
    const int rightRoom = available.right() - other.right();
    const int leftRoom = other.left() - available.left();
    const int width = std::min(wanted.width(), available.width());
    if (rightRoom >= std::min(minimumWidth, width))
        return { other.right() + 1, top, std::min(width, rightRoom), height };
    if (leftRoom >= std::min(minimumWidth, width)) {
        const int w = std::min(width, leftRoom);
        return { other.left() - w, top, w, height };
    }
    return { available.right() + 1 - width, top, width, height };
}

void showBeside(Form &form, const QWidget &other, QSize wantedClient, int minimumClientWidth)
{
    const QRect otherFrame = other.frameGeometry();
    const QSize decoration = otherFrame.size() - other.geometry().size();
    const QScreen *screen = other.screen();
    const QRect available = screen ? screen->availableGeometry() : otherFrame;
    const QRect frame = besideFrame(
        otherFrame, available, wantedClient + decoration, minimumClientWidth + decoration.width());
    form.Show(frame.topLeft(), frame.size() - decoration);
}

} // namespace tovarin
