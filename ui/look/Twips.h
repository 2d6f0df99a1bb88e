// Positions and sizes of the screens are designed in twips (1440 to the inch). Every figure goes
// through twipsToPixels: 15 twips make one logical pixel, rounded to the nearest (15 is odd, so a
// whole number of twips never falls on a half).
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tovarin {

constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

// Left, Top, Width, Height in twips, relative to the container.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr QRect toPixels(TwipsRect r)
{
    return QRect(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
        twipsToPixels(r.height));
}

constexpr QSize twipsSize(int width, int height)
{
    return QSize(twipsToPixels(width), twipsToPixels(height));
}

constexpr QPoint twipsPoint(int x, int y)
{
    return QPoint(twipsToPixels(x), twipsToPixels(y));
}

} // namespace tovarin
