// Making the controls of a screen: each one named after its control in the screen's table and
// placed at its twips, relative to its container (the window, or a frame).
#pragma once

#include "ui/look/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

namespace tovarin {

// The objectName of element index of a control array: Option1(2) -> "Option1_2".
QString arrayElementName(const char *arrayName, int index);

// Names and places a control that has been created inside its container.
template <class Control> Control *placed(Control *control, const QString &name, TwipsRect place)
{
    control->setObjectName(name);
    control->setGeometry(toPixels(place));
    return control;
}

// A command button: a click or Space presses it, and so do Enter and Return while it has the
// focus (Form::keyPressEvent).
QPushButton *commandButton(
    QWidget *container, const QString &name, TwipsRect place, const QString &caption);

// A label as the screens design it: one line, left-aligned (unless changed) and at the top,
// no border, the container's background, no focus.
QLabel *label(QWidget *container, const QString &name, TwipsRect place, const QString &caption);

// A frame with a caption. Its controls are placed relative to its top left corner.
QGroupBox *frame(QWidget *container, const QString &name, TwipsRect place, const QString &caption);

// A locked single-line text box: the candidate can select its text but not change it.
QLineEdit *lockedTextBox(QWidget *container, const QString &name, TwipsRect place);

// Where the stand-in face draws a label's caption wider than the label (its digits are wider
// than those of the face the screens were designed with), sets the characters up to two
// pixels closer instead of cutting the caption off. Captions that fit are left alone.
void tightenToFit(QLabel *label);

// Sets the colour of the text of a label or a text box.
void setTextColour(QWidget *control, const QColor &colour);

} // namespace tovarin
