// What the program has exactly one of and its screens read directly: the exam paper, the clock
// and the pseudo-random generator. The program object (app/Program) owns one and makes it the
// current state for its lifetime, so that a test's own program object starts from a fresh paper,
// the system's clock and a fresh generator, and leaves nothing behind when it is thrown away.
// Without a program object (the core's tests) a state of the process stands in.
#pragma once

#include "paper/Clock.h"
#include "paper/ExamPaper.h"
#include "paper/RandomSource.h"

namespace tovarin {

class ProgramState
{
public:
    // Becomes the current state; the one before is current again when this one is destroyed.
    ProgramState();
    ~ProgramState();
    ProgramState(const ProgramState &) = delete;
    ProgramState &operator=(const ProgramState &) = delete;

    static ProgramState &current();

    ExamPaper paper;

    const Clock &clock() const { return m_clockReplacement ? *m_clockReplacement : m_systemClock; }
    RandomSource &random() { return m_randomReplacement ? *m_randomReplacement : m_generator; }
    void seedGenerator(std::uint32_t seed) { m_generator.seed(seed); }

    // A test's clock or source in place of the system's clock or the program's generator;
    // nullptr puts the program's own back.
    void replaceClock(const Clock *clock) { m_clockReplacement = clock; }
    void replaceRandom(RandomSource *source) { m_randomReplacement = source; }

private:
    SystemClock m_systemClock;
    SeededRandom m_generator;
    const Clock *m_clockReplacement = nullptr;
    RandomSource *m_randomReplacement = nullptr;
    ProgramState *m_previous;
};

} // namespace tovarin
