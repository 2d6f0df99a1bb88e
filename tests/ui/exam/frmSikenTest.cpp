// The exam screen: its window and controls at load, SetMondai's header, text, choices, the
// three layouts, the picture and the navigation states, and the option buttons' group.

#include "tests/ui/ScreenTestSupport.h"

#include <QBuffer>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

#include <stdexcept>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

std::vector<std::uint8_t> bmpBytes(QSize size, QImage::Format format)
{
    QImage image(size, format);
    image.fill(Qt::gray);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

QString frameTitle(const QWidget *form)
{
    return control<QGroupBox>(form, "Frame2")->title();
}

QLabel *image(const QWidget *form)
{
    return control<QLabel>(form, "Image1");
}

} // namespace

class frmSikenTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        startFresh();
        fillPaperWithNamedQuestions();
    }

    void windowIsSizableWithMinimiseButNoMaximise()
    {
        frmSiken &siken = Screens::frmSiken();
        QCOMPARE(siken.windowTitle(), u"Tovarin"_s);
        QVERIFY(!siken.windowIcon().isNull());
        QCOMPARE(siken.size(), QSize(781, 580));
        QVERIFY(siken.minimumSize() != siken.maximumSize());
        QVERIFY(siken.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(siken.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(siken.windowFlags() & Qt::WindowCloseButtonHint);
    }

    void controlsHaveTheirCaptionsAndPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("place");
        QTest::newRow("cmdCorAns")
            << u"cmdCorAns"_s << u""_s << u"正答表示"_s << QRect(232, 536, 81, 33);
        QTest::newRow("Frame3") << u"Frame3"_s << u""_s << u"正 答"_s << QRect(144, 528, 81, 41);
        QTest::newRow("lblCorAns")
            << u"lblCorAns"_s << u"Frame3"_s << u""_s << QRect(24, 16, 33, 17);
        QTest::newRow("Frame2") << u"Frame2"_s << u""_s << u"第51問"_s << QRect(16, 16, 753, 505);
        QTest::newRow("txtQ") << u"txtQ"_s << u"Frame2"_s << u""_s << QRect(8, 16, 729, 153);
        QTest::newRow("Frame1") << u"Frame1"_s << u""_s << u"残り時間"_s << QRect(16, 528, 73, 41);
        QTest::newRow("lblTime") << u"lblTime"_s << u"Frame1"_s << u""_s << QRect(24, 16, 41, 17);
        QTest::newRow("cmdNext") << u"cmdNext"_s << u""_s << u"次の問題＞"_s
                                 << QRect(560, 536, 81, 33);
        QTest::newRow("cmdBefore")
            << u"cmdBefore"_s << u""_s << u"＜前の問題"_s << QRect(472, 536, 81, 33);
        QTest::newRow("cmdSyuuryou")
            << u"cmdSyuuryou"_s << u""_s << u"試験終了"_s << QRect(656, 536, 121, 33);
    }
    void controlsHaveTheirCaptionsAndPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QRect, place);
        frmSiken &siken = Screens::frmSiken();
        const QWidget *widget = siken.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(captionOf(widget), caption);
        QCOMPARE(widget->geometry(), place);
    }

    void afterLoadNoChoiceIsSelectedAndOnlyTheNextButtonIsEnabled()
    {
        frmSiken &siken = Screens::frmSiken();
        QCOMPARE(siken.iNumber, std::int16_t(0));
        for (int i = 0; i < 4; ++i) {
            QVERIFY(!option(&siken, i)->isChecked());
            QCOMPARE(option(&siken, i)->height(), 25);
            QCOMPARE(option(&siken, i)->parentWidget()->objectName(), u"Frame2"_s);
        }
        QVERIFY(!control<QPushButton>(&siken, "cmdBefore")->isEnabled());
        QVERIFY(control<QPushButton>(&siken, "cmdNext")->isEnabled());
        QVERIFY(control<QPushButton>(&siken, "cmdSyuuryou")->isEnabled());
        QVERIFY(control<QPushButton>(&siken, "cmdCorAns")->isEnabled());
        QVERIFY(image(&siken)->pixmap().isNull());
        QCOMPARE(image(&siken)->size(), QSize(729, 225));
        const auto *timer = siken.findChild<QTimer *>(u"Timer1"_s);
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QCOMPARE(control<QPlainTextEdit>(&siken, "txtQ")->toPlainText(), u"問題0"_s);
        QVERIFY(control<QPlainTextEdit>(&siken, "txtQ")->isReadOnly());
        QCOMPARE(control<QPlainTextEdit>(&siken, "txtQ")->verticalScrollBarPolicy(),
            Qt::ScrollBarAlwaysOn);
    }

    void everyCaptionFits()
    {
        frmSiken &siken = Screens::frmSiken();
        control<QLabel>(&siken, "lblTime")->setText(u"00:00"_s);
        control<QLabel>(&siken, "lblCorAns")->setText(u"(4)"_s);
        siken.SetMondai(13);
        control<QLabel>(&siken, "lblTime")->setText(u"01:09"_s);
        const QStringList faults = captionsThatDoNotFit(&siken);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; ")));
    }

    void formLoadLetsTheWaitingEventsThrough()
    {
        struct Receiver : QObject
        {
            int received = 0;
            bool event(QEvent *e) override
            {
                if (e->type() != QEvent::User)
                    return QObject::event(e);
                ++received;
                return true;
            }
        } receiver;
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        Screens::frmSiken();
        QCOMPARE(receiver.received, 1);
    }

    void headerShowsTheQuestionNumberWithTheQuestionsTexts_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("header");
        QTest::newRow("index 0 is question 51") << 0 << u"第51問"_s;
        QTest::newRow("index 7 is question 58") << 7 << u"第58問"_s;
        QTest::newRow("index 13 is question 64") << 13 << u"第64問"_s;
    }
    void headerShowsTheQuestionNumberWithTheQuestionsTexts()
    {
        QFETCH(int, index);
        QFETCH(QString, header);
        frmSiken &siken = Screens::frmSiken();
        siken.SetMondai(std::int16_t(index));
        QCOMPARE(frameTitle(&siken), header);
        QCOMPARE(control<QPlainTextEdit>(&siken, "txtQ")->toPlainText(), u"問題%1"_s.arg(index));
        for (int c = 0; c < 4; ++c)
            QCOMPARE(option(&siken, c)->text(), u"(%1) 選択肢%2-%1"_s.arg(c + 1).arg(index));
        QCOMPARE(siken.iNumber, std::int16_t(0)); // SetMondai does not move iNumber
    }

    void navigationButtonsFollowINumberNotTheQuestionShown_data()
    {
        QTest::addColumn<int>("iNumber");
        QTest::addColumn<bool>("beforeEnabled");
        QTest::addColumn<bool>("nextEnabled");
        QTest::newRow("first question 0") << 0 << false << true;
        QTest::newRow("below the first -1") << -1 << false << true;
        QTest::newRow("middle question 7") << 7 << true << true;
        QTest::newRow("last question 13") << 13 << true << false;
        QTest::newRow("beyond the last 14") << 14 << true << false;
    }
    void navigationButtonsFollowINumberNotTheQuestionShown()
    {
        QFETCH(int, iNumber);
        QFETCH(bool, beforeEnabled);
        QFETCH(bool, nextEnabled);
        frmSiken &siken = Screens::frmSiken();
        siken.iNumber = std::int16_t(iNumber);
        siken.SetMondai(5);
        QCOMPARE(control<QPushButton>(&siken, "cmdBefore")->isEnabled(), beforeEnabled);
        QCOMPARE(control<QPushButton>(&siken, "cmdNext")->isEnabled(), nextEnabled);
    }

    void layoutTypePlacesTheChoicesAndThePicture_data()
    {
        QTest::addColumn<int>("layoutType");
        QTest::addColumn<QList<QRect>>("choices");
        QTest::addColumn<QPoint>("picture");
        const QList<QRect> fullWidth { { 16, 176, 729, 25 }, { 16, 208, 729, 25 },
            { 16, 240, 729, 25 }, { 16, 272, 729, 25 } };
        const QList<QRect> oneRow { { 16, 176, 175, 25 }, { 189, 176, 175, 25 },
            { 364, 176, 175, 25 }, { 537, 176, 187, 25 } };
        const QList<QRect> leftHalf { { 16, 176, 373, 25 }, { 16, 208, 373, 25 },
            { 16, 240, 373, 25 }, { 16, 272, 373, 25 } };
        QTest::newRow("1 full width") << 1 << fullWidth << QPoint(480, 240);
        QTest::newRow("2 one row, last wider") << 2 << oneRow << QPoint(16, 208);
        QTest::newRow("3 left half") << 3 << leftHalf << QPoint(467, 207);
        QTest::newRow("0 takes the left half") << 0 << leftHalf << QPoint(467, 207);
        QTest::newRow("4 takes the left half") << 4 << leftHalf << QPoint(467, 207);
        QTest::newRow("-1 takes the left half") << -1 << leftHalf << QPoint(467, 207);
    }
    void layoutTypePlacesTheChoicesAndThePicture()
    {
        QFETCH(int, layoutType);
        QFETCH(QList<QRect>, choices);
        QFETCH(QPoint, picture);
        frmSiken &siken = Screens::frmSiken();
        siken.SetMondai(2); // another layout first, so that every figure has to move
        examPaper().Questions[4].LayoutType = std::int16_t(layoutType);
        examPaper().Questions[2].LayoutType = layoutType == 2 ? 1 : 2;
        siken.SetMondai(2);
        siken.SetMondai(4);
        for (int c = 0; c < 4; ++c)
            QCOMPARE(option(&siken, c)->geometry(), choices[c]);
        QCOMPARE(image(&siken)->pos(), picture);
    }

    // A candidate aims at the row: a click on its blank right end selects the choice, in the
    // full-width and the one-row layout alike; a press there dragged off the row does not.
    void aClickOnTheBlankRightOfARowSelectsItsChoice()
    {
        examPaper().Questions[5].LayoutType = 2;
        frmSiken &siken = Screens::frmSiken();
        siken.Show();
        for (const std::int16_t question : { std::int16_t(0), std::int16_t(5) }) {
            siken.SetMondai(question);
            for (int c = 0; c < 4; ++c) {
                QRadioButton *button = option(&siken, c);
                const QPoint rightEnd(button->width() - 3, button->height() / 2);
                QVERIFY2(
                    button->fontMetrics().horizontalAdvance(button->text()) < rightEnd.x() - 40,
                    "the point lies beyond the caption");
                QTest::mouseClick(button, Qt::LeftButton, {}, rightEnd);
                QCOMPARE(selectedChoice(&siken), c + 1);
            }
        }
        QRadioButton *first = option(&siken, 0);
        QTest::mousePress(first, Qt::LeftButton, {}, { first->width() - 3, 5 });
        QTest::mouseRelease(first, Qt::LeftButton, {}, { first->width() + 20, 5 });
        QCOMPARE(selectedChoice(&siken), 4);
    }

    void pictureTakesItsNaturalSizeAndAQuestionWithoutOneLeavesImage1Empty()
    {
        const std::vector<std::uint8_t> grey = bmpBytes({ 120, 80 }, QImage::Format_Grayscale8);
        const std::vector<std::uint8_t> colour = bmpBytes({ 300, 200 }, QImage::Format_RGB888);
        const PictureHolder greyHolder("grey.bmp", grey);
        const PictureHolder colourHolder("colour.bmp", colour);
        const PictureHolder emptyHolder("", {});
        examPaper().Questions[4].PictureRef = &greyHolder;
        examPaper().Questions[4].LayoutType = 3;
        examPaper().Questions[5].PictureRef = &colourHolder;
        examPaper().Questions[5].LayoutType = 2;
        examPaper().Questions[7].PictureRef = &emptyHolder;
        frmSiken &siken = Screens::frmSiken();

        siken.SetMondai(4);
        QCOMPARE(image(&siken)->pixmap().size(), QSize(120, 80));
        QCOMPARE(image(&siken)->geometry(), QRect(467, 207, 120, 80));
        siken.SetMondai(5);
        QCOMPARE(image(&siken)->geometry(), QRect(16, 208, 300, 200));
        siken.SetMondai(6);
        QVERIFY(image(&siken)->pixmap().isNull());
        siken.SetMondai(5);
        siken.SetMondai(7);
        QVERIFY2(image(&siken)->pixmap().isNull(), "an empty picture shows nothing");
    }

    void pictureLiesBeneathTheChoicesAndTheText()
    {
        const QWidget *frame = control(&Screens::frmSiken(), "Frame2");
        const QObjectList stack = frame->children(); // bottom first
        const qsizetype picture = stack.indexOf(image(frame));
        QVERIFY(picture >= 0);
        QVERIFY(picture < stack.indexOf(control(frame, "txtQ")));
        for (int c = 0; c < 4; ++c)
            QVERIFY(picture < stack.indexOf(option(frame, c)));
    }

    void questionTextKeepsItsLineBreaksAndFullWidthBlanks()
    {
        examPaper().Questions[3].QuestionText
            = "次の図を見て、\r\n　　問いに答えよ。\r\n（1）  潮流";
        examPaper().Questions[3].ChoiceText[1] = "北東\r\n";
        frmSiken &siken = Screens::frmSiken();
        siken.SetMondai(3);
        const QTextDocument *document = control<QPlainTextEdit>(&siken, "txtQ")->document();
        QCOMPARE(document->blockCount(), 3);
        QCOMPARE(document->findBlockByNumber(0).text(), u"次の図を見て、"_s);
        QCOMPARE(document->findBlockByNumber(1).text(), u"\u3000\u3000問いに答えよ。"_s);
        QCOMPARE(document->findBlockByNumber(2).text(), u"（1）  潮流"_s);
        QCOMPARE(option(&siken, 1)->text(), u"(2) 北東\r\n"_s);
    }

    void setMondaiKeepsTheSelectionAndEmptiesTheCorrectAnswer()
    {
        frmSiken &siken = Screens::frmSiken();
        QTest::mouseClick(option(&siken, 2), Qt::LeftButton, {}, indicatorPoint(option(&siken, 2)));
        QVERIFY(option(&siken, 2)->isChecked());
        control<QLabel>(&siken, "lblCorAns")->setText(u"(3)"_s);
        control<QLabel>(&siken, "lblTime")->setText(u"01:09"_s);
        siken.SetMondai(1);
        QVERIFY(option(&siken, 2)->isChecked());
        QCOMPARE(control<QLabel>(&siken, "lblCorAns")->text(), QString());
        QCOMPARE(control<QLabel>(&siken, "lblTime")->text(), u"01:09"_s);
    }

    void optionButtonsFormOneGroupThatCanAlsoShowNoSelection()
    {
        frmSiken &siken = Screens::frmSiken();
        siken.Show();
        auto click = [&siken](int i) {
            QTest::mouseClick(
                option(&siken, i), Qt::LeftButton, {}, indicatorPoint(option(&siken, i)));
        };
        auto selected = [&siken] {
            QList<int> on;
            for (int i = 0; i < 4; ++i)
                if (option(&siken, i)->isChecked())
                    on << i;
            return on;
        };
        click(0);
        QCOMPARE(selected(), QList<int> { 0 });
        click(2);
        QCOMPARE(selected(), QList<int> { 2 });
        click(2);
        QCOMPARE(selected(), QList<int> { 2 }); // a click on the selected one keeps it
        option(&siken, 3)->setChecked(true);
        QCOMPARE(selected(), QList<int> { 3 });
        for (int i = 0; i < 4; ++i)
            option(&siken, i)->setChecked(false);
        QCOMPARE(selected(), QList<int>());
    }

    void anIndexOutsideTheExamPaperStopsBeforeChangingTheScreen()
    {
        frmSiken &siken = Screens::frmSiken();
        siken.SetMondai(14); // the unused entry is still an entry
        QCOMPARE(frameTitle(&siken), u"第65問"_s);
        siken.SetMondai(2);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, siken.SetMondai(15));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, siken.SetMondai(-1));
        QCOMPARE(frameTitle(&siken), u"第53問"_s);
        QCOMPARE(control<QPlainTextEdit>(&siken, "txtQ")->toPlainText(), u"問題2"_s);
    }
};

QTEST_MAIN(frmSikenTest)
#include "frmSikenTest.moc"
