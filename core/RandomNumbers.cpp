#include "core/RandomNumbers.h"

#include <chrono>
#include <cmath>
#include <random>

namespace {
std::mt19937_64 &generator()
{
    static std::mt19937_64 gen(uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count())
                               ^ uint64_t(std::random_device{}()));
    return gen;
}
} // namespace

double randomUniform()
{
    // 53 random bits: every double in [0, 1) the generator can give is a
    // multiple of 2^-53, never 1.
    return double(generator()() >> 11) * (1.0 / 9007199254740992.0);
}

void setRandomSeed(uint64_t seed)
{
    generator().seed(seed);
}

float gaussRandom(float mean, float sd)
{
    float u, s;
    do {
        u = float(2.0 * randomUniform() - 1.0);
        const double v = 2.0 * randomUniform() - 1.0;
        s = float(double(u) * u + v * v);
    } while (!(s > 0.0f && s < 1.0f)); // about 79 % of draws are accepted
    return float(double(u) * std::sqrt(-2.0 * std::log(double(s)) / double(s)) * double(sd) + double(mean));
}
