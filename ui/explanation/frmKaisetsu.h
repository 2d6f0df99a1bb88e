// frmKaisetsu: the explanation of one question of a finished test, opened from "解説" on the exam
// screen in review and placed beside it. It shows the question number and the correct choice,
// why the key is right, a line on each wrong choice where the bank has one, for a computed
// question the worked solution step by step, for chart work that solution on its chart (the
// chart window's own renderer, framed to the solution), and for the
// weather and tide questions the question's picture beside the text. The navigator opens it,
// has it follow the question on the exam screen (showQuestion) and unloads it when the review
// ends; its own close box and Escape report closed. Reads the exam paper's Questions and the
// bank's explanations; writes nothing.
#pragma once

#include "ui/look/Form.h"

#include <cstdint>

class QBoxLayout;
class QLabel;
class QPlainTextEdit;

namespace tovarin {

class ChartView;
class PictureBox;

class frmKaisetsu : public Form
{
    Q_OBJECT

public:
    frmKaisetsu();

    // The size the window asks for; it takes less where the screen is narrow.
    static QSize preferredClientSize();
    static constexpr int minimumClientWidth = 360;

    // Shows the window for the first time since its load beside the other window (the exam
    // screen): to its right, or to its left where the right has no room, narrower where the screen
    // is narrow; only brings it forward when it has been shown before.
    void openBeside(const QWidget &other);

    // Shows the explanation of question n (0 to 13) of the exam paper. Any other n throws
    // std::out_of_range before anything on the screen changes.
    void showQuestion(std::int16_t n);
    std::int16_t question() const { return m_question; }

Q_SIGNALS:
    void closed(); // its close box or Escape

protected:
    void closeBoxPressed() override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The picture beside the text where both fit side by side, above it where the window is
    // too narrow for that.
    void arrangePicture();

    std::int16_t m_question = -1;
    QBoxLayout *m_besideText;
    QLabel *lblHeader;
    QPlainTextEdit *txtKaisetsu;
    PictureBox *picKaisetsu;
    ChartView *plotKaisetsu; // the chart, framed to the worked solution
};

} // namespace tovarin
