// The shared support of the screen tests, compiled once into the library they link.
#include "ui/ScreenTestSupport.h"

namespace tovarin::testing {

LocalDateTime dateTime(int hours, int minutes, int seconds, int milliseconds)
{
    using namespace std::chrono;
    return local_days(2026y / December / 9) + std::chrono::hours(hours)
        + std::chrono::minutes(minutes) + std::chrono::seconds(seconds)
        + std::chrono::milliseconds(milliseconds);
}

int &programEnds()
{
    static int count = 0;
    return count;
}

std::unique_ptr<Program> &testProgram()
{
    static std::unique_ptr<Program> program;
    return program;
}

void startFresh()
{
    testProgram().reset();
    testProgram() = std::make_unique<Program>();
    programEnds() = 0;
    Screens::replaceEventLoopExit([] { ++programEnds(); });
}

void unloadEverything()
{
    testProgram().reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void fillPaperWithNamedQuestions()
{
    for (std::size_t i = 0; i < 14; ++i) {
        ExamQuestion &q = examPaper().Questions[i];
        q.QuestionText = "問題" + std::to_string(i);
        for (std::size_t c = 0; c < 4; ++c)
            q.ChoiceText[c] = "選択肢" + std::to_string(i) + "-" + std::to_string(c + 1);
        q.CorrectChoice = 1;
        q.LayoutType = 1;
        q.PictureRef = nullptr;
    }
}

QString captionOf(const QWidget *widget)
{
    if (const auto *l = qobject_cast<const QLabel *>(widget))
        return l->text();
    if (const auto *b = qobject_cast<const QAbstractButton *>(widget))
        return b->text();
    if (const auto *f = qobject_cast<const QGroupBox *>(widget))
        return f->title();
    return QString();
}

QStringList captionsThatDoNotFit(const QWidget *form)
{
    QStringList faults;
    for (const QWidget *widget : form->findChildren<QWidget *>()) {
        const QString caption = captionOf(widget);
        if (caption.isEmpty() || qobject_cast<const QRadioButton *>(widget))
            continue;
        const QFontMetrics metrics(widget->font());
        int spare = widget->width() - metrics.horizontalAdvance(caption);
        if (qobject_cast<const QAbstractButton *>(widget))
            spare -= 2 * widget->style()->pixelMetric(QStyle::PM_ButtonMargin);
        else if (qobject_cast<const QGroupBox *>(widget))
            spare -= 2 * 8; // the frame's edge and the gap before the title on either side
        const bool tooLow = metrics.height() > widget->height();
        if (spare < 0 || tooLow)
            faults << QStringLiteral("%1 \"%2\": %3 px short, %4 px high in %5 px")
                          .arg(widget->objectName(), caption)
                          .arg(-spare)
                          .arg(metrics.height())
                          .arg(widget->height());
    }
    return faults;
}

QPoint indicatorPoint(const QRadioButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()
        ->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button)
        .center();
}

void click(const QWidget *form, const char *button)
{
    QTest::mouseClick(control<QPushButton>(form, button), Qt::LeftButton);
}

QRadioButton *option(const QWidget *siken, int i)
{
    return siken->findChild<QRadioButton *>(QStringLiteral("Option1_%1").arg(i));
}

void choose(const QWidget *siken, int k)
{
    QRadioButton *button = option(siken, k - 1);
    QTest::mouseClick(button, Qt::LeftButton, {}, indicatorPoint(button));
}

int selectedChoice(const QWidget *siken)
{
    int selected = 0;
    for (int i = 0; i < 4; ++i) {
        if (option(siken, i)->isChecked())
            selected = selected == 0 ? i + 1 : -1;
    }
    return selected;
}

bool counting(const QWidget *siken)
{
    return siken->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive();
}

void clickNumber(int index)
{
    QTest::mouseClick(Screens::ifLoaded<frmSeiseki>()->findChild<IndexedLabel *>(
                          QStringLiteral("Label17_%1").arg(index)),
        Qt::LeftButton);
}

void tick(const QWidget *siken)
{
    auto *timer = siken->findChild<QTimer *>(QStringLiteral("Timer1"));
    if (!timer->isActive())
        return;
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
}

void closeLikeAWindowManager(QWidget *window)
{
    window->winId(); // gives it a platform window if it has none yet
    QCloseEvent event;
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}

QStringList screensOnView()
{
    QStringList names;
    for (const Form *form : { static_cast<const Form *>(Screens::ifLoaded<frmMenu>()),
             static_cast<const Form *>(Screens::ifLoaded<frmSiken>()),
             static_cast<const Form *>(Screens::ifLoaded<frmSeiseki>()) })
        if (form && form->isVisible())
            names << QString::fromLatin1(form->metaObject()->className()).section(u':', -1);
    return names;
}

} // namespace tovarin::testing
