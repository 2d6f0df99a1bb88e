#include "paper/RandomSource.h"

namespace tovarin {
namespace {

SeededRandom &ownGenerator()
{
    static SeededRandom generator;
    return generator;
}

RandomSource *g_replacement = nullptr;

} // namespace

RandomSource &programRandom()
{
    return g_replacement ? *g_replacement : ownGenerator();
}

void seedProgramRandom(std::uint32_t seed)
{
    ownGenerator().seed(seed);
}

void replaceProgramRandom(RandomSource *source)
{
    g_replacement = source;
}

} // namespace tovarin
