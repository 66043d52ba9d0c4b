// How generated frames enter the sequence, and one repaint per run.
#include "patterns/curtain.h"
#include "patterns/add_mode.h"
#include "pattern_test_support.h"

#include <QSignalSpy>

namespace {

using AddModes = PatternTest;

TEST_F(AddModes, EachFamilyRuleMapsTheModes)
{
    struct Case
    {
        AddRule rule;
        AddMode expected[3];
    };
    const Case cases[] = {
        {AddRule::FollowAddMode, {AddMode::Insert, AddMode::Overwrite, AddMode::CurrentFrame}},
        {AddRule::InsertOrOverwrite, {AddMode::Insert, AddMode::Overwrite, AddMode::Overwrite}},
        {AddRule::AlwaysInsert, {AddMode::Insert, AddMode::Insert, AddMode::Insert}},
    };
    for (const Case &c : cases)
        for (int m = 0; m < 3; ++m)
            EXPECT_EQ(effectiveAddMode(c.rule, addModeFromIndex(m)), c.expected[m]) << int(c.rule) << " " << m;
    EXPECT_EQ(addModeFromIndex(7), AddMode::Insert);
    EXPECT_EQ(addModeFromIndex(-1), AddMode::Insert);
}

TEST_F(AddModes, TheThreeOperations)
{
    auto doc = documentOf(1, 1, 2);
    addFrame(*doc, AddMode::Insert, Frame(1, kRed));
    EXPECT_EQ(doc->frameCount(), 3);
    EXPECT_EQ(doc->currentIndex(), 1);
    addFrame(*doc, AddMode::CurrentFrame, Frame(1, kGreen));
    EXPECT_EQ(doc->frameCount(), 3);
    EXPECT_EQ(doc->currentIndex(), 1);
    EXPECT_EQ(doc->frames().at(1)[0], kGreen);
    addFrame(*doc, AddMode::Overwrite, Frame(1, kBlue));
    EXPECT_EQ(doc->frames().at(1)[0], kBlue);
    EXPECT_EQ(doc->currentIndex(), 2);
}

TEST_F(AddModes, ItemTextsAreTheBuiltInChinese)
{
    EXPECT_EQ(addModeText(0), QStringLiteral("插入"));
    EXPECT_EQ(addModeText(1), QStringLiteral("覆盖"));
    EXPECT_EQ(addModeText(2), QStringLiteral("当前帧"));
}

TEST_F(AddModes, ARunIsAnnouncedOnceWithProgressOnTheWay)
{
    auto doc = documentOf(1, 600);
    QSignalSpy counted(doc.get(), &Document::framesChanged);
    QSignalSpy moved(doc.get(), &Document::currentFrameChanged);
    std::vector<std::pair<int64_t, int64_t>> reports;
    PatternTarget target{*doc};
    target.progress = [&](int64_t made, int64_t expected) {
        reports.emplace_back(made, expected);
        return true;
    };
    EXPECT_EQ(generateCurtain(target, {0, 7, 1, 0}), 600);
    EXPECT_EQ(counted.count(), 1);
    EXPECT_EQ(moved.count(), 1);
    // After every frame, then once more at the end of the run.
    ASSERT_EQ(reports.size(), 601u);
    EXPECT_EQ(reports[0], (std::pair<int64_t, int64_t>{1, 600}));
    EXPECT_EQ(reports[299], (std::pair<int64_t, int64_t>{300, 600}));
    EXPECT_EQ(reports[599], (std::pair<int64_t, int64_t>{600, 600}));
    EXPECT_EQ(reports[600], (std::pair<int64_t, int64_t>{600, 600}));
}

TEST_F(AddModes, TheGenerationAreaIsTheDrawnAreaOrTheWholeGrid)
{
    EXPECT_EQ(generationArea(BlockArea{}, 4, 5), (GridRect{0, 0, 4, 3}));
    EXPECT_EQ(generationArea(drawnArea(1, 2, 3, 3), 4, 5), (GridRect{1, 2, 3, 3}));
    BlockArea notDrawn = drawnArea(-1, 0, 2, 2);
    EXPECT_EQ(generationArea(notDrawn, 4, 5), (GridRect{0, 0, 4, 3}));
    BlockArea notDefined = drawnArea(1, 1, 2, 2);
    notDefined.defined = false;
    EXPECT_EQ(generationArea(notDefined, 4, 5), (GridRect{0, 0, 4, 3}));
}

} // namespace
