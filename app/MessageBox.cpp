#include "app/MessageBox.h"

#include "ui/look/Look.h"

using namespace Qt::Literals::StringLiterals;

namespace tovarin {

std::unique_ptr<QMessageBox> makeMessageBox(const QString &text)
{
    auto box
        = std::make_unique<QMessageBox>(QMessageBox::NoIcon, u"tovarinII"_s, text, QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    box->setWindowIcon(programIcon());
    return box;
}

void showMessageBox(const QString &text)
{
    makeMessageBox(text)->exec();
}

} // namespace tovarin
