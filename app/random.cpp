#include "app/random.h"

#include <random>

namespace {
std::mt19937& Generator() {
    static std::mt19937 generator;
    return generator;
}
}  // namespace

void Randomize(std::uint64_t seed) {
    std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
    Generator().seed(sequence);
}

std::uint32_t Random(std::uint32_t range) {
    return std::uniform_int_distribution<std::uint32_t>(0, range - 1)(Generator());
}
