#include "ui/explanation/frmKaisetsu.h"

#include "ui/chart/ChartView.h"
#include "ui/look/Beside.h"
#include "ui/look/PictureBox.h"

#include "bank/Explanations.h"
#include "bank/Solution.h"
#include "paper/ExamPaper.h"

#include <QBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <optional>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace tovarin {
namespace {

QString fromBank(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A bank text for the text box: its CR LF pairs as line breaks, a closing line break dropped.
QString plain(std::string_view text)
{
    QString out = fromBank(text);
    while (out.endsWith(u"\r\n"_s))
        out.chop(2);
    out.replace(u"\r\n"_s, u"\n"_s);
    return out;
}

// Headings in brackets rather than bold: plain text needs no second face.
QString heading(const QString &text)
{
    return u"\n【"_s + text + u"】\n"_s;
}

std::optional<solver::Solution> solved(const Explanation &explanation)
{
    if (!explanation.solution)
        return std::nullopt;
    return explanation.solution();
}

// The explanation as plain text: a plain text box lays it out with less code and memory than
// rich text, and a screen reader reads it line by line.
QString explanationText(const ExamQuestion &question, const Explanation *explanation,
    const std::optional<solver::Solution> &solution)
{
    const int key = question.CorrectChoice;
    QString out;
    if (key >= 1 && key <= 4)
        out += u"正答 (%1)　%2\n"_s.arg(key).arg(plain(question.ChoiceText[std::size_t(key - 1)]));
    if (!explanation) {
        out += u"この問題の解説はありません。"_s;
        return out;
    }
    out += heading(u"正答の理由"_s) + plain(explanation->text) + u"\n"_s;

    QString wrong;
    for (std::size_t c = 0; c < 4; ++c) {
        if (int(c) + 1 == key || explanation->refutations[c].empty())
            continue;
        wrong += u"(%1) %2\n　→ %3\n"_s.arg(c + 1).arg(
            plain(question.ChoiceText[c]), plain(explanation->refutations[c]));
    }
    if (!wrong.isEmpty())
        out += heading(u"誤りの選択肢"_s) + wrong;

    if (solution && !solution->steps.empty()) {
        out += heading(u"解き方"_s);
        int number = 0;
        for (const solver::Step &step : solution->steps) {
            out += u"%1. %2\n"_s.arg(++number).arg(plain(step.label));
            if (!step.formula.empty())
                out += u"　　"_s + plain(step.formula) + u"\n"_s;
            QString working = plain(step.working);
            if (!step.result.empty())
                working += (working.isEmpty() ? QString() : u" ＝ "_s) + plain(step.result);
            if (!working.isEmpty())
                out += u"　　"_s + working + u"\n"_s;
        }
        if (!solution->answer.empty())
            out += u"\n答　"_s + plain(solution->answer) + u"\n"_s;
    }
    while (out.endsWith(u'\n'))
        out.chop(1);
    return out;
}

} // namespace

frmKaisetsu::frmKaisetsu()
    : Form(BorderStyle::Sizable, preferredClientSize())
{
    setAccessibleDescription(u"解説"_s);
    lblHeader = new QLabel(this);
    lblHeader->setObjectName(u"lblHeader"_s);

    // A read-only text box: its text is laid out once for its width, scrolls by itself from the
    // keyboard and reads to a screen reader line by line.
    txtKaisetsu = new QPlainTextEdit(this);
    txtKaisetsu->setObjectName(u"txtKaisetsu"_s);
    txtKaisetsu->setAccessibleName(u"解説"_s);
    txtKaisetsu->setReadOnly(true);
    txtKaisetsu->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtKaisetsu->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtKaisetsu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtKaisetsu->setTabChangesFocus(true);
    picKaisetsu = new PictureBox(this);
    picKaisetsu->setObjectName(u"picKaisetsu"_s);
    picKaisetsu->setAccessibleName(u"問題の図"_s);
    picKaisetsu->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    picKaisetsu->hide();
    plotKaisetsu = new ChartView(this);
    plotKaisetsu->setObjectName(u"plotKaisetsu"_s);
    plotKaisetsu->setAccessibleName(u"作図"_s);
    plotKaisetsu->setMinimumSize(240, 200);
    // A figure beside the text, as in print: the text box stays the window's one stop of the
    // focus, and the wheel and a drag still zoom and pan it.
    plotKaisetsu->setFocusPolicy(Qt::NoFocus);
    plotKaisetsu->hide();

    m_besideText = new QBoxLayout(QBoxLayout::LeftToRight);
    m_besideText->addWidget(txtKaisetsu, 1);
    m_besideText->addWidget(picKaisetsu, 0, Qt::AlignLeft | Qt::AlignTop);
    auto *window = new QVBoxLayout(this);
    window->addWidget(lblHeader);
    window->addLayout(m_besideText, 1);
    window->addWidget(plotKaisetsu, 1);

    setTabOrder({ txtKaisetsu });
}

void frmKaisetsu::openBeside(const QWidget &other)
{
    showBeside(*this, other, preferredClientSize(), minimumClientWidth);
}

QSize frmKaisetsu::preferredClientSize()
{
    return { 600, 580 };
}

void frmKaisetsu::showQuestion(std::int16_t n)
{
    if (n < 0 || n >= questionCount)
        throw std::out_of_range("question index " + std::to_string(n) + " outside 0 to 13");
    const ExamQuestion &question = examPaper().Questions[static_cast<std::size_t>(n)];
    m_question = n;
    const Explanation *explanation = explanationFor(n, examPaper().drawnVariant[std::size_t(n)]);
    const std::optional<solver::Solution> solution
        = explanation ? solved(*explanation) : std::nullopt;

    lblHeader->setText(
        u"第%1問　正答 (%2)"_s.arg(n + firstQuestionNumber).arg(question.CorrectChoice));
    txtKaisetsu->setPlainText(explanationText(question, explanation, solution));

    QPixmap picture;
    if (question.PictureRef && !question.PictureRef->isEmpty()) {
        const auto bytes = question.PictureRef->bytes();
        picture = QPixmap::fromImage(QImage::fromData(bytes.data(), int(bytes.size()), "BMP"));
    }
    if (picture.isNull()) {
        picKaisetsu->clear();
        picKaisetsu->hide();
    } else {
        picKaisetsu->setPixmap(picture);
        picKaisetsu->setFixedSize(picture.size());
        picKaisetsu->show();
    }
    arrangePicture();

    const solver::Geometry *geometry
        = solution && solution->geometry ? &*solution->geometry : nullptr;
    plotKaisetsu->setChart(geometry ? chart::ExamChart::byNumber(geometry->chart) : nullptr);
    plotKaisetsu->setSolution(geometry ? solution->geometry : std::nullopt);
    if (geometry)
        plotKaisetsu->frameArea(geometry->southWest, geometry->northEast);
    plotKaisetsu->setVisible(plotKaisetsu->solution() != nullptr);
    plotKaisetsu->setAccessibleDescription(solution && solution->geometry
            ? u"答 "_s + QString::fromStdString(solution->answer)
            : QString());

    txtKaisetsu->verticalScrollBar()->setValue(0);
}

void frmKaisetsu::arrangePicture()
{
    constexpr int narrowestText = 250;
    const int room = width() - picKaisetsu->width();
    m_besideText->setDirection(picKaisetsu->isVisibleTo(this) && room < narrowestText
            ? QBoxLayout::BottomToTop
            : QBoxLayout::LeftToRight);
}

void frmKaisetsu::resizeEvent(QResizeEvent *event)
{
    Form::resizeEvent(event);
    arrangePicture();
}

void frmKaisetsu::closeBoxPressed()
{
    Q_EMIT closed();
}

void frmKaisetsu::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Q_EMIT closed();
        return;
    }
    Form::keyPressEvent(event);
}

} // namespace tovarin
