#include "RowHeights.h"

#include <utility>

namespace {

int LowBit(int i)
{
    return i & -i;
}

} // namespace

int RowHeights::top(int row) const
{
    int sum = 0;
    for (int i = row; i > 0; i -= LowBit(i))
        sum += m_tree[std::size_t(i - 1)];
    return sum;
}

int RowHeights::rowAt(int y) const
{
    if (y < 0)
        return 0;
    // Walks down the tree from its highest power of two: `position` ends as
    // the number of rows whose tops and heights together stay at or above y.
    int step = 1;
    while (step * 2 <= count())
        step *= 2;
    int position = 0;
    int remaining = y;
    for (; step > 0; step /= 2) {
        const int next = position + step;
        if (next <= count() && m_tree[std::size_t(next - 1)] <= remaining) {
            position = next;
            remaining -= m_tree[std::size_t(next - 1)];
        }
    }
    return position;
}

bool RowHeights::setHeight(int row, int height)
{
    const int delta = height - m_heights[std::size_t(row)];
    if (delta == 0)
        return false;
    m_heights[std::size_t(row)] = height;
    for (int i = row + 1; i <= count(); i += LowBit(i))
        m_tree[std::size_t(i - 1)] += delta;
    return true;
}

void RowHeights::append(int height)
{
    // The new node covers the rows (i - lowbit(i), i]: its own height and
    // the rows before it down to i - lowbit(i), which the tree already sums.
    const int i = count() + 1;
    m_heights.push_back(height);
    m_tree.push_back(height + top(i - 1) - top(i - LowBit(i)));
}

void RowHeights::insert(int row, const std::vector<int>& heights)
{
    if (row == count()) {
        for (const int height : heights)
            append(height);
        return;
    }
    m_heights.insert(m_heights.begin() + row, heights.begin(), heights.end());
    rebuild();
}

void RowHeights::remove(int row, int count)
{
    m_heights.erase(m_heights.begin() + row, m_heights.begin() + row + count);
    // A node covers only rows at or before its own, so the nodes of the rows
    // left in front of a removal at the end stay right.
    if (row == this->count())
        m_tree.resize(m_heights.size());
    else
        rebuild();
}

void RowHeights::assign(std::vector<int> heights)
{
    m_heights = std::move(heights);
    rebuild();
}

void RowHeights::rebuild()
{
    m_tree.assign(m_heights.begin(), m_heights.end());
    for (int i = 1; i <= count(); ++i) {
        const int parent = i + LowBit(i);
        if (parent <= count())
            m_tree[std::size_t(parent - 1)] += m_tree[std::size_t(i - 1)];
    }
}
