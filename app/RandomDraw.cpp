#include "RandomDraw.h"

#include <chrono>

std::vector<bool> DrawPositions(int count, int wanted, std::mt19937& generator)
{
    std::vector<bool> ticked(static_cast<std::size_t>(count > 0 ? count : 0), false);
    if (wanted >= count) {
        ticked.assign(ticked.size(), true);
        return ticked;
    }
    if (wanted < 1)
        return ticked;
    std::uniform_int_distribution<int> step(0, count - 1);
    int position = 0;
    for (int done = 0; done < wanted;) {
        position = (position + step(generator) + 1) % count;
        if (!ticked[static_cast<std::size_t>(position)]) {
            ticked[static_cast<std::size_t>(position)] = true;
            ++done;
        }
    }
    return ticked;
}

std::mt19937 ClockSeededGenerator()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return std::mt19937(static_cast<std::mt19937::result_type>(now));
}
