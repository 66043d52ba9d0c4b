#include "patterns/jumping_notes.h"

#include "document/frame_budget.h"
#include "palette/palette_state.h"
#include "patterns/palette_pattern_check.h"
#include "patterns/pattern_random.h"
#include "settings/language.h"

#include <vector>

namespace {

// One line's bar over the whole run: the heights it rises to, in the order
// they were drawn. A bar rises to a peak k in k frames (1, 2, ..., k) and
// falls back in k more (k, ..., 1); a peak of 0 takes no frame.
class NoteBar
{
public:
    // Draws peaks below `extent` until they fill `frames` frames. A line of
    // one cell has no room to rise: it stays dark (and draws nothing, as
    // every peak would be 0 for ever).
    void drawPeaks(PatternRandom &random, int extent, int64_t frames)
    {
        if (extent < 2)
            return;
        for (int64_t used = 0; used < frames;) {
            const int k = random.below(extent);
            m_peaks.push_back(k);
            used += 2 * int64_t(k);
        }
    }

    // The bar's height in the next frame.
    int advance()
    {
        while (m_next < m_peaks.size() && m_step >= 2 * m_peaks[m_next]) {
            ++m_next;
            m_step = 0;
        }
        if (m_next >= m_peaks.size())
            return 0;
        const int k = m_peaks[m_next];
        const int height = m_step < k ? m_step + 1 : 2 * k - m_step;
        ++m_step;
        return height;
    }

private:
    std::vector<int> m_peaks;
    size_t m_next = 0;
    int m_step = 0;
};

} // namespace

QString jumpingNotesRangeText(int index)
{
    switch (index) {
    case 0:
        return lookedUpText("AutoComboBox", "ComboBoxNoteItem0", QStringLiteral("所有列(行)"));
    case 1:
        return lookedUpText("AutoComboBox", "ComboBoxNoteItem1", QStringLiteral("奇数列(行)"));
    case 2:
        return lookedUpText("AutoComboBox", "ComboBoxNoteItem2", QStringLiteral("偶数列(行)"));
    default:
        return QString();
    }
}

bool jumpingNotesLineMoves(int range, int line)
{
    switch (range) {
    case 1:
        return line % 2 == 0; // "odd" counts from 1: the first, third ... line
    case 2:
        return line % 2 == 1;
    default:
        return true;
    }
}

int generateJumpingNotes(PatternTarget &target, const JumpingNotesParams &p, PatternRandom &random)
{
    Document &doc = target.doc;
    const int rows = doc.rows();
    const int cols = doc.cols();
    const PaletteState *palette = target.palette;
    if (p.frames <= 0 || rows <= 0 || cols <= 0 || !palette || palette->count() <= 0)
        return 0;
    const int lines = p.horizontal ? rows : cols;
    const int extent = p.horizontal ? cols : rows;
    const int64_t simulated = int64_t(p.frames) + kJumpingNotesLeadIn;

    // Each line runs on its own: all of its peaks are drawn before the next
    // line's, so a line's bar does not depend on how many lines move.
    std::vector<int> moving;
    for (int line = 0; line < lines; ++line)
        if (jumpingNotesLineMoves(p.range, line))
            moving.push_back(line);
    std::vector<NoteBar> bars(moving.size());
    for (NoteBar &bar : bars)
        bar.drawPeaks(random, extent, simulated);

    // Bars longer than the palette start over at its first colour.
    const std::vector<ColorValue> &colours = palette->colours;
    const size_t n = colours.size();
    std::vector<ColorValue> barColours(static_cast<size_t>(extent));
    for (size_t j = 0; j < barColours.size(); ++j)
        barColours[j] = colours[j % n];

    std::vector<int> heights(moving.size());
    FrameSink sink(target, AddRule::AlwaysInsert, p.frames, EditNames::JumpingNotes);
    for (int64_t f = 0; f < simulated; ++f) {
        for (size_t b = 0; b < bars.size(); ++b)
            heights[b] = bars[b].advance();
        if (f < kJumpingNotesLeadIn)
            continue;
        Frame frame(size_t(doc.pointCount()), 0);
        for (size_t b = 0; b < bars.size(); ++b) {
            const int line = moving[b];
            const int t = heights[b];
            // The bar's tip takes the first colour, the colours run on
            // towards its foot.
            for (int j = 0; j < t; ++j) {
                if (p.horizontal)
                    frame.set(t - 1 - j, line, cols, barColours[size_t(j)]);
                else
                    frame.set(line, rows - t + j, cols, barColours[size_t(j)]);
            }
        }
        if (!sink.hand(std::move(frame)))
            break; // stopped by the user
    }
    return sink.made();
}

int runJumpingNotes(PatternTarget &target, const JumpingNotesParams &p, Prompt &prompt)
{
    if (!paletteHasColours(target.palette, prompt))
        return 0;
    if (p.frames <= 0)
        return 0;
    if (!checkFramesToAdd(target.doc, p.frames, prompt))
        return 0;
    return generateJumpingNotes(target, p, patternRandom());
}
