#include "ui/look/Controls.h"

namespace tovarin {

QString arrayElementName(const char *arrayName, int index)
{
    return QString::fromLatin1(arrayName) + u'_' + QString::number(index);
}

QPushButton *commandButton(
    QWidget *container, const QString &name, TwipsRect place, const QString &caption)
{
    auto *button = placed(new QPushButton(caption, container), name, place);
    // Not auto-default: outside a dialog an auto-default button would press on Enter, but it
    // also takes the default button's look whenever it has the focus. Form presses the focused
    // button on Enter and Return instead.
    button->setAutoDefault(false);
    return button;
}

QLabel *label(QWidget *container, const QString &name, TwipsRect place, const QString &caption)
{
    auto *control = placed(new QLabel(caption, container), name, place);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control->setTextFormat(Qt::PlainText);
    control->setFocusPolicy(Qt::NoFocus);
    return control;
}

QGroupBox *frame(QWidget *container, const QString &name, TwipsRect place, const QString &caption)
{
    return placed(new QGroupBox(caption, container), name, place);
}

QLineEdit *lockedTextBox(QWidget *container, const QString &name, TwipsRect place)
{
    auto *box = placed(new QLineEdit(container), name, place);
    box->setReadOnly(true);
    return box;
}

void tightenToFit(QLabel *label)
{
    QFont font = label->font();
    for (int spacing = -1; spacing >= -2; --spacing) {
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= label->width())
            break;
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        label->setFont(font);
    }
}

void setTextColour(QWidget *control, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    control->setPalette(palette);
}

} // namespace tovarin
