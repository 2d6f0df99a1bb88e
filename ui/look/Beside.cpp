#include "ui/look/Beside.h"

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

} // namespace tovarin
