#include "ui/chart/ChartTools.h"

#include <QGraphicsView>
#include <QHBoxLayout>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace tovarin {

ChartTools::ChartTools(QGraphicsView *view, const chart::Mercator &, double, QObject *parent)
    : QObject(parent)
{
    Q_UNUSED(view);
}

ChartTools::~ChartTools()
{
    delete m_toolBar;
}

QWidget *ChartTools::toolBar()
{
    if (!m_toolBar) {
        m_toolBar = new QWidget;
        auto *row = new QHBoxLayout(m_toolBar);
        row->setContentsMargins(0, 0, 0, 0);
        for (const QString &text : { u"三角定規"_s, u"デバイダー"_s, u"コンパス"_s, u"鉛筆"_s,
                 u"消しゴム"_s, u"元に戻す"_s, u"やり直し"_s, u"全部消す"_s, u"数値表示"_s }) {
            auto *button = new QPushButton(text, m_toolBar);
            button->setEnabled(false);
            row->addWidget(button);
        }
    }
    return m_toolBar;
}

void ChartTools::setReadoutsOn(bool on)
{
    m_status = on ? u"数値表示"_s : QString();
    Q_EMIT statusChanged(m_status);
}

} // namespace tovarin
