#include "ui/look/Look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyleFactory>

using namespace Qt::Literals::StringLiterals;

namespace tovarin {
namespace {

QString designedGothic()
{
    return u"ＭＳ Ｐゴシック"_s;
}

} // namespace

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
    if (!qGuiApp)
        return designedGothic();
    // Asked for a family that is not installed, Qt sorts every installed font through fontconfig,
    // for each size and script, before it settles on the stand-in: milliseconds of the start-up.
    // Naming the stand-in itself spares that. The installed families do not change while the
    // program runs.
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString &face : { designedGothic(), u"IPAPGothic"_s, u"IPA Pゴシック"_s })
            if (installed.contains(face))
                return face;
        return designedGothic(); // Qt's own fallback finds whatever Japanese face there is
    }();
    return family;
}

QFont gothicFont(qreal pointSize)
{
    QFont font(gothicFamily());
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    // Light hinting runs FreeType's auto-hinter, which first surveys every one of a Japanese
    // face's thousands of glyphs: a few per cent of the program's start-up. The outlines are
    // drawn as designed instead, as Qt draws them anyway on high-density screens.
    font.setHintingPreference(QFont::PreferNoHinting);
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
    QFont::insertSubstitutions(designedGothic(), { u"IPAPGothic"_s, u"IPA Pゴシック"_s });
    QApplication::setFont(defaultFont());
    // The program ends by "終　了" or the menu's close box and by nothing else: the screens' rules
    // keep a window on view, and the message box closing while the results are the only window
    // open must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace tovarin
