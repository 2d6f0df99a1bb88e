// The program's message box: a text, an OK button only, no icon, the title "tovarinII".
#pragma once

#include <QMessageBox>
#include <QString>

#include <memory>

namespace tovarin {

// The box, built but not shown (tests look at it without running its modal loop).
std::unique_ptr<QMessageBox> makeMessageBox(const QString &text);

// Shows the box modal and returns when OK is pressed.
void showMessageBox(const QString &text);

} // namespace tovarin
