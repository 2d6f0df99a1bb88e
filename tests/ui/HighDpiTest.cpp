// The screens at the scale factor that the test's environment sets (QT_SCALE_FACTOR; CTest runs
// this file at 1, 1.5 and 2): the same logical geometry, every caption and every choice of the
// bank still fits, and every picture of the bank covers exactly its own size in pixels as
// logical pixels, each picture pixel a sharp square of device pixels where the scale is a whole
// number.

#include "tests/ui/ScreenTestSupport.h"

#include "bank/QuestionBank.h"

#include <QPixmap>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

qreal scaleOfTheEnvironment()
{
    return qEnvironmentVariable("QT_SCALE_FACTOR", u"0"_s).toDouble();
}

QImage decoded(const PictureHolder &holder)
{
    const auto bytes = holder.bytes();
    return QImage::fromData(bytes.data(), int(bytes.size()), "BMP");
}

} // namespace

class HighDpiTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        applyProgramLook();
        QVERIFY2(scaleOfTheEnvironment() > 0, "QT_SCALE_FACTOR must be set for this test");
    }
    void init() { startFresh(); }
    void cleanup() { unloadEverything(); }

    void screensKeepTheirLogicalSizeAndEveryCaptionFits_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QSize>("size");
        QTest::newRow("menu") << u"menu"_s << QSize(365, 206);
        QTest::newRow("exam, last question") << u"exam"_s << QSize(781, 580);
        QTest::newRow("results") << u"results"_s << QSize(588, 362);
    }
    void screensKeepTheirLogicalSizeAndEveryCaptionFits()
    {
        QFETCH(QString, screen);
        QFETCH(QSize, size);
        ExamRun run;
        Form *form = &Screens::frmMenu();
        if (screen != u"menu") {
            frmSiken &siken = run.start();
            run.after(std::chrono::minutes(1));
            tick(&siken);
            for (int i = 0; i < 13; ++i)
                click(&siken, "cmdNext");
            click(&siken, "cmdCorAns");
            form = &siken;
            if (screen == u"results") {
                click(&siken, "cmdSyuuryou");
                form = Screens::ifLoaded<frmSeiseki>();
            }
        }
        form->Show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->devicePixelRatioF(), scaleOfTheEnvironment());
        QCOMPARE(form->size(), size);
        const QPixmap shown = form->grab();
        QCOMPARE(shown.size(), (QSizeF(size) * scaleOfTheEnvironment()).toSize());
        const QStringList faults = captionsThatDoNotFit(form);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; ")));
    }

    // The bank's choices are the one caption that the screens do not fix.
    void everyChoiceOfTheBankFitsItsOptionButton()
    {
        const QuestionBank &bank = QuestionBank::builtIn();
        frmSiken &siken = Screens::frmSiken();
        QStringList faults;
        for (std::int16_t slot = 0; slot < QuestionBank::slotCount; ++slot) {
            for (std::int16_t v = 0; v < bank.PoolSize(slot); ++v) {
                const QuestionVariant variant = bank.Variant(slot, v);
                for (std::size_t c = 0; c < 4; ++c)
                    examPaper().Questions[0].ChoiceText[c] = variant.ChoiceText[c];
                examPaper().Questions[0].LayoutType = variant.LayoutType;
                siken.SetMondai(0);
                for (int i = 0; i < 4; ++i) {
                    const QRadioButton *choice = option(&siken, i);
                    if (choice->sizeHint().width() > choice->width())
                        faults << u"%1/%2 %3"_s.arg(slot + 51).arg(v).arg(choice->text());
                }
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; ")));
    }

    void everyPictureCoversItsOwnPixelSize()
    {
        const QuestionBank &bank = QuestionBank::builtIn();
        const qreal scale = scaleOfTheEnvironment();
        const bool wholeScale = scale == std::floor(scale);
        frmSiken &siken = Screens::frmSiken();
        siken.Show();
        auto *image1 = control<QLabel>(&siken, "Image1");
        int pictures = 0;
        for (std::int16_t slot : { std::int16_t(4), std::int16_t(5) }) {
            for (std::int16_t v = 0; v < bank.PoolSize(slot); ++v) {
                const QuestionVariant variant = bank.Variant(slot, v);
                if (!variant.PictureRef || variant.PictureRef->isEmpty())
                    continue;
                ++pictures;
                const QString which = u"question %1 variant %2"_s.arg(slot + 51).arg(v);
                examPaper().Questions[0].PictureRef = variant.PictureRef;
                examPaper().Questions[0].LayoutType = variant.LayoutType;
                siken.SetMondai(0);
                const QImage picture = decoded(*variant.PictureRef);
                QVERIFY2(image1->size() == picture.size(), qPrintable(which));
                QImage drawn = image1->grab().toImage().convertToFormat(QImage::Format_RGB32);
                drawn.setDevicePixelRatio(1.0);
                QVERIFY2(
                    drawn.size() == (QSizeF(picture.size()) * scale).toSize(), qPrintable(which));
                if (wholeScale) {
                    const QImage blocks
                        = picture.convertToFormat(QImage::Format_RGB32)
                              .scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
                    QVERIFY2(drawn == blocks, qPrintable(which + u": not pixel for pixel"_s));
                }
            }
        }
        QVERIFY(pictures >= 20);
    }
};

QTEST_MAIN(HighDpiTest)
#include "HighDpiTest.moc"
