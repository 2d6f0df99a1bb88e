// The shared look: twips to pixels, the icon, the fonts with their substitute, pure red and the
// message box.

#include "ui/look/Look.h"
#include "app/MessageBox.h"
#include "ui/look/Twips.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QPushButton>
#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;

class LookTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { applyProgramLook(); }

    void twipsBecomeLogicalPixelsRoundedToNearest_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("7 twips, under half a pixel") << 7 << 0;
        QTest::newRow("8 twips, over half a pixel") << 8 << 1;
        QTest::newRow("22 twips rounds down") << 22 << 1;
        QTest::newRow("23 twips rounds up") << 23 << 2;
        QTest::newRow("option height 375") << 375 << 25;
        QTest::newRow("label height 255") << 255 << 17;
        QTest::newRow("layout 2 choice 2620") << 2620 << 175;
        QTest::newRow("layout 2 last choice 2800") << 2800 << 187;
        QTest::newRow("menu client width 5475") << 5475 << 365;
        QTest::newRow("exam client width 11715") << 11715 << 781;
        QTest::newRow("exam client height 8700") << 8700 << 580;
        QTest::newRow("negative rounds symmetrically") << -8 << -1;
    }
    void twipsBecomeLogicalPixelsRoundedToNearest()
    {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(twipsToPixels(twips), pixels);
    }

    void aRectangleConvertsEachFigureOnItsOwn()
    {
        QCOMPARE(toPixels({ 2840, 2640, 2620, 375 }), QRect(189, 176, 175, 25));
        QCOMPARE(twipsSize(8820, 5430), QSize(588, 362));
        QCOMPARE(twipsPoint(7000, 3100), QPoint(467, 207));
    }

    void iconIsAMonitorOf32By32PixelsInTheSixteenClassicColours()
    {
        const QIcon icon = programIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        const QImage image = icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(32, 32));

        const QSet<QRgb> classic { 0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
            0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF,
            0x00FFFF, 0xFFFFFF };
        QSet<QRgb> used;
        int transparent = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) == 0) {
                    ++transparent;
                    continue;
                }
                QCOMPARE(qAlpha(pixel), 255);
                used.insert(pixel & 0xFFFFFF);
            }
        }
        QVERIFY2(used.size() <= 16 && classic.contains(used), "colours outside the palette");
        QVERIFY2(transparent > 0 && transparent < 400, "a surround, not a square or a speck");
        // The screen is dark blue glass in a light grey case.
        QCOMPARE(image.pixel(16, 16) & 0xFFFFFF, QRgb(0x000080));
        QCOMPARE(image.pixel(4, 18) & 0xFFFFFF, QRgb(0xC0C0C0));
    }

    void gothicFaceShowsJapaneseThroughItsSubstitute()
    {
        const QFont font = gothicFont(15.75);
        QCOMPARE(font.pointSizeF(), 15.75);
        QCOMPARE(font.weight(), QFont::Normal);
        const QFontInfo shown(font);
        if (shown.family() != gothicFamily())
            QCOMPARE(shown.family(), u"IPAPGothic"_s);
        QVERIFY(QFontMetrics(font).inFont(u'試'));
        QVERIFY(QFontMetrics(font).inFont(u'\u3000'));
    }

    void everyControlDefaultsToAProportionalGothicAtNinePoints()
    {
        QCOMPARE(QApplication::font().pointSizeF(), 9.0);
        QCOMPARE(QApplication::font().family(), gothicFamily());
        const QPushButton button(u"試験開始"_s);
        QCOMPARE(button.font().pointSizeF(), 9.0);
        QVERIFY(!QFontInfo(button.font()).fixedPitch());
        const QFontMetrics metrics(button.font());
        QVERIFY2(metrics.horizontalAdvance(u"i"_s) < metrics.horizontalAdvance(u"M"_s),
            "a monospaced face would widen the Latin captions");
    }

    void pureRedIsRed255Green0Blue0() { QCOMPARE(pureRed(), QColor(255, 0, 0)); }

    void messageBoxHasTheTextAnOkButtonNoIconAndTheTitle()
    {
        const auto box = makeMessageBox(u"9インデックスが有効範囲にありません。<b>"_s);
        QCOMPARE(box->windowTitle(), u"tovarinII"_s);
        QCOMPARE(box->text(), u"9インデックスが有効範囲にありません。<b>"_s);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->buttons().size(), 1);
    }
};

QTEST_MAIN(LookTest)
#include "LookTest.moc"
