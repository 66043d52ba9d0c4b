// The generated tables of the colour panel.
#include "palette/colour_table.h"
#include "palette_test_support.h"

namespace {

TEST(ColourTableSize, RowsFollowTheBaseColoursAndGradesTheProgramMode)
{
    EXPECT_EQ(tableRowsFor(1), 1);
    EXPECT_EQ(tableRowsFor(2), 3);
    EXPECT_EQ(tableRowsFor(3), 7);
    EXPECT_EQ(tableGradesFor(0, 3), 1);
    EXPECT_EQ(tableGradesFor(1, 0), 16);
    EXPECT_EQ(tableGradesFor(1, 1), 32);
    EXPECT_EQ(tableGradesFor(1, 2), 64);
    EXPECT_EQ(tableGradesFor(1, 3), 128);
}

TEST(ColourTableSize, TheStepIs255DivGradesLessOne)
{
    EXPECT_EQ(tableStepFor(16), 17.0);
    EXPECT_EQ(tableStepFor(32), 8.0);
    EXPECT_EQ(tableStepFor(64), 4.0);
    EXPECT_EQ(tableStepFor(128), 2.0);
    EXPECT_EQ(tableStepFor(1), 255.0);
}

TEST(SingleColourTable, RampsEachSeedDownToBlackWithSixteenGrades)
{
    const ColourTable t = buildColourTable(TableMode::SingleColour, 7, 16);
    ASSERT_EQ(t.cells.size(), 7u * 16u);
    EXPECT_EQ(t.at(0, 0), makeColor(255, 0, 0));
    EXPECT_EQ(t.at(0, 1), makeColor(238, 0, 0));
    EXPECT_EQ(t.at(3, 2), makeColor(0, 221, 221));
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(t.at(r, 15), 0u) << "row " << r;
}

TEST(SingleColourTable, OneGradeInANormalProgramGivesTheSevenSeeds)
{
    const ColourTable t = buildColourTable(TableMode::SingleColour, tableRowsFor(3), tableGradesFor(0, 0));
    EXPECT_EQ(t.grades, 1);
    EXPECT_EQ(t.cells, (std::vector<ColorValue>{makeColor(255, 0, 0), makeColor(255, 255, 0), makeColor(0, 255, 0),
                                                makeColor(0, 255, 255), makeColor(0, 0, 255), makeColor(255, 0, 255),
                                                makeColor(255, 255, 255)}));
}

TEST(MixedColourTable, EachRowChangesOneChannelTowardsTheNextSeed)
{
    const ColourTable t = buildColourTable(TableMode::MixedColour, 7, 32);
    // Step 8: the red-to-yellow ramp ends at green 248, not 255.
    EXPECT_EQ(t.at(0, 0), makeColor(255, 0, 0));
    EXPECT_EQ(t.at(0, 31), makeColor(255, 248, 0));
    EXPECT_EQ(t.at(1, 31), makeColor(7, 255, 0));
    EXPECT_EQ(t.at(2, 1), makeColor(0, 255, 8));
    EXPECT_EQ(t.at(3, 1), makeColor(0, 247, 255));
    EXPECT_EQ(t.at(4, 2), makeColor(16, 0, 255));
    EXPECT_EQ(t.at(5, 3), makeColor(255, 24, 255));
    EXPECT_EQ(t.at(6, 31), makeColor(255, 7, 7));
}

TEST(MixedColourTable, OnlyTheRowsOfTheBaseColourCountAreBuilt)
{
    EXPECT_EQ(buildColourTable(TableMode::MixedColour, 3, 16).cells.size(), 48u);
    EXPECT_EQ(buildColourTable(TableMode::MixedColour, 1, 16).at(0, 15), makeColor(255, 255, 0));
}

TEST(CustomTable, RampsFromTheStartToExactlyTheEndInTheFirstRowOnly)
{
    const ColourTable t = buildColourTable(TableMode::Custom, 7, 16, makeColor(255, 0, 0), makeColor(255, 255, 0));
    EXPECT_EQ(t.at(0, 0), makeColor(255, 17, 0)); // entry 0 is after the first step
    EXPECT_EQ(t.at(0, 13), makeColor(255, 238, 0));
    EXPECT_EQ(t.at(0, 14), makeColor(255, 255, 0));
    EXPECT_EQ(t.at(0, 15), makeColor(255, 255, 0));
    for (int r = 1; r < 7; ++r)
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(t.at(r, i), 0u);
}

TEST(CustomTable, SmallDifferencesStepByOneAndStopAtTheEnd)
{
    // |10 - 0| div 15 is 0: each channel moves by 1 and then stays.
    const ColourTable t = buildColourTable(TableMode::Custom, 1, 16, makeColor(0, 200, 50), makeColor(10, 200, 40));
    EXPECT_EQ(t.at(0, 0), makeColor(1, 200, 49));
    EXPECT_EQ(t.at(0, 9), makeColor(10, 200, 40));
    EXPECT_EQ(t.at(0, 14), makeColor(10, 200, 40));
    // A large step that does not divide evenly: 0 -> 25 over three grades.
    const ColourTable u = buildColourTable(TableMode::Custom, 1, 3, makeColor(0, 0, 0), makeColor(25, 0, 0));
    EXPECT_EQ(u.cells, (std::vector<ColorValue>{makeColor(12, 0, 0), makeColor(24, 0, 0), makeColor(25, 0, 0)}));
}

TEST(CustomTable, OneGradeHoldsTheEndColour)
{
    const ColourTable t = buildColourTable(TableMode::Custom, 7, 1, makeColor(1, 2, 3), makeColor(40, 50, 60));
    EXPECT_EQ(t.at(0, 0), makeColor(40, 50, 60));
    EXPECT_EQ(t.at(1, 0), 0u);
}

} // namespace
