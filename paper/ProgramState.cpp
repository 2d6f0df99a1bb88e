#include "paper/ProgramState.h"

namespace tovarin {
namespace {

ProgramState *g_current = nullptr;

} // namespace

ProgramState::ProgramState()
    : m_previous(g_current)
{
    g_current = this;
}

ProgramState::~ProgramState()
{
    g_current = m_previous;
}

ProgramState &ProgramState::current()
{
    if (g_current)
        return *g_current;
    static ProgramState process; // becomes current while it is made
    return process;
}

// The accessors the screens and the draw use, all reading the current state.

ExamPaper &examPaper()
{
    return ProgramState::current().paper;
}

const Clock &programClock()
{
    return ProgramState::current().clock();
}

void replaceProgramClock(const Clock *clock)
{
    ProgramState::current().replaceClock(clock);
}

RandomSource &programRandom()
{
    return ProgramState::current().random();
}

void seedProgramRandom(std::uint32_t seed)
{
    ProgramState::current().seedGenerator(seed);
}

void replaceProgramRandom(RandomSource *source)
{
    ProgramState::current().replaceRandom(source);
}

} // namespace tovarin
