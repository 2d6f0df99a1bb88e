#include "ui/results/frmSeiseki.h"

#include "ui/look/Controls.h"
#include "ui/look/Look.h"
#include "ui/results/IndexedLabel.h"
#include "ui/results/LineControl.h"
#include "ui/results/ShapeControl.h"

#include "paper/ExamPaper.h"
#include "paper/Scoring.h"

using namespace Qt::Literals::StringLiterals;

namespace tovarin {
namespace {

// Top of row i of the answer table: the second section starts 360 twips below the last row of
// the first instead of 240.
int rowTop(int i)
{
    return i < firstSectionIIIndex ? 960 + 240 * i : 3000 + 240 * (i - firstSectionIIIndex);
}

LineControl *line(QWidget *container, const QString &name, int x1, int y1, int x2, int y2)
{
    auto *control = new LineControl(container, QLine(twipsPoint(x1, y1), twipsPoint(x2, y2)));
    control->setObjectName(name);
    return control;
}

ShapeControl *rectangle(QWidget *container, const QString &name, TwipsRect place)
{
    return placed(new ShapeControl(container), name, place);
}

// Turns a rate box red, and says so to a screen reader, which does not see colours.
void showInRed(QLineEdit *box)
{
    setTextColour(box, pureRed());
    box->setAccessibleDescription(u"赤で表示"_s);
}

void showLine(const ScoreLine &line, QLineEdit *pointsBox, QLineEdit *rateBox)
{
    pointsBox->setText(QString::number(line.points));
    rateBox->setText(QString::fromStdString(line.rateText));
    if (line.red)
        showInRed(rateBox);
}

} // namespace

frmSeiseki::frmSeiseki()
    : Form(BorderStyle::FixedDialog, twipsSize(8820, 5430))
{
    setAccessibleDescription(u"成績"_s);
    Shape2 = rectangle(this, u"Shape2"_s, { 480, 480, 2175, 4095 });
    Label18 = label(this, u"Label18"_s, { 1320, 600, 495, 255 }, u"正解"_s);
    Label19 = label(this, u"Label19"_s, { 2040, 600, 495, 255 }, u"解答"_s);
    for (int i = 0; i < questionCount; ++i) {
        const auto k = std::size_t(i);
        Label17[k] = placed(new IndexedLabel(this, std::int16_t(i)), arrayElementName("Label17", i),
            { 720, rowTop(i), 375, 255 });
        Label17[k]->setText(u"問"_s + QString::number(firstQuestionNumber + i));
        Label17[k]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        tightenToFit(Label17[k]);
        lbl1[k] = label(this, arrayElementName("lbl1", i), { 1440, rowTop(i), 375, 255 }, u"1"_s);
        Label23[k]
            = label(this, arrayElementName("Label23", i), { 2160, rowTop(i), 375, 255 }, u"2"_s);
        // The cells are named by what they show; the description says which row and column.
        lbl1[k]->setAccessibleDescription(Label17[k]->text() + u" 正解"_s);
        Label23[k]->setAccessibleDescription(Label17[k]->text() + u" 解答"_s);
    }
    Label20 = label(this, u"Label20"_s, { 720, 4800, 4215, 255 },
        u"↑問いをクリックすると、問題を表示します。"_s);
    setTextColour(Label20, pureRed());
    Line8 = line(this, u"Line8"_s, 480, 840, 2640, 840);
    Line7 = line(this, u"Line7"_s, 1200, 480, 1200, 4560);
    Line9 = line(this, u"Line9"_s, 1920, 480, 1920, 4560);
    Line10 = line(this, u"Line10"_s, 480, 2880, 2640, 2880);

    Frame1 = frame(this, u"Frame1"_s, { 4200, 1200, 4335, 3375 }, QString());
    Frame1->setAccessibleName(u"得点"_s);
    Label1 = label(Frame1, u"Label1"_s, { 480, 600, 1095, 375 }, u"上級運航 I"_s);
    Label2 = label(Frame1, u"Label2"_s, { 1800, 600, 975, 495 }, u"上級運航 II"_s);
    Label10 = label(Frame1, u"Label10"_s, { 3360, 600, 615, 495 }, u"合　計"_s);
    txt1 = lockedTextBox(Frame1, u"txt1"_s, { 600, 1200, 615, 375 });
    Label7 = label(Frame1, u"Label7"_s, { 1200, 1320, 375, 255 }, u"点"_s);
    txt2 = lockedTextBox(Frame1, u"txt2"_s, { 1920, 1200, 615, 375 });
    Label8 = label(Frame1, u"Label8"_s, { 2520, 1320, 375, 255 }, u"点"_s);
    txt4 = lockedTextBox(Frame1, u"txt4"_s, { 3120, 1200, 615, 375 });
    Label11 = label(Frame1, u"Label11"_s, { 3840, 1320, 375, 255 }, u"点"_s);
    txt5 = lockedTextBox(Frame1, u"txt5"_s, { 600, 1920, 615, 375 });
    Label13 = label(Frame1, u"Label13"_s, { 1320, 2040, 375, 255 }, u"%"_s);
    txt6 = lockedTextBox(Frame1, u"txt6"_s, { 1920, 1920, 615, 375 });
    Label14 = label(Frame1, u"Label14"_s, { 2640, 2040, 375, 255 }, u"%"_s);
    txt8 = lockedTextBox(Frame1, u"txt8"_s, { 3120, 1920, 615, 375 });
    Label16 = label(Frame1, u"Label16"_s, { 3840, 2040, 375, 255 }, u"%"_s);
    Label4 = label(Frame1, u"Label4"_s, { 480, 2640, 975, 375 }, u"８０点満点"_s);
    Label5 = label(Frame1, u"Label5"_s, { 1800, 2640, 975, 375 }, u"６０点満点"_s);
    Label12 = label(Frame1, u"Label12"_s, { 3000, 2640, 975, 375 }, u"１４０点満点"_s);
    Shape1 = rectangle(Frame1, u"Shape1"_s, { 120, 360, 4095, 2775 });
    Line2 = line(Frame1, u"Line2"_s, 1560, 360, 1560, 3120);
    Line3 = line(Frame1, u"Line3"_s, 2880, 360, 2880, 3120);
    Line1 = line(Frame1, u"Line1"_s, 120, 960, 4200, 960);
    Line4 = line(Frame1, u"Line4"_s, 120, 1680, 4200, 1680);
    Line6 = line(Frame1, u"Line6"_s, 120, 2400, 4200, 2400);
    // The boxes have no caption of their own: each is named by its column and row.
    txt1->setAccessibleName(u"上級運航 I 得点"_s);
    txt2->setAccessibleName(u"上級運航 II 得点"_s);
    txt4->setAccessibleName(u"合計 得点"_s);
    txt5->setAccessibleName(u"上級運航 I 得点率"_s);
    txt6->setAccessibleName(u"上級運航 II 得点率"_s);
    txt8->setAccessibleName(u"合計 得点率"_s);
    txt1->setAccessibleDescription(Label4->text());
    txt2->setAccessibleDescription(Label5->text());
    txt4->setAccessibleDescription(Label12->text());
    // The frame's own font serves only its caption, which is empty; what it holds keeps the
    // screen's font instead of inheriting the frame's.
    Frame1->setFont(gothicFont(11.25));
    for (QWidget *control : Frame1->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        control->setFont(defaultFont());

    cmdEnd = commandButton(this, u"cmdEnd"_s, { 6840, 4680, 1575, 495 }, u"閉じる"_s);

    setTabOrder({ txt1, txt2, cmdEnd, txt4, txt5, txt6, txt8 });

    for (IndexedLabel *number : Label17)
        connect(number, &IndexedLabel::clicked, this, &frmSeiseki::Label17_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &frmSeiseki::cmdEnd_Click);
}

void frmSeiseki::Form_Load()
{
    SetSeiseki();
}

void frmSeiseki::SetSeiseki()
{
    const ExamPaper &paper = examPaper();
    for (std::size_t i = 0; i < std::size_t(questionCount); ++i) {
        lbl1[i]->setText(QString::fromStdString(correctChoiceText(paper.Questions[i])));
        Label23[i]->setText(QString::fromStdString(answerText(paper.Answers[i])));
    }
    const ExamScore score = scoreExam(paper);
    showLine(score.sectionI, txt1, txt5);
    showLine(score.sectionII, txt2, txt6);
    showLine(score.total, txt4, txt8);
}

void frmSeiseki::Label17_Click(std::int16_t Index)
{
    Q_EMIT questionChosen(Index);
}

void frmSeiseki::cmdEnd_Click()
{
    Q_EMIT closed();
}

void frmSeiseki::closeBoxPressed()
{
    cmdEnd_Click();
}

} // namespace tovarin
