#pragma once

#include "model/RandomSource.h"

#include <cstdint>
#include <random>

// The game's random generator: a Mersenne twister with an unbiased reduction to
// 0..n-1, so that a given seed gives the same game on every platform.
class TSeededRandom : public TRandomSource
{
public:
    explicit TSeededRandom(std::uint32_t seed);
    // Seeded from the clock, as the game does at start-up.
    static std::uint32_t ClockSeed();

    void Seed(std::uint32_t seed);
    int Random(int n) override;

private:
    std::mt19937 engine_;
};
