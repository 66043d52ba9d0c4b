#pragma once
// The colour order list of the controller panel ("RGB顺序"): which colour
// component of which pixel of a cycle group leaves the controller in which
// order.
//
// Rows are kept as the panel shows them, top to bottom. Every insertion goes
// to the top, and the logical order read by the output encoders and written
// to parameter files runs from the bottom row up to the top row.

#include <QString>
#include <vector>

struct RgbOrderRow
{
    QString pixel; // decimal number within the cycle (1 .. Cycle), or "null"
    QString color; // "r", "g", "b" or "null"; encoders look at its first letter

    bool operator==(const RgbOrderRow &) const = default;
};

// Picture of a row: 0 "r", 1 "g", 2 "b", 3 "null"; -1 for any other text
// (a hand-edited parameter file), which shows no picture.
int rgbPictureIndex(const QString &color);

class RgbOrderList
{
public:
    int count() const { return int(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    void clear() { m_rows.clear(); }

    // Display order: row 0 is the top row.
    const RgbOrderRow &row(int displayIndex) const { return m_rows[size_t(displayIndex)]; }
    const std::vector<RgbOrderRow> &rows() const { return m_rows; }

    // Logical order: index 0 is the bottom row.
    const RgbOrderRow &logical(int i) const { return m_rows[m_rows.size() - 1 - size_t(i)]; }

    void insertAtTop(RgbOrderRow row) { m_rows.insert(m_rows.begin(), std::move(row)); }
    // The whole list at once from rows in logical order (bottom row first),
    // as a parameter file lists them: the same list as inserting each at the
    // top in turn, in linear time.
    void assignLogical(std::vector<RgbOrderRow> logicalRows);

    // A row dragged to the place of the row at `target` (display index; a
    // target at or past the end drops it below the last row). The row is
    // removed from its old place; returns its new display index.
    int moveRow(int from, int target);

    bool operator==(const RgbOrderList &) const = default;

private:
    std::vector<RgbOrderRow> m_rows;
};
