// One step of the chart's undo history: the drawing and the instruments before and after it.
// A drag is one step (pushed when the button is released); successive key presses that move
// the same instrument merge into one step.
#pragma once

#include "ui/chart/ChartDrawing.h"
#include "ui/chart/ToolPlacement.h"

#include <QUndoCommand>

#include <functional>

namespace tovarin {

struct ChartState
{
    ChartDrawing drawing;
    ToolPlacement tools;
};

class ChartStep final : public QUndoCommand
{
public:
    // What a step changes: only these parts are put back, so that undoing a drawn line leaves
    // the set square where the candidate has since laid it.
    enum Part { Drawing = 1, SetSquares = 2, Dividers = 4, Compass = 8 };
    using Apply = std::function<void(const ChartState &, int parts)>;

    // keyRun: the run of key presses this step belongs to, or -1 for a step of its own.
    ChartStep(const QString &text, const ChartState &before, const ChartState &after, int parts,
        int keyRun, Apply apply);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    ChartState m_before;
    ChartState m_after;
    int m_parts;
    int m_keyRun;
    Apply m_apply;
};

} // namespace tovarin
