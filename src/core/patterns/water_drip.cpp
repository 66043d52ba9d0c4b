#include "patterns/water_drip.h"

#include "document/frame_budget.h"
#include "patterns/basic_colour_list.h"
#include "settings/language.h"

#include <algorithm>

int64_t waterDripFrameCount(int rows, int cols)
{
    if (rows <= 0 || cols <= 0)
        return 0;
    return int64_t(rows) * (rows + 1) / 2 + int64_t(rows) * (cols / 2);
}

QString waterDripPatternText(int index)
{
    switch (index) {
    case 0:
        return lookedUpText("AutoComboBox", "ComboBoxWaterDripItem0", QStringLiteral("普通滴水花样"));
    case 1:
        return lookedUpText("AutoComboBox", "ComboBoxWaterDripItem1", QStringLiteral("倒V形滴水花样"));
    default:
        return QString();
    }
}

int generateWaterDrip(PatternTarget &target, const WaterDripParams &p)
{
    Document &doc = target.doc;
    const int rows = doc.rows();
    const int cols = doc.cols();
    if (rows <= 0 || cols <= 0)
        return 0;
    const ColorValue fg = BasicColourList::colour(p.foreground);
    const ColorValue bg = BasicColourList::colour(p.background);
    const int drip = cols / 2;
    const int64_t expected = waterDripFrameCount(rows, cols);

    // The water so far: background above, j rows of foreground at the
    // bottom. Each frame starts as one copy of it.
    Frame water(size_t(doc.pointCount()), bg);
    FrameSink sink(target, AddRule::AlwaysInsert, expected > INT32_MAX ? 0 : int(expected), EditNames::WaterDrip);
    for (int j = 0; j < rows; ++j) {
        const int i = rows - j; // rows above the water
        for (int k = 0; k < i; ++k) {
            Frame frame = water;
            frame.set(drip, k, cols, fg);
            if (!sink.hand(std::move(frame)))
                return sink.made(); // stopped by the user
        }
        if (cols >= 2) {
            ColorValue *surface = water.data() + size_t(i - 1) * size_t(cols);
            for (int t = 0; t < cols / 2; ++t) {
                const int from = std::max(drip - 1 - t, 0);
                const int to = std::min(drip + 1 + t, cols - 1);
                // The spreading row grows in place: it becomes the next
                // water row once it spans the grid.
                std::fill(surface + from, surface + to + 1, fg);
                if (!sink.hand(Frame(water)))
                    return sink.made();
            }
        }
        // The row just above the water is now full.
        ColorValue *risen = water.data() + size_t(i - 1) * size_t(cols);
        std::fill(risen, risen + cols, fg);
    }
    return sink.made();
}

int runWaterDrip(PatternTarget &target, const WaterDripParams &p, Prompt &prompt)
{
    if (!patternColoursDiffer(p.foreground, p.background, prompt))
        return 0;
    if (!checkFramesToAdd(target.doc, waterDripFrameCount(target.doc.rows(), target.doc.cols()), prompt))
        return 0;
    return generateWaterDrip(target, p);
}
