// The size, in points, of a question's text and answers: the question's own
// size when it has one, else the test's, else the runner's default, held
// within what still reads and still fits.
#pragma once

#include <cstdint>

constexpr int kDefaultQuestionPoints = 12;
constexpr int kSmallestQuestionPoints = 8;
constexpr int kLargestQuestionPoints = 48;

int QuestionFontPoints(int32_t questionSize, int32_t testSize,
                       int defaultSize = kDefaultQuestionPoints);
