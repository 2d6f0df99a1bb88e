// The program's icon: a computer monitor on a stand, 32 x 32 pixels in the 16 colours of the
// classic palette (nine of them used) with a transparent surround. The same picture, each pixel
// a whole square, is installed at 64 and 128 pixels for the desktop's icon theme.

#include "ui/look/Look.h"

namespace tovarin {

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/icons/tovarin-32.png"));
}

} // namespace tovarin
