#include "ui/chart/frmKaizu.h"

#include "ui/chart/ChartTools.h"
#include "ui/chart/ChartView.h"
#include "ui/chart/SolutionOverlay.h"
#include "ui/look/Beside.h"

#include "bank/Charts.h"
#include "bank/Explanations.h"
#include "paper/ExamPaper.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace tovarin {

frmKaizu::frmKaizu()
    : Form(BorderStyle::Sizable, preferredClientSize())
{
    setAccessibleDescription(u"海図"_s);
    lblHeader = new QLabel(this);
    lblHeader->setObjectName(u"lblHeader"_s);

    m_view = new ChartView(this);
    m_view->setAccessibleName(u"海図"_s);

    cmdZoomIn = new QPushButton(u"拡大"_s, this);
    cmdZoomIn->setObjectName(u"cmdZoomIn"_s);
    cmdZoomOut = new QPushButton(u"縮小"_s, this);
    cmdZoomOut->setObjectName(u"cmdZoomOut"_s);
    cmdFit = new QPushButton(u"全体"_s, this);
    cmdFit->setObjectName(u"cmdFit"_s);
    cmdFit->setAccessibleDescription(u"海図の全体を表示"_s);
    cmdKaitourei = new QPushButton(u"解答例"_s, this);
    cmdKaitourei->setObjectName(u"cmdKaitourei"_s);
    cmdKaitourei->setCheckable(true);
    cmdKaitourei->hide();
    for (QPushButton *button : { cmdZoomIn, cmdZoomOut, cmdFit, cmdKaitourei })
        button->setAutoDefault(false);
    connect(cmdZoomIn, &QPushButton::clicked, m_view, &ChartView::zoomIn);
    connect(cmdZoomOut, &QPushButton::clicked, m_view, &ChartView::zoomOut);
    connect(cmdFit, &QPushButton::clicked, m_view, &ChartView::fitWholeChart);
    connect(cmdKaitourei, &QPushButton::toggled, this, &frmKaizu::showSolution);

    // The status line: what the tools read out, as text a screen reader reads.
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(u"lblStatus"_s);
    lblStatus->setAccessibleName(u"状態"_s);
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
    lblStatus->setFocusPolicy(Qt::TabFocus);
    lblStatus->setMinimumHeight(lblStatus->fontMetrics().height() + 4);

    // The header with the view's own buttons, then the tools' bar on a row of its own: the
    // window is as narrow as the tools allow.
    auto *headerRow = new QHBoxLayout;
    headerRow->addWidget(lblHeader, 1);
    for (QPushButton *button : { cmdKaitourei, cmdZoomIn, cmdZoomOut, cmdFit })
        headerRow->addWidget(button);
    m_toolRow = new QHBoxLayout;
    m_toolRow->addStretch(1);
    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(6, 6, 6, 6);
    window->setSpacing(4);
    window->addLayout(headerRow);
    window->addLayout(m_toolRow);
    window->addWidget(m_view, 1);
    window->addWidget(lblStatus);
    setTabOrder({ m_view, cmdZoomIn, cmdZoomOut, cmdFit, cmdKaitourei, lblStatus });
}

frmKaizu::~frmKaizu()
{
    // The tools leave their items in the view's scene: they go first.
    delete m_tools;
    m_tools = nullptr;
}

QSize frmKaizu::preferredClientSize()
{
    return { 960, 720 };
}

void frmKaizu::openBeside(const QWidget &other)
{
    showBeside(*this, other, preferredClientSize(), minimumClientWidth);
}

void frmKaizu::showQuestion(std::int16_t n, bool review)
{
    if (n < 0 || n >= chartQuestions)
        throw std::out_of_range("chart question index " + std::to_string(n) + " outside 0 to 2");
    const std::int16_t variant = examPaper().drawnVariant[std::size_t(n)];
    const chart::ExamChart *chart = chart::ExamChart::byNumber(chartNamedBy(n, variant));
    if (!chart)
        throw std::out_of_range("question index " + std::to_string(n) + " names no chart");

    if (m_tools && m_question >= 0) {
        m_tools->putDown();
        m_drawings[std::size_t(m_question)] = m_tools->drawing();
    }
    if (chart != m_view->chart()) {
        // The tools measure with the chart's own projection and variation: new ones for a new
        // chart, the readouts on as when a chart is first opened or as the candidate left them.
        const bool readouts = m_tools ? m_tools->readoutsOn() : true;
        delete m_tools;
        delete m_toolBar.data(); // in this window's layout, whoever made it
        m_tools = nullptr;
        m_view->setChart(chart);
        m_tools = new ChartTools(m_view, chart->projection(), chart->variation(), this);
        m_toolBar = m_tools->toolBar();
        m_toolRow->insertWidget(0, m_toolBar);
        connect(m_tools, &ChartTools::statusChanged, lblStatus, &QLabel::setText);
        m_tools->setReadoutsOn(readouts);
        lblStatus->setText(m_tools->statusText());
    }
    m_question = n;
    m_review = review;
    m_tools->setDrawing(m_drawings[std::size_t(n)]);

    lblHeader->setText(
        u"第%1問　試験用海図第%2号"_s.arg(n + firstQuestionNumber).arg(chart->number()));
    const Explanation *explanation = review ? explanationFor(n, variant) : nullptr;
    m_view->setSolution(
        explanation && explanation->solution ? explanation->solution().geometry : std::nullopt);
    cmdKaitourei->setVisible(m_view->solution() != nullptr);
    showSolution(cmdKaitourei->isChecked());
}

void frmKaizu::showSolution(bool on)
{
    if (m_view->solution())
        m_view->solution()->setVisible(on);
}

void frmKaizu::putDown()
{
    if (m_tools && m_question >= 0) {
        m_tools->putDown();
        m_drawings[std::size_t(m_question)] = m_tools->drawing();
    }
}

ChartDrawing frmKaizu::drawingOf(std::int16_t n) const
{
    if (n < 0 || n >= chartQuestions)
        throw std::out_of_range("chart question index " + std::to_string(n) + " outside 0 to 2");
    if (n == m_question && m_tools)
        return m_tools->drawing();
    return m_drawings[std::size_t(n)];
}

void frmKaizu::hideEvent(QHideEvent *event)
{
    // Hidden in the middle of a drag or with a tool in hand: the tool goes down, nothing stray
    // is left on the chart, and the drawing is kept.
    putDown();
    Form::hideEvent(event);
}

void frmKaizu::closeBoxPressed()
{
    hide();
    Q_EMIT closed();
}

} // namespace tovarin
