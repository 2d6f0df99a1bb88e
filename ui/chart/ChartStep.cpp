#include "ui/chart/ChartStep.h"

namespace tovarin {

ChartStep::ChartStep(const QString &text, const ChartState &before, const ChartState &after,
    int parts, int keyRun, Apply apply)
    : QUndoCommand(text)
    , m_before(before)
    , m_after(after)
    , m_parts(parts)
    , m_keyRun(keyRun)
    , m_apply(std::move(apply))
{
}

void ChartStep::undo()
{
    m_apply(m_before, m_parts);
}

void ChartStep::redo()
{
    m_apply(m_after, m_parts);
}

int ChartStep::id() const
{
    return m_keyRun < 0 ? -1 : 1;
}

bool ChartStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const ChartStep *>(other);
    if (next->m_keyRun != m_keyRun || next->m_parts != m_parts)
        return false;
    m_after = next->m_after;
    // Keys that bring the instrument back where it was leave no step behind.
    setObsolete(m_after.tools == m_before.tools && m_after.drawing == m_before.drawing);
    return true;
}

} // namespace tovarin
