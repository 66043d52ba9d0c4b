#include "patterns/blinds.h"

#include "document/frame_budget.h"
#include "patterns/basic_colour_list.h"
#include "patterns/sweep_direction.h"

#include <vector>

int blindsSlatSize(const BlindsParams &p, const GridRect &area)
{
    return ceilDiv(sweepExtent(area, sweepDirectionFromIndex(p.direction)), atLeastOne(p.slats));
}

int blindsFrameCount(const BlindsParams &p, const GridRect &area)
{
    const int perPhase = ceilDiv(blindsSlatSize(p, area), atLeastOne(p.step));
    const int64_t total = int64_t(atLeastOne(p.repeat)) * 2 * perPhase;
    return total > INT32_MAX ? INT32_MAX : int(total);
}

int generateBlinds(PatternTarget &target, const BlindsParams &p)
{
    Document &doc = target.doc;
    const int rows = doc.rows();
    const int cols = doc.cols();
    if (rows <= 0 || cols <= 0)
        return 0;
    const GridRect area = generationArea(target.area, rows, cols);
    const SweepDirection d = sweepDirectionFromIndex(p.direction);
    const int step = atLeastOne(p.step);
    const int repeat = atLeastOne(p.repeat);
    const int extent = sweepExtent(area, d);
    const int slat = blindsSlatSize(p, area);
    const int perPhase = ceilDiv(slat, step);
    const ColorValue fg = BasicColourList::colour(p.foreground);
    const ColorValue bg = BasicColourList::colour(p.background);

    // Distance of each line of the area from its slat's start side. A slat
    // is `slat` lines long even where the area cuts it short, so a cut slat
    // swept from its far side starts beyond the area's edge.
    std::vector<int> fromStart(static_cast<size_t>(extent));
    for (int o = 0; o < extent; ++o) {
        const int inSlat = o % slat;
        fromStart[size_t(o)] = startsAtFarSide(d) ? slat - 1 - inSlat : inSlat;
    }

    std::vector<ColorValue> lines(static_cast<size_t>(extent));
    FrameSink sink(target, AddRule::AlwaysInsert, blindsFrameCount(p, area), EditNames::Blinds);
    for (int r = 0; r < repeat; ++r) {
        for (int phase = 0; phase < 2; ++phase) {
            const ColorValue sweeping = phase == 0 ? fg : bg;
            const ColorValue resting = phase == 0 ? bg : fg;
            for (int k = 1; k <= perPhase; ++k) {
                const int64_t covered = int64_t(k) * step;
                for (int o = 0; o < extent; ++o)
                    lines[size_t(o)] = fromStart[size_t(o)] < covered ? sweeping : resting;
                Frame frame(size_t(doc.pointCount()), 0);
                paintLines(frame, cols, area, d, lines.data());
                if (!sink.hand(std::move(frame)))
                    return sink.made(); // stopped by the user
            }
        }
    }
    return sink.made();
}

int runBlinds(PatternTarget &target, const BlindsParams &p, Prompt &prompt)
{
    if (!patternColoursDiffer(p.foreground, p.background, prompt))
        return 0;
    if (!checkFramesToAdd(target.doc, blindsFrameCount(p, generationArea(target.area, target.doc.rows(), target.doc.cols())), prompt))
        return 0;
    return generateBlinds(target, p);
}
