// What a screen reader finds on the three screens through Qt's accessibility interface (AT-SPI
// on Linux): every control's role, name, description and state; names and texts that follow
// what the program puts on the screen; the option buttons as radio buttons that a screen reader
// can select, the way a click does.

#include "tests/ui/ScreenTestSupport.h"

#include "bank/QuestionBank.h"

#include "ui/results/IndexedLabel.h"

#include <QAccessible>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

QAccessibleInterface *accessible(const QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(const_cast<QWidget *>(widget));
}

QString nameOf(const QWidget *widget)
{
    return accessible(widget)->text(QAccessible::Name);
}

QString textOf(const QWidget *widget)
{
    QAccessibleTextInterface *text = accessible(widget)->textInterface();
    return text ? text->text(0, text->characterCount()) : u"(no text interface)"_s;
}

// A question of the bank with its picture, of question 55 (index 4).
ExamQuestion questionWithAPicture()
{
    const QuestionBank &bank = QuestionBank::builtIn();
    for (std::int16_t v = 0; v < bank.PoolSize(4); ++v) {
        const QuestionVariant variant = bank.Variant(4, v);
        if (variant.PictureRef && !variant.PictureRef->isEmpty()) {
            ExamQuestion question;
            question.QuestionText = variant.QuestionText;
            for (std::size_t c = 0; c < 4; ++c)
                question.ChoiceText[c] = variant.ChoiceText[c];
            question.CorrectChoice = variant.CorrectChoice;
            question.LayoutType = variant.LayoutType;
            question.PictureRef = variant.PictureRef;
            return question;
        }
    }
    return {};
}

// Fourteen questions whose texts name their index, the text on two lines, correct choice
// i % 4 + 1; questions 51 to 54 answered right (section I 40 points, 50.0, not red), the rest
// unanswered (section II and the total red).
void fillPaper()
{
    fillPaperWithNamedQuestions();
    ExamPaper &paper = examPaper();
    for (std::size_t i = 0; i < 14; ++i) {
        ExamQuestion &q = paper.Questions[i];
        q.QuestionText += "\r\n二行目";
        q.CorrectChoice = std::int16_t(i % 4 + 1);
        paper.Answers[i] = i < 4 ? q.CorrectChoice : std::int16_t(0);
    }
}

QWidget *shownScreen(const QString &screen)
{
    Form *form = nullptr;
    if (screen == u"menu")
        form = &Screens::frmMenu();
    else if (screen == u"exam")
        form = &Screens::frmSiken();
    else
        form = &Screens::frmSeiseki();
    form->Show();
    return form;
}

} // namespace

class AccessibilityTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        startFresh();
        fillPaper();
    }

    void everyControlHasItsRoleNameAndState_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("control"); // "" for the window itself
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("focusable");
        QTest::addColumn<bool>("enabled");
        auto row = [](const char *screen, const char *control, QAccessible::Role role,
                       const QString &name, const QString &description = {}, bool focusable = false,
                       bool enabled = true) {
            QTest::addRow("%s %s", screen, *control ? control : "window")
                << QString::fromLatin1(screen) << QString::fromLatin1(control) << int(role) << name
                << description << focusable << enabled;
        };
        using A = QAccessible;
        row("menu", "", A::Window, u"Tovarin"_s, u"メニュー"_s, false);
        row("menu", "Label1", A::StaticText, u"Tovarin 小型船舶操縦士（一級）"_s);
        row("menu", "cmd1", A::Button, u"試験開始"_s, {}, true);
        row("menu", "cmdEnd", A::Button, u"終\u3000了"_s, {}, true);

        row("exam", "", A::Window, u"Tovarin"_s, u"試験問題"_s);
        row("exam", "cmdBefore", A::Button, u"＜前の問題"_s, {}, true, false);
        row("exam", "cmdNext", A::Button, u"次の問題＞"_s, {}, true);
        row("exam", "Frame1", A::Grouping, u"残り時間"_s);
        row("exam", "cmdSyuuryou", A::Button, u"試験終了"_s, {}, true);
        // An empty label in a frame goes by the frame's caption.
        row("exam", "lblTime", A::StaticText, u"残り時間"_s);
        row("exam", "Frame2", A::Grouping, u"第51問"_s);
        row("exam", "txtQ", A::EditableText, u"問題文"_s, {}, true);
        row("exam", "Option1_0", A::RadioButton, u"(1) 選択肢0-1"_s, {}, true);
        row("exam", "Option1_1", A::RadioButton, u"(2) 選択肢0-2"_s, {}, true);
        row("exam", "Option1_2", A::RadioButton, u"(3) 選択肢0-3"_s, {}, true);
        row("exam", "Option1_3", A::RadioButton, u"(4) 選択肢0-4"_s, {}, true);
        row("exam", "Image1", A::StaticText, u"第51問"_s); // no picture on question 51
        row("exam", "Frame3", A::Grouping, u"正 答"_s);
        row("exam", "cmdCorAns", A::Button, u"正答表示"_s, {}, true);
        row("exam", "lblCorAns", A::StaticText, u"正 答"_s);

        row("results", "", A::Window, u"Tovarin"_s, u"成績"_s);
        row("results", "Label18", A::StaticText, u"正解"_s);
        row("results", "Label19", A::StaticText, u"解答"_s);
        row("results", "Label17_0", A::StaticText, u"問51"_s); // mouse only: no focus
        row("results", "Label17_13", A::StaticText, u"問64"_s);
        row("results", "lbl1_1", A::StaticText, u"2"_s, u"問52 正解"_s);
        row("results", "Label23_1", A::StaticText, u"2"_s, u"問52 解答"_s);
        row("results", "lbl1_13", A::StaticText, u"2"_s, u"問64 正解"_s);
        row("results", "Label23_13", A::StaticText, QString(), u"問64 解答"_s);
        row("results", "Label20", A::StaticText, u"↑問いをクリックすると、問題を表示します。"_s);
        row("results", "Frame1", A::Grouping, u"得点"_s);
        row("results", "Label1", A::StaticText, u"上級運航 I"_s);
        row("results", "Label2", A::StaticText, u"上級運航 II"_s);
        row("results", "Label10", A::StaticText, u"合　計"_s);
        row("results", "Label7", A::StaticText, u"点"_s);
        row("results", "Label16", A::StaticText, u"%"_s);
        row("results", "Label12", A::StaticText, u"１４０点満点"_s);
        row("results", "txt1", A::EditableText, u"上級運航 I 得点"_s, u"８０点満点"_s, true);
        row("results", "txt2", A::EditableText, u"上級運航 II 得点"_s, u"６０点満点"_s, true);
        row("results", "txt4", A::EditableText, u"合計 得点"_s, u"１４０点満点"_s, true);
        row("results", "txt5", A::EditableText, u"上級運航 I 得点率"_s, QString(), true);
        row("results", "txt6", A::EditableText, u"上級運航 II 得点率"_s, u"赤で表示"_s, true);
        row("results", "txt8", A::EditableText, u"合計 得点率"_s, u"赤で表示"_s, true);
        row("results", "cmdEnd", A::Button, u"閉じる"_s, {}, true);
    }
    void everyControlHasItsRoleNameAndState()
    {
        QFETCH(QString, screen);
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(bool, focusable);
        QFETCH(bool, enabled);
        QWidget *form = shownScreen(screen);
        QWidget *widget = control.isEmpty() ? form : form->findChild<QWidget *>(control);
        QVERIFY(widget);
        QAccessibleInterface *iface = accessible(widget);
        QVERIFY(iface && iface->isValid());
        QCOMPARE(iface->object(), widget);
        QCOMPARE(int(iface->role()), role);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Description), description);
        const QAccessible::State state = iface->state();
        QCOMPARE(bool(state.focusable), focusable);
        QCOMPARE(bool(state.disabled), !enabled);
        if (role == QAccessible::EditableText)
            QVERIFY2(state.readOnly, "a locked box must not offer itself for typing");
        if (role == QAccessible::RadioButton)
            QVERIFY(state.checkable && !state.checked);
    }

    // The explanation of review, on the built-in bank: "解説" is a button by its caption, and the
    // window, its scrolled text, the text itself (as plain text), the plot and the picture are
    // each named.
    void theExplanationReads_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("chart work, 第51問") << 0;
        QTest::newRow("weather picture, 第55問") << 4;
    }
    void theExplanationReads()
    {
        QFETCH(int, index);
        examPaper() = ExamPaper {};
        ExamRun run;
        frmSiken &siken = run.start();
        click(&siken, "cmdSyuuryou");
        QTest::mouseClick(
            Screens::ifLoaded<frmSeiseki>()->findChild<IndexedLabel *>(u"Label17_%1"_s.arg(index)),
            Qt::LeftButton);
        QWidget *button = control(&siken, "cmdKaisetsu");
        QCOMPARE(int(accessible(button)->role()), int(QAccessible::Button));
        QCOMPARE(nameOf(button), u"解説"_s);
        QVERIFY(accessible(button)->state().focusable && !accessible(button)->state().invisible);
        click(&siken, "cmdKaisetsu");
        const frmKaisetsu *kaisetsu = Screens::ifLoaded<frmKaisetsu>();
        QVERIFY(kaisetsu);
        QCOMPARE(int(accessible(kaisetsu)->role()), int(QAccessible::Window));
        QCOMPARE(nameOf(kaisetsu), u"Tovarin"_s);
        QCOMPARE(accessible(kaisetsu)->text(QAccessible::Description), u"解説"_s);
        QAccessibleInterface *box = accessible(control(kaisetsu, "txtKaisetsu"));
        QCOMPARE(box->text(QAccessible::Name), u"解説"_s);
        QCOMPARE(int(box->role()), int(QAccessible::EditableText));
        QVERIFY(box->state().focusable && box->state().readOnly);
        QVERIFY(box->textInterface());
        const QString text = box->textInterface()->text(0, box->textInterface()->characterCount());
        const ExamQuestion &question = examPaper().Questions[std::size_t(index)];
        QVERIFY2(text.contains(u"正答の理由"_s) && !text.contains(u"<"_s), qPrintable(text));
        QVERIFY2(text.contains(QString::fromStdString(
                     question.ChoiceText[std::size_t(question.CorrectChoice - 1)])),
            qPrintable(text));
        if (index == 0) {
            QCOMPARE(nameOf(control(kaisetsu, "plotKaisetsu")), u"作図"_s);
            QVERIFY(accessible(control(kaisetsu, "plotKaisetsu"))
                        ->text(QAccessible::Description)
                        .startsWith(u"答 "_s));
        } else {
            QCOMPARE(nameOf(control(kaisetsu, "picKaisetsu")), u"問題の図"_s);
        }
    }

    // The question, the choices, the header, the selection, the navigation, the correct answer,
    // the remaining time and the picture, each read through the interface after the program
    // changed it the candidate's way.
    void examScreenReadsAsItShowsEachQuestion()
    {
        SetClock clock(dateTime(9, 3, 0));
        replaceProgramClock(&clock);
        examPaper().StartTime = dateTime(9, 0, 0);
        examPaper().Questions[5] = questionWithAPicture();
        frmSiken &siken = static_cast<frmSiken &>(*shownScreen(u"exam"_s));
        const QWidget *before = control(&siken, "cmdBefore");
        QVERIFY(accessible(before)->state().disabled);

        click(&siken, "cmdNext");
        QCOMPARE(nameOf(control(&siken, "Frame2")), u"第52問"_s);
        QCOMPARE(textOf(control(&siken, "txtQ")), u"問題1\n二行目"_s);
        QCOMPARE(accessible(control(&siken, "txtQ"))->text(QAccessible::Value), u"問題1\n二行目"_s);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(nameOf(option(&siken, i)), u"(%1) 選択肢1-%1"_s.arg(i + 1));
        QVERIFY(!accessible(before)->state().disabled);

        choose(&siken, 3);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(bool(accessible(option(&siken, i))->state().checked), i == 2);

        click(&siken, "cmdCorAns");
        QCOMPARE(nameOf(control(&siken, "lblCorAns")), u"(2)"_s);

        tick(&siken);
        QCOMPARE(nameOf(control(&siken, "lblTime")), u"01:07"_s);

        for (int i = 0; i < 4; ++i)
            click(&siken, "cmdNext");
        const QWidget *picture = control(&siken, "Image1");
        QCOMPARE(int(accessible(picture)->role()), int(QAccessible::Graphic));
        QCOMPARE(nameOf(picture), u"問題の図"_s);
        QAccessibleImageInterface *image = accessible(picture)->imageInterface();
        QVERIFY(image);
        QCOMPARE(image->imageSize(), control<QLabel>(&siken, "Image1")->pixmap().size());
        QCOMPARE(nameOf(option(&siken, 0)),
            u"(1) "_s + QString::fromStdString(examPaper().Questions[5].ChoiceText[0]));

        click(&siken, "cmdNext");
        QCOMPARE(nameOf(picture), u"第57問"_s);
        QCOMPARE(int(accessible(picture)->role()), int(QAccessible::StaticText));
    }

    void scoresReadAsTheBoxesShowThem()
    {
        const QWidget *results = shownScreen(u"results"_s);
        const QStringList expected { u"40"_s, u"0"_s, u"40"_s, u"50.0"_s, u"0.0"_s, u"28.6"_s };
        const char *boxes[] { "txt1", "txt2", "txt4", "txt5", "txt6", "txt8" };
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(textOf(control(results, boxes[i])), expected[i]);
            QCOMPARE(accessible(control(results, boxes[i]))->text(QAccessible::Value), expected[i]);
        }
    }

    // A screen reader's action on a choice does what a click does: it selects that choice,
    // clears the others, keeps a selected one selected, and records nothing until the candidate
    // leaves the question.
    void aChoiceSelectedByAScreenReaderActsLikeAClick()
    {
        examPaper().Answers[0] = 0;
        frmSiken &siken = static_cast<frmSiken &>(*shownScreen(u"exam"_s));
        QAccessibleActionInterface *third = accessible(option(&siken, 2))->actionInterface();
        QVERIFY(third);
        QVERIFY(third->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        third->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(selectedChoice(&siken), 3);
        third->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(selectedChoice(&siken), 3);
        accessible(option(&siken, 0))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(selectedChoice(&siken), 1);
        QCOMPARE(examPaper().Answers[0], std::int16_t(0));
        click(&siken, "cmdNext");
        QCOMPARE(examPaper().Answers[0], std::int16_t(1));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
