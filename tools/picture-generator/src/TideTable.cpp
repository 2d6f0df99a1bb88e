#include "tools/picture-generator/src/TideTable.h"

#include "tools/picture-generator/src/Drawing.h"

#include <QList>

#include <cstdlib>
#include <stdexcept>

namespace {

using Drawing::Anchor;

struct Tide
{
    QString time;
    int height = 0;
};

struct Day
{
    int day = 0;
    QList<Tide> high, low;
};

QString clock(int minutes)
{
    return QString::asprintf("%02d:%02d", minutes / 60, minutes % 60);
}

// -35 -> "－0時35分"
QString difference(int minutes)
{
    const int m = std::abs(minutes);
    return (minutes < 0 ? QStringLiteral("－") : QStringLiteral("＋"))
        + QStringLiteral("%1時%2分").arg(m / 60).arg(m % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QImage TideTable::draw(const tovarin::solver::TideTable &tides)
{
    const QString port = QString::fromStdString(tides.port);
    const int month = tides.month;
    QList<Day> table;
    for (const int number : tides.days) {
        Day d;
        d.day = number;
        for (const tovarin::solver::Tide &t : tides.tides)
            if (t.day == number)
                (t.high ? d.high : d.low).append({ clock(t.minutes), t.height });
        if (d.high.size() > 2 || d.low.size() > 2)
            throw std::runtime_error("more than two high or low waters on one day");
        table.append(d);
    }
    const bool secondary = tides.secondary.has_value();

    const QFont title = Drawing::font(14, true);
    const QFont head = Drawing::font(12, true);
    const QFont body = Drawing::font(13);
    const QFont note = Drawing::font(12);
    const int margin = 8, titleH = 22, headRow = 18, subRow = 18;
    const QList<int> widths = { 66, 48, 40, 48, 40 };
    int tableW = 0;
    for (int w : widths)
        tableW += w;
    const int width = tableW + 2 * margin + (secondary ? 20 : 8);
    const int tableTop = margin + titleH;
    const int tableH = 2 * headRow + int(table.size()) * 2 * subRow;
    const int noteTop = tableTop + tableH + 4;
    const int boxTop = noteTop + 20;
    const int boxH = secondary ? 4 * 17 + 8 : 0;
    const int height = std::max(190, boxTop + boxH + margin);

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    const int left = (width - tableW) / 2;
    auto column = [&](int c) {
        int x = left;
        for (int i = 0; i < c; ++i)
            x += widths[i];
        return x;
    };
    const QColor ink(0, 0, 0);
    Drawing::text(p,
        port + (secondary ? QStringLiteral("（標準港）") : QString()) + QStringLiteral("　潮汐表"),
        title, QPointF(left, margin + titleH / 2 - 1), ink, Anchor::Left, false);

    // Headings.
    const int row2 = tableTop + headRow;
    const int bodyTop = tableTop + 2 * headRow;
    p.fillRect(QRect(left, tableTop, tableW, 2 * headRow), QColor(225, 225, 225));
    Drawing::text(p, QStringLiteral("月日"), head,
        QPointF(column(0) + widths[0] / 2.0, tableTop + headRow), ink, Anchor::Centre, false);
    Drawing::text(p, QStringLiteral("高　潮"), head,
        QPointF(column(1) + (widths[1] + widths[2]) / 2.0, tableTop + headRow / 2.0), ink,
        Anchor::Centre, false);
    Drawing::text(p, QStringLiteral("低　潮"), head,
        QPointF(column(3) + (widths[3] + widths[4]) / 2.0, tableTop + headRow / 2.0), ink,
        Anchor::Centre, false);
    for (int c = 1; c < 5; ++c)
        Drawing::text(p, c % 2 ? QStringLiteral("時刻") : QStringLiteral("潮高"), head,
            QPointF(column(c) + widths[c] / 2.0, row2 + headRow / 2.0), ink, Anchor::Centre, false);

    // Figures, two lines a day.
    for (int i = 0; i < table.size(); ++i) {
        const Day &d = table[i];
        const int top = bodyTop + i * 2 * subRow;
        Drawing::text(p, QStringLiteral("%1月%2日").arg(month).arg(d.day), body,
            QPointF(column(0) + widths[0] / 2.0, top + subRow), ink, Anchor::Centre, false);
        for (int line = 0; line < 2; ++line) {
            const double y = top + line * subRow + subRow / 2.0;
            auto cell = [&](const QList<Tide> &tides, int firstColumn) {
                if (line >= tides.size())
                    return;
                Drawing::text(p, tides[line].time, body,
                    QPointF(column(firstColumn) + widths[firstColumn] / 2.0, y), ink,
                    Anchor::Centre, false);
                Drawing::text(p, QString::number(tides[line].height), body,
                    QPointF(column(firstColumn + 1) + widths[firstColumn + 1] - 6, y), ink,
                    Anchor::Right, false);
            };
            cell(d.high, 1);
            cell(d.low, 3);
        }
    }

    // Rules.
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(left, tableTop, tableW, tableH);
    p.drawLine(left, bodyTop, left + tableW, bodyTop);
    p.drawLine(column(1), row2, left + tableW, row2);
    for (int i = 1; i < table.size(); ++i)
        p.drawLine(left, bodyTop + i * 2 * subRow, left + tableW, bodyTop + i * 2 * subRow);
    for (int c = 1; c < 5; ++c) {
        p.setPen(QPen(c % 2 ? ink : QColor(140, 140, 140), 1));
        p.drawLine(column(c), c % 2 ? tableTop : row2, column(c), tableTop + tableH);
    }
    Drawing::text(p, QStringLiteral("時刻は24時間制、潮高の単位はcm"), note,
        QPointF(left, noteTop + 8), ink, Anchor::Left, false);

    if (secondary) {
        const tovarin::solver::SecondaryPort &sec = *tides.secondary;
        const QString name = QString::fromStdString(sec.port);
        const QStringList lines = {
            QStringLiteral("副港 %1（標準港 %2）").arg(name, port),
            QStringLiteral("潮時差　高潮　%1").arg(difference(sec.highWaterDifference)),
            QStringLiteral("　　　　低潮　%1").arg(difference(sec.lowWaterDifference)),
            QStringLiteral("潮高比　%1").arg(sec.ratio, 0, 'f', 2),
        };
        p.setPen(QPen(ink, 1));
        p.drawRect(left, boxTop, tableW, boxH);
        for (int i = 0; i < lines.size(); ++i)
            Drawing::text(p, lines[i], i == 0 ? head : body,
                QPointF(left + 8, boxTop + 4 + 17 * i + 8.5), ink, Anchor::Left, false);
    }
    return image;
}
