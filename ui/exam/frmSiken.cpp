#include "ui/exam/frmSiken.h"

#include "ui/exam/OptionButton.h"
#include "ui/look/Controls.h"
#include "ui/look/PictureBox.h"

#include "bank/QuestionNumbers.h"
#include "paper/Countdown.h"
#include "paper/ExamPaper.h"

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace tovarin {
namespace {

constexpr int optionHeight = 375;

struct ChoicePlace
{
    int left;
    int top;
    int width;
};

// Where SetMondai puts the four option buttons and the top left corner of Image1, in Frame2.
struct ChoiceLayout
{
    std::array<ChoicePlace, 4> choices;
    int imageLeft;
    int imageTop;
};

// 1: one under the other, full width (no picture in the bank's layout-1 questions).
constexpr ChoiceLayout layoutFullWidth {
    { { { 240, 2640, 10935 }, { 240, 3120, 10935 }, { 240, 3600, 10935 }, { 240, 4080, 10935 } } },
    7200, 3600
};
// 2: side by side in one row, the last choice wider, the picture below.
constexpr ChoiceLayout layoutOneRow {
    { { { 240, 2640, 2620 }, { 2840, 2640, 2620 }, { 5460, 2640, 2620 }, { 8060, 2640, 2800 } } },
    240, 3120
};
// 3 and every other value: one under the other in the left half, the picture to the right.
constexpr ChoiceLayout layoutLeftHalf {
    { { { 240, 2640, 5600 }, { 240, 3120, 5600 }, { 240, 3600, 5600 }, { 240, 4080, 5600 } } },
    7000, 3100
};

const ChoiceLayout &choiceLayout(std::int16_t layoutType)
{
    switch (layoutType) {
    case 1:
        return layoutFullWidth;
    case 2:
        return layoutOneRow;
    default:
        return layoutLeftHalf;
    }
}

QPixmap decodePicture(const PictureHolder &holder)
{
    const auto bytes = holder.bytes();
    return QPixmap::fromImage(
        QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP"));
}

} // namespace

frmSiken::frmSiken()
    : Form(BorderStyle::Sizable, twipsSize(11715, 8700))
{
    setAccessibleDescription(u"試験問題"_s);
    cmdCorAns = commandButton(this, u"cmdCorAns"_s, { 3480, 8040, 1215, 495 }, u"正答表示"_s);
    Frame3 = frame(this, u"Frame3"_s, { 2160, 7920, 1215, 615 }, u"正 答"_s);
    lblCorAns = label(Frame3, u"lblCorAns"_s, { 360, 240, 495, 255 }, QString());
    Frame2 = frame(this, u"Frame2"_s, { 240, 240, 11295, 7575 }, QString());
    txtQ = placed(new QPlainTextEdit(Frame2), u"txtQ"_s, { 120, 240, 10935, 2295 });
    txtQ->setReadOnly(true);
    txtQ->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtQ->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtQ->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtQ->setAccessibleName(u"問題文"_s);
    const int optionTops[] = { 2880, 3360, 3840, 4320 };
    for (int i = 0; i < 4; ++i)
        Option1[std::size_t(i)] = placed(new OptionButton(Frame2), arrayElementName("Option1", i),
            { 120, optionTops[i], 10935, optionHeight });
    Image1 = placed(new PictureBox(Frame2), u"Image1"_s, { 120, 3960, 10935, 3375 });
    Image1->lower(); // beneath the option buttons and txtQ where they overlap
    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(1000); // started by Form_Load
    Frame1 = frame(this, u"Frame1"_s, { 240, 7920, 1095, 615 }, u"残り時間"_s);
    lblTime = label(Frame1, u"lblTime"_s, { 360, 240, 615, 255 }, QString());
    cmdNext = commandButton(this, u"cmdNext"_s, { 8400, 8040, 1215, 495 }, u"次の問題＞"_s);
    cmdBefore = commandButton(this, u"cmdBefore"_s, { 7080, 8040, 1215, 495 }, u"＜前の問題"_s);
    cmdSyuuryou = commandButton(this, u"cmdSyuuryou"_s, { 9840, 8040, 1815, 495 }, u"試験終了"_s);
    // Review only: in the free space of the bottom row, between "正答表示" and "＜前の問題".
    cmdKaisetsu = commandButton(this, u"cmdKaisetsu"_s, { 5280, 8040, 1215, 495 }, u"解説"_s);
    cmdKaisetsu->hide();
    // Questions 51 to 53, test and review: in the free space between "残り時間" and "正 答".
    cmdKaizu = commandButton(this, u"cmdKaizu"_s, { 1410, 8040, 675, 495 }, u"海図"_s);
    cmdKaizu->hide();

    // The controls that take the focus, in the order of their tab indices; the frames and the
    // labels between them (Frame1, lblTime, Frame2, Frame3, lblCorAns) take none.
    setTabOrder({ cmdBefore, cmdNext, cmdSyuuryou, txtQ, Option1[0], Option1[1], Option1[2],
        Option1[3], cmdKaizu, cmdCorAns, cmdKaisetsu });

    // Selecting an option button has no handler: the selection is recorded by SetAns alone.
    connect(cmdNext, &QPushButton::clicked, this, &frmSiken::cmdNext_Click);
    connect(cmdBefore, &QPushButton::clicked, this, &frmSiken::cmdBefore_Click);
    connect(cmdCorAns, &QPushButton::clicked, this, &frmSiken::cmdCorAns_Click);
    connect(cmdSyuuryou, &QPushButton::clicked, this, &frmSiken::cmdSyuuryou_Click);
    connect(cmdKaisetsu, &QPushButton::clicked, this, &frmSiken::cmdKaisetsu_Click);
    connect(cmdKaizu, &QPushButton::clicked, this, &frmSiken::cmdKaizu_Click);
    connect(Timer1, &QTimer::timeout, this, &frmSiken::Timer1_Timer);
}

void frmSiken::Form_Load()
{
    cmdBefore->setEnabled(false);
    Timer1->start();
    SetMondai(0);
    // The load ends by handling the events that are waiting, as the screens of this kind of
    // program do when they first paint. Anything can run in there: the second click of the
    // double click that opened this screen, a close box, a tick. Hence the menu's guard against a
    // second start, and why app/Screens holds back the deletion of a screen unloaded meanwhile
    // until the outermost load has returned (its handler may still be running).
    QCoreApplication::processEvents();
}

void frmSiken::SetMondai(std::int16_t n)
{
    const ExamQuestion &question = examPaper().Questions.at(static_cast<std::size_t>(n));

    // CR LF pairs become line breaks; blanks, full-width ones included, stay as they are.
    txtQ->setPlainText(QString::fromStdString(question.QuestionText));

    const ChoiceLayout &layout = choiceLayout(question.LayoutType);
    for (std::size_t i = 0; i < 4; ++i) {
        const ChoicePlace &place = layout.choices[i];
        Option1[i]->setGeometry(QRect(twipsPoint(place.left, place.top),
            QSize(twipsToPixels(place.width), Option1[i]->height())));
    }
    Image1->move(twipsPoint(layout.imageLeft, layout.imageTop));

    for (std::size_t i = 0; i < 4; ++i)
        Option1[i]->setText(u"(%1) "_s.arg(i + 1) + QString::fromStdString(question.ChoiceText[i]));

    Frame2->setTitle(u"第"_s + QString::number(n + firstQuestionNumber) + u"問"_s);

    if (!question.PictureRef) {
        Image1->clear();
    } else {
        const QPixmap picture = decodePicture(*question.PictureRef);
        if (picture.isNull()) {
            Image1->clear();
        } else {
            // A pixmap of ratio 1: one picture pixel to one logical pixel on every screen.
            Image1->setPixmap(picture);
            Image1->resize(picture.size());
        }
    }
    // Named only while it shows a picture; empty, it goes by its frame's caption, as every
    // empty label in a frame does (lblTime, lblCorAns).
    Image1->setAccessibleName(Image1->pixmap().isNull() ? QString() : u"問題の図"_s);

    // Hidden before the navigation is set, which keeps the focus on a navigation button.
    const bool chartWork = n < chartQuestionCount;
    if (!chartWork && focusWidget() == cmdKaizu)
        cmdNext->setFocus(Qt::OtherFocusReason);
    cmdKaizu->setVisible(chartWork);

    setNavigation(iNumber > 0, iNumber < lastQuestionIndex);

    lblCorAns->clear();

    Q_EMIT questionShown(n);
}

void frmSiken::openQuestion(std::int16_t n)
{
    (void)examPaper().Questions.at(static_cast<std::size_t>(n)); // a bad n changes nothing
    iNumber = n;
    SetMondai(n);
}

void frmSiken::SetAns(std::int16_t n)
{
    ExamPaper &paper = examPaper();
    (void)paper.Answers.at(
        static_cast<std::size_t>(n)); // a bad n fails before anything is recorded
    std::int16_t &recorded = paper.Answers.at(static_cast<std::size_t>(iNumber));

    for (std::size_t i = 0; i < 4; ++i) {
        if (Option1[i]->isSelected()) {
            recorded = std::int16_t(i + 1);
            break;
        }
    }

    showStoredAnswer(n);
}

void frmSiken::showStoredAnswer(std::int16_t n)
{
    const std::int16_t answer = examPaper().Answers.at(static_cast<std::size_t>(n));
    if (answer > 0) {
        Option1.at(static_cast<std::size_t>(answer - 1))->setSelected(true);
    } else {
        for (OptionButton *option : Option1)
            option->setSelected(false);
    }
}

void frmSiken::cmdNext_Click()
{
    if (iNumber >= lastQuestionIndex)
        return;
    SetMondai(std::int16_t(iNumber + 1));
    SetAns(std::int16_t(iNumber + 1));
    iNumber = std::int16_t(iNumber + 1);
    setNavigation(true, iNumber < lastQuestionIndex);
}

void frmSiken::cmdBefore_Click()
{
    if (iNumber <= 0)
        return;
    SetMondai(std::int16_t(iNumber - 1));
    SetAns(std::int16_t(iNumber - 1));
    iNumber = std::int16_t(iNumber - 1);
    setNavigation(iNumber > 0, true);
}

void frmSiken::setNavigation(bool beforeEnabled, bool nextEnabled)
{
    if (beforeEnabled)
        cmdBefore->setEnabled(true);
    if (nextEnabled)
        cmdNext->setEnabled(true);
    // Qt hands the focus of a button being disabled to the next control of the tab order. From
    // "次の問題＞" on question 64 that is "試験終了", and the candidate's next Space or Enter would
    // end the test; the focus goes to the other navigation button instead.
    const auto disable = [this](QPushButton *button, QPushButton *other) {
        if (focusWidget() == button && other->isEnabled())
            other->setFocus(Qt::OtherFocusReason);
        button->setEnabled(false);
    };
    if (!beforeEnabled)
        disable(cmdBefore, cmdNext);
    if (!nextEnabled)
        disable(cmdNext, cmdBefore);
}

void frmSiken::cmdCorAns_Click()
{
    const ExamQuestion &question = examPaper().Questions.at(static_cast<std::size_t>(iNumber));
    lblCorAns->setText(u"("_s + QString::number(question.CorrectChoice) + u")"_s);
}

void frmSiken::cmdSyuuryou_Click()
{
    SetAns(iNumber);
    Timer1->stop();
    lblTime->setText(QString());
    Q_EMIT testEnded();
}

void frmSiken::cmdKaisetsu_Click()
{
    Q_EMIT explanationRequested();
}

void frmSiken::cmdKaizu_Click()
{
    if (iNumber >= 0 && iNumber < chartQuestionCount)
        Q_EMIT chartRequested();
}

void frmSiken::setExplanationOffered(bool offered)
{
    m_explanationOffered = offered;
    if (!offered && focusWidget() == cmdKaisetsu)
        cmdCorAns->setFocus(Qt::OtherFocusReason);
    cmdKaisetsu->setVisible(offered);
}

void frmSiken::Timer1_Timer()
{
    const LocalDateTime now = programClock().now();
    const auto remaining = remainingTime(examPaper().StartTime, now);
    lblTime->setText(QString::fromStdString(countdownText(remaining)));
    if (lblTime->text() == QString::fromLatin1(timeUpText.data(), qsizetype(timeUpText.size())))
        cmdSyuuryou_Click();
}

void frmSiken::closeBoxPressed()
{
    if (Timer1->isActive()) {
        cmdSyuuryou_Click();
    } else {
        hide();
        Q_EMIT hiddenInReview();
    }
}

} // namespace tovarin
