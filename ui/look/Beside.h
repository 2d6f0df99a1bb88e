// Where a window opened beside another goes, all rectangles being window frames in screen
// coordinates: to the right of the other window, or to its left where the right has no room for
// minimumWidth, as wide as wanted or as the room allows; level with the other window's top and
// within the available area. Where neither side has room it lies at the right edge of the area,
// over the other window.
#pragma once

#include <QRect>

namespace tovarin {

QRect besideFrame(const QRect &other, const QRect &available, QSize wanted, int minimumWidth);

} // namespace tovarin
