#include "runner/QuestionFont.h"

#include <algorithm>

int QuestionFontPoints(int32_t questionSize, int32_t testSize, int defaultSize)
{
    const int32_t size = questionSize > 0 ? questionSize : testSize > 0 ? testSize : defaultSize;
    return std::clamp<int32_t>(size, kSmallestQuestionPoints, kLargestQuestionPoints);
}
