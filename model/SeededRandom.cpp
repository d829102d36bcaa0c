#include "model/SeededRandom.h"

#include <chrono>

TSeededRandom::TSeededRandom(std::uint32_t seed) : engine_(seed) {}

std::uint32_t TSeededRandom::ClockSeed()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

void TSeededRandom::Seed(std::uint32_t seed)
{
    engine_.seed(seed);
}

int TSeededRandom::Random(int n)
{
    if (n <= 0)
        return 0;
    // Rejection keeps every residue equally likely; std::uniform_int_distribution
    // would do too but differs between standard libraries.
    const std::uint32_t range = static_cast<std::uint32_t>(n);
    const std::uint32_t limit = UINT32_MAX - (UINT32_MAX % range + 1) % range;
    std::uint32_t draw;
    do
        draw = static_cast<std::uint32_t>(engine_());
    while (draw > limit);
    return static_cast<int>(draw % range);
}
