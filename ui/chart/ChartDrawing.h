// The candidate's drawing on one chart question, as a copyable value. This stands in for the
// plotting tools' own until they join the program; it carries nothing yet.
#pragma once

namespace tovarin {

struct ChartDrawing
{
};

} // namespace tovarin
