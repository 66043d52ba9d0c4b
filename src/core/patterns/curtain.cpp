#include "patterns/curtain.h"

#include "document/frame_budget.h"
#include "patterns/basic_colour_list.h"
#include "patterns/sweep_direction.h"

#include <algorithm>
#include <vector>

int curtainFrameCount(const CurtainParams &p, const GridRect &area)
{
    return ceilDiv(sweepExtent(area, sweepDirectionFromIndex(p.direction)), atLeastOne(p.step));
}

int generateCurtain(PatternTarget &target, const CurtainParams &p)
{
    Document &doc = target.doc;
    const int rows = doc.rows();
    const int cols = doc.cols();
    if (rows <= 0 || cols <= 0)
        return 0;
    const GridRect area = generationArea(target.area, rows, cols);
    const SweepDirection d = sweepDirectionFromIndex(p.direction);
    const int step = atLeastOne(p.step);
    const int extent = sweepExtent(area, d);
    const int count = ceilDiv(extent, step);
    const ColorValue fg = BasicColourList::colour(p.foreground);
    const ColorValue bg = BasicColourList::colour(p.background);

    std::vector<ColorValue> lines(size_t(extent), bg);
    FrameSink sink(target, AddRule::InsertOrOverwrite, count, EditNames::Curtain);
    for (int k = 1; k <= count; ++k) {
        const int filled = int(std::min<int64_t>(int64_t(k) * step, extent));
        // Lines counted from the start side: the first `filled` are
        // foreground. Only the new ones change from the frame before.
        for (int o = 0; o < filled; ++o)
            lines[size_t(startsAtFarSide(d) ? extent - 1 - o : o)] = fg;
        Frame frame(size_t(doc.pointCount()), 0);
        paintLines(frame, cols, area, d, lines.data());
        if (!sink.hand(std::move(frame)))
            break; // stopped by the user
    }
    return sink.made();
}

int runCurtain(PatternTarget &target, const CurtainParams &p, Prompt &prompt)
{
    if (!patternColoursDiffer(p.foreground, p.background, prompt))
        return 0;
    if (!checkFramesToAdd(target.doc, curtainFrameCount(p, generationArea(target.area, target.doc.rows(), target.doc.cols())), prompt))
        return 0;
    return generateCurtain(target, p);
}
