#include "patterns/palette_flow.h"

#include "palette/palette_state.h"

#include <algorithm>

namespace {

// The wave directions lift the colours by 0, 1 or 2 lines along a column
// phase of period 12: 0 0 1 1 2 2 2 2 1 1 0 0.
int waveLift(int offset)
{
    static constexpr int kLift[12] = {0, 0, 1, 1, 2, 2, 2, 2, 1, 1, 0, 0};
    return kLift[offset % 12];
}

} // namespace

void PaletteFlow::apply(Frame &frame, int rows, int cols, GridRect rect, ColorValue key,
                        FlowDirection direction, PaletteState &palette)
{
    const int n = palette.count();
    if (n <= 0)
        return;
    int s = palette.selected % n;
    if (s < 0)
        s += n;

    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, cols - 1);
    rect.bottom = std::min(rect.bottom, rows - 1);

    if (rect.left <= rect.right && rect.top <= rect.bottom && frame.size() >= size_t(rows) * size_t(cols)) {
        const int width = rect.width();
        const int height = rect.height();
        m_rowTerm.assign(size_t(height), 0);
        m_colTerm.assign(size_t(width), 0);
        // Every direction's index is s + (a row part) + (a column part);
        // both parts are reduced modulo n here so the pixel loop only adds.
        for (int i = 0; i < height; ++i) {
            const int fromTop = i;
            const int fromBottom = height - 1 - i;
            int term = 0;
            switch (direction) {
            case FlowDirection::Up:
            case FlowDirection::LeftUp:
            case FlowDirection::RightUp:
            case FlowDirection::WaveUp:
                term = fromTop;
                break;
            case FlowDirection::Down:
            case FlowDirection::LeftDown:
            case FlowDirection::RightDown:
            case FlowDirection::WaveDown:
                term = fromBottom;
                break;
            default:
                break;
            }
            m_rowTerm[size_t(i)] = term % n;
        }
        for (int j = 0; j < width; ++j) {
            const int fromLeft = j;
            const int fromRight = width - 1 - j;
            int term = 0;
            switch (direction) {
            case FlowDirection::Left:
            case FlowDirection::LeftUp:
            case FlowDirection::LeftDown:
                term = fromLeft;
                break;
            case FlowDirection::Right:
            case FlowDirection::RightUp:
            case FlowDirection::RightDown:
                term = fromRight;
                break;
            case FlowDirection::WaveUp:
            case FlowDirection::WaveDown:
                term = waveLift(fromLeft);
                break;
            default:
                break;
            }
            m_colTerm[size_t(j)] = term % n;
        }

        const ColorValue *colours = palette.colours.data();
        for (int i = 0; i < height; ++i) {
            ColorValue *row = frame.data() + size_t(rect.top + i) * size_t(cols) + size_t(rect.left);
            const int base = s + m_rowTerm[size_t(i)]; // < 2n
            for (int j = 0; j < width; ++j) {
                if (row[j] == key)
                    continue;
                int index = base + m_colTerm[size_t(j)]; // < 3n
                if (index >= n)
                    index -= n;
                if (index >= n)
                    index -= n;
                row[j] = colours[index];
            }
        }
    }

    palette.selected = s + 1 >= n ? 0 : s + 1;
}
