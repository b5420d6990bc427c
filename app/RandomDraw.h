// Picks questions at random for the import page.
#pragma once

#include <random>
#include <vector>

// Marks exactly `wanted` distinct positions of `count` (all of them when
// `wanted` is `count` or more, none when it is below 1). Each try moves on
// by 1 to `count` places from the position tried last, so every position,
// the first included, can be reached.
std::vector<bool> DrawPositions(int count, int wanted, std::mt19937& generator);

// A generator seeded anew from the clock, for one draw.
std::mt19937 ClockSeededGenerator();
