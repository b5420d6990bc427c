// The heights of a list's rows in a Fenwick tree, so that a view of a
// hundred thousand rows of varying height finds "the top of row k" and "the
// row at y" in O(log n) and changes one row's height in O(log n).
//
// Rows added or removed at the end cost O(log n) each; rows added or removed
// in the middle rebuild the tree in one linear pass over plain integers.
#pragma once

#include <vector>

class RowHeights
{
public:
    int count() const { return int(m_heights.size()); }
    int height(int row) const { return m_heights[std::size_t(row)]; }
    // The sum of the heights of the rows before `row`; row == count() gives the total.
    int top(int row) const;
    int total() const { return top(count()); }
    // The row whose span holds y, that is top(row) <= y < top(row + 1);
    // count() when y lies at or below the total, 0 when y is negative.
    int rowAt(int y) const;

    // True when the height changed.
    bool setHeight(int row, int height);
    // Puts rows of these heights before `row` (count() appends them).
    void insert(int row, const std::vector<int>& heights);
    void remove(int row, int count);
    void assign(std::vector<int> heights);

private:
    void append(int height);
    void rebuild();

    std::vector<int> m_heights;
    std::vector<int> m_tree;  // m_tree[i - 1] holds the sum of rows (i - lowbit(i), i]
};
