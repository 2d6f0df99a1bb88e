// Where a window opened beside another goes, all rectangles being window frames in screen
// coordinates: to the right of the other window, or to its left where the right has no room for
// minimumWidth, as wide as wanted or as the room allows; level with the other window's top and
// within the available area. Where neither side has room it lies at the right edge of the area,
// over the other window.
#pragma once

#include <QRect>

class QWidget;

namespace tovarin {

class Form;

QRect besideFrame(const QRect &other, const QRect &available, QSize wanted, int minimumWidth);

// Shows form beside other (a shown window) by besideFrame on other's screen, the client area as
// large as wanted or as the room allows, other's own frame standing for the frame form will get.
// Form::Show places a window only at its first showing after a load: later it only brings it
// forward.
void showBeside(Form &form, const QWidget &other, QSize wantedClient, int minimumClientWidth);

} // namespace tovarin
