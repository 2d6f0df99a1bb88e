// Answering and navigation on the exam screen, in tests taken from the menu: a selection reaches
// Answers only when the candidate leaves the question or ends the test, the stored answer of
// the question moved to is shown, the buttons at either end do nothing, and "正答表示".

#include "tests/ui/ScreenTestSupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

QString header(const QWidget *siken)
{
    return control<QGroupBox>(siken, "Frame2")->title();
}

bool enabled(const QWidget *siken, const char *button)
{
    return control<QPushButton>(siken, button)->isEnabled();
}

std::array<std::int16_t, 15> answers()
{
    return examPaper().Answers;
}

} // namespace

class AnsweringTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:

    void theLastChoiceIsRecordedOnLeavingAndTheNextQuestionShowsItsOwn()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        choose(&siken, 1);
        choose(&siken, 2);
        QCOMPARE(selectedChoice(&siken), 2);
        QCOMPARE(answers()[0], std::int16_t(0)); // selecting records nothing by itself

        click(&siken, "cmdNext");
        QCOMPARE(answers()[0], std::int16_t(2));
        QCOMPARE(siken.iNumber, std::int16_t(1));
        QCOMPARE(header(&siken), u"第52問"_s);
        QCOMPARE(control<QPlainTextEdit>(&siken, "txtQ")->toPlainText(),
            QString::fromStdString(examPaper().Questions[1].QuestionText)
                .replace(u"\r\n"_s, u"\n"_s));
        QCOMPARE(selectedChoice(&siken), 0);
        QVERIFY(enabled(&siken, "cmdBefore") && enabled(&siken, "cmdNext"));

        click(&siken, "cmdNext"); // 52 left without a selection
        for (std::size_t i = 1; i < 15; ++i)
            QCOMPARE(answers()[i], std::int16_t(0));
    }

    void goingBackShowsTheRecordedChoiceAndAChangeIsRecordedOnLeaving()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        choose(&siken, 2);
        click(&siken, "cmdNext");
        choose(&siken, 4);
        click(&siken, "cmdBefore");
        QCOMPARE(siken.iNumber, std::int16_t(0));
        QCOMPARE(header(&siken), u"第51問"_s);
        QCOMPARE(answers()[1], std::int16_t(4)); // "＜前の問題" records too
        QCOMPARE(selectedChoice(&siken), 2);
        QVERIFY(!enabled(&siken, "cmdBefore") && enabled(&siken, "cmdNext"));

        choose(&siken, 1);
        click(&siken, "cmdNext");
        QCOMPARE(answers()[0], std::int16_t(1));
        QCOMPARE(answers()[1], std::int16_t(4));
        QCOMPARE(selectedChoice(&siken), 4);
    }

    void endingTheTestRecordsTheChoiceOnScreenAndShowsTheResults()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        click(&siken, "cmdNext");
        click(&siken, "cmdNext");
        choose(&siken, 3);
        tick(&siken);
        QVERIFY(!control<QLabel>(&siken, "lblTime")->text().isEmpty());

        click(&siken, "cmdSyuuryou");
        QCOMPARE(answers()[2], std::int16_t(3));
        QCOMPARE(selectedChoice(&siken), 3);
        QCOMPARE(control<QLabel>(&siken, "lblTime")->text(), QString());
        QVERIFY(!siken.findChild<QTimer *>(u"Timer1"_s)->isActive());
        QCOMPARE(Screens::ifLoaded<frmSiken>(), &siken); // hidden, still loaded
        QCOMPARE(screensOnView(), QStringList { u"frmSeiseki"_s });
        const frmSeiseki &results = *Screens::ifLoaded<frmSeiseki>();
        QCOMPARE(control<QLabel>(&results, "Label23_2")->text(), u"3"_s);
        QCOMPARE(control<QLabel>(&results, "Label23_0")->text(), QString());
    }

    void buttonsAtEitherEndDoNothingEvenWhenTheirHandlersRun()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        choose(&siken, 4);
        QVERIFY(!enabled(&siken, "cmdBefore"));
        siken.cmdBefore_Click();
        QCOMPARE(siken.iNumber, std::int16_t(0));
        QCOMPARE(header(&siken), u"第51問"_s);
        QCOMPARE(answers()[0], std::int16_t(0));
        QCOMPARE(selectedChoice(&siken), 4);

        for (int n = 1; n <= 13; ++n) {
            click(&siken, "cmdNext");
            QCOMPARE(enabled(&siken, "cmdNext"), n < 13);
            QVERIFY(enabled(&siken, "cmdBefore"));
        }
        QCOMPARE(header(&siken), u"第64問"_s);
        choose(&siken, 2);
        siken.cmdNext_Click();
        QCOMPARE(siken.iNumber, std::int16_t(13));
        QCOMPARE(header(&siken), u"第64問"_s);
        QCOMPARE(answers()[13], std::int16_t(0));
        QCOMPARE(answers()[0], std::int16_t(4));

        click(&siken, "cmdBefore");
        QCOMPARE(answers()[13], std::int16_t(2));
        QVERIFY(enabled(&siken, "cmdNext"));
    }

    void correctAnswerShowsTheKeyInParenthesesUntilTheNextQuestion()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        examPaper().Questions[1].CorrectChoice = 4;
        click(&siken, "cmdNext");
        choose(&siken, 1);
        click(&siken, "cmdCorAns");
        QCOMPARE(control<QLabel>(&siken, "lblCorAns")->text(), u"(4)"_s);
        QVERIFY(option(&siken, 3)->text().startsWith(u"(4) "_s));
        QCOMPARE(answers()[1], std::int16_t(0));
        QVERIFY(enabled(&siken, "cmdCorAns"));

        click(&siken, "cmdNext");
        QCOMPARE(control<QLabel>(&siken, "lblCorAns")->text(), QString());
        QCOMPARE(answers()[1], std::int16_t(1));
    }

    void setAnsStopsOnAnIndexOutsideTheAnswersBeforeRecording()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        choose(&siken, 2);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, siken.SetAns(15));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, siken.SetAns(-1));
        QCOMPARE(answers()[0], std::int16_t(0));
        QCOMPARE(selectedChoice(&siken), 2);
        siken.SetAns(14); // the unused entry is still an entry
        QCOMPARE(answers()[0], std::int16_t(2));
        QCOMPARE(selectedChoice(&siken), 0);
    }
};

QTEST_MAIN(AnsweringTest)
#include "AnsweringTest.moc"
