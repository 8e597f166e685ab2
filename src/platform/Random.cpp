// One Mersenne Twister for the whole program, so a seed repeats a whole run of effects.
#include "platform/Random.h"

#include <random>
#include <utility>

namespace {

std::mt19937& Engine() {
    static std::mt19937 engine(1234u);
    return engine;
}

}  // namespace

void SeedRnd(uint32_t seed) {
    Engine().seed(seed);
}

float Rnd(float low, float high) {
    if (low > high) std::swap(low, high);
    if (low == high) return low;
    float value = std::uniform_real_distribution<float>(low, high)(Engine());
    return value < high ? value : low;
}

int Rand(int low, int high) {
    if (low > high) std::swap(low, high);
    return std::uniform_int_distribution<int>(low, high)(Engine());
}
