#include "Look.h"

#include <QApplication>
#include <QStyleFactory>

using namespace Qt::Literals::StringLiterals;

namespace tovarin {

QString programCaption()
{
    return u"Tovarin"_s;
}

QColor pureRed()
{
    return QColor(255, 0, 0);
}

QString gothicFamily()
{
    return u"ＭＳ Ｐゴシック"_s;
}

QFont gothicFont(qreal pointSize)
{
    QFont font(gothicFamily());
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

QFont defaultFont()
{
    return gothicFont(9.0);
}

void applyProgramLook()
{
    // The controls' geometry is fixed in pixels; one style on every platform keeps the frames,
    // indicators and margins the screens were checked with.
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
    QFont::insertSubstitutions(gothicFamily(), { u"IPAPGothic"_s, u"IPA Pゴシック"_s });
    QApplication::setFont(defaultFont());
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace tovarin
