// frmKaizu: the examination chart a chart question names (試験用海図第150号 or 第200号), in a
// sizable window of its own beside the exam screen, with the plotting tools, a status line that
// a screen reader reads, and in review a checkable "解答例" that lays the worked solution over
// the candidate's drawing. Opened from "海図" on the exam screen for questions 51 to 53; the
// program has it follow the question shown (showQuestion) and hides it when the test or the
// review ends; its own close box hides it alone and reports closed.
//
// The window keeps the drawing of each chart question for as long as it lives: the program
// makes one window for each test, when the chart is first asked for, so a new test starts with
// clean charts. Reads the exam paper's drawn variants and the bank's charts and explanations;
// writes nothing.
#pragma once

#include "bank/QuestionNumbers.h"
#include "ui/chart/ChartDrawing.h"
#include "ui/look/Form.h"

#include <QPointer>

#include <array>
#include <cstdint>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace tovarin {

class ChartTools;
class ChartView;

class frmKaizu : public Form
{
    Q_OBJECT

public:
    frmKaizu();
    ~frmKaizu() override;

    static QSize preferredClientSize();
    // Room for the tools' bar on a full-HD screen beside the exam screen; narrower, the bar folds
    // its last buttons into its extension menu.
    static constexpr int minimumClientWidth = 540;
    static constexpr std::int16_t chartQuestions = chartQuestionCount; // questions 51 to 53

    // Shows the window for the first time since its load beside the other window (the exam
    // screen), as the explanation is placed; only brings it forward when it has been shown
    // before.
    void openBeside(const QWidget &other);

    // Shows the chart of question n (0 to 2) of the exam paper with that question's own drawing,
    // and in review its worked solution behind "解答例". Any other n throws std::out_of_range
    // before anything changes.
    void showQuestion(std::int16_t n, bool review);
    std::int16_t question() const { return m_question; }

    // Puts down the tool in hand and keeps the drawing of the question shown: the test ends or
    // the window is hidden.
    void putDown();

    // The drawing question n keeps (0 to 2), as the window last saw it.
    ChartDrawing drawingOf(std::int16_t n) const;

    ChartView *view() const { return m_view; }
    ChartTools *tools() const { return m_tools; }

Q_SIGNALS:
    void closed(); // its close box

protected:
    void closeBoxPressed() override;
    void hideEvent(QHideEvent *event) override;

private:
    void showSolution(bool on);

    std::int16_t m_question = -1;
    bool m_review = false;
    std::array<ChartDrawing, chartQuestions> m_drawings;
    QLabel *lblHeader;
    QHBoxLayout *m_toolRow;
    ChartView *m_view;
    ChartTools *m_tools = nullptr;
    QPointer<QWidget> m_toolBar;
    QPushButton *cmdZoomIn;
    QPushButton *cmdZoomOut;
    QPushButton *cmdFit;
    QPushButton *cmdKaitourei; // 解答例
    QLabel *lblStatus;
};

} // namespace tovarin
