// Realistic tests for the benchmarks: Polish question texts of 80–300
// characters and answers of 20–120, as Windows-1250 bytes.
#pragma once

#include "model/Baza.h"

#include <memory>

std::unique_ptr<TTest> GenerateTest(int questions, unsigned seed);
