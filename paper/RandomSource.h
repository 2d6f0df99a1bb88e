// The program's pseudo-random generator: single-precision values uniformly in [0, 1), one per
// call, seeded from the time of day each time the menu loads. Tests put their own source in its
// place to feed the draw exact values.
#pragma once

#include <cstdint>
#include <random>

namespace tovarin {

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0; // 0 <= value < 1
};

// Turns 32 random bits into a float in [0, 1): the top 24 bits over 2^24, so every value is
// k / 2^24 for k = 0 to 2^24 - 1, exact in single precision; the largest is 1 - 2^-24
// (0.99999994), never 1.0. (std::generate_canonical<float> may round up to 1.0.)
constexpr float unitFloatFromBits(std::uint32_t bits)
{
    return static_cast<float>(bits >> 8) * 0x1p-24f;
}

class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(std::uint32_t seed = 0)
        : m_engine(seed)
    {
    }
    void seed(std::uint32_t seed) { m_engine.seed(seed); }
    float next() override { return unitFloatFromBits(static_cast<std::uint32_t>(m_engine())); }

private:
    std::mt19937 m_engine;
};

// The generator the program draws with (the current ProgramState's).
RandomSource &programRandom();
// Seeds the program's own generator (not a replacement put in by a test).
void seedProgramRandom(std::uint32_t seed);
// Puts a test's source in place of the program's generator; nullptr restores it.
void replaceProgramRandom(RandomSource *source);

} // namespace tovarin
