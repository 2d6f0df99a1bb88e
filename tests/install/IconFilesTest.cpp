// The icon files installed for the hicolor theme: each must be the program's own 32 x 32 icon,
// every pixel an exact square block at the larger sizes, the transparent surround kept.

#include "ui/look/Look.h"

#include <QImage>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class IconFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QIcon icon = tovarin::programIcon();
        QCOMPARE(icon.availableSizes(), QList<QSize>({ QSize(32, 32) }));
        m_art = icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(m_art.size(), QSize(32, 32));
    }

    void iconFileIsTheProgramIconScaledWhole_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("32 x 32, the icon as it is") << 32;
        QTest::newRow("64 x 64, each pixel 2 x 2") << 64;
        QTest::newRow("128 x 128, each pixel 4 x 4") << 128;
    }

    void iconFileIsTheProgramIconScaledWhole()
    {
        QFETCH(int, size);
        const QString path = QStringLiteral(TOVARIN_ICONS_DIR) + u"/tovarin-%1.png"_s.arg(size);
        QImage file;
        QVERIFY2(file.load(path, "PNG"), qPrintable(u"cannot read "_s + path));
        QCOMPARE(file.size(), QSize(size, size));
        QVERIFY(file.hasAlphaChannel());
        file = file.convertToFormat(QImage::Format_ARGB32);

        const auto hex
            = [](QRgb argb) { return QString::number(argb, 16).rightJustified(8, u'0'); };
        const int factor = size / m_art.width();
        int mismatches = 0;
        QString first;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb want = m_art.pixel(x / factor, y / factor);
                const QRgb got = file.pixel(x, y);
                // Fully transparent pixels may keep any colour; everything else must match.
                if (qAlpha(want) == 0 ? qAlpha(got) != 0 : got != want) {
                    if (mismatches++ == 0)
                        first = u"first at (%1, %2): %3 instead of %4"_s.arg(x).arg(y).arg(
                            hex(got), hex(want));
                }
            }
        }
        QVERIFY2(mismatches == 0, qPrintable(u"%1 pixels differ, "_s.arg(mismatches) + first));
    }

private:
    QImage m_art;
};

QTEST_MAIN(IconFilesTest)
#include "IconFilesTest.moc"
