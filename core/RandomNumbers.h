#pragma once
// Random numbers for the models. The generator is seeded once from the clock
// when first used, so every start of the program draws different numbers.
#include <cstdint>

// A uniform number in [0, 1).
double randomUniform();
// Reseeds the generator (tests make their draws repeatable with it).
void setRandomSeed(uint64_t seed);

// A normally distributed number with the given mean and standard deviation,
// by the polar method; sd = 0 returns the mean exactly.
float gaussRandom(float mean, float sd);
