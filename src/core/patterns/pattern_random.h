#pragma once
// The pattern generator's chance: one generator for the whole program with
// a fixed seed, so that runs repeat from one start of the program to the
// next and successive runs continue the same sequence. The arithmetic that
// turns raw numbers into ranges is our own, so the sequence is the same
// with every compiler and library (std::uniform_int_distribution is not).

#include <cstdint>
#include <random>

class PatternRandom
{
public:
    static constexpr uint32_t kSeed = 5489u; // the engine's documented default

    explicit PatternRandom(uint32_t seed = kSeed) : m_engine(seed) {}

    // The next raw 32-bit number.
    uint32_t next() { return m_engine(); }
    // A number in 0..bound - 1 (0 when bound <= 0), by scaling the raw
    // number: (raw * bound) >> 32.
    int below(int bound);
    // A number in low..high inclusive (low when high < low).
    int between(int low, int high);

    void reseed(uint32_t seed = kSeed) { m_engine.seed(seed); }

private:
    std::mt19937 m_engine;
};

// The one generator every pattern family draws from.
PatternRandom &patternRandom();
