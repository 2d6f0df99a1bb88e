// The look every screen shares: the caption, the icon, the fonts and pure red. applyProgramLook
// runs once at start-up (and at the start of every screen test) before any screen is loaded.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>

namespace tovarin {

// Caption of all three windows.
QString programCaption();

// 32 x 32 pixels in the 16 colours of the classic palette: a computer monitor on a stand.
QIcon programIcon();

// Red 255, green 0, blue 0: the hint under the answer table and a rate below its mark.
QColor pureRed();

// The face the screens name where they set a font: ＭＳ Ｐゴシック where it is installed,
// otherwise the proportional Japanese Gothic that stands in for it (IPAPGothic, Debian
// fonts-ipafont-gothic), by its own name.
QString gothicFamily();

// gothicFamily() at the given size in points, regular weight.
QFont gothicFont(qreal pointSize);

// The font of every control that sets none: a proportional Japanese Gothic at 9 pt, the size
// the screens' captions are designed for.
QFont defaultFont();

// Fusion style everywhere, the substitute for gothicFamily(), defaultFont() as the
// application's font, and no automatic quit: the screens decide when the program ends.
void applyProgramLook();

} // namespace tovarin
