// Pattern keys on the document: the area, the colour action, the AddMode.
#include "patterns/pattern_key_run.h"
#include "editing/editing_state.h"
#include "pattern_test_support.h"
#include "scripted_prompt.h"

namespace {

class PatternKeyPress : public PatternTest
{
protected:
    ScriptedPrompt prompt;
};

TEST_F(PatternKeyPress, APressInsertsTheMovedCopyAfterTheCurrentFrame)
{
    auto doc = documentOf(1, 4, 2);
    doc->frames().at(0) = lettered({"abcd"});
    EditingState editing;
    EXPECT_TRUE(pressPatternKey(*doc, editing, PatternAction::Move, PatternKey::D, 1, prompt));
    ASSERT_EQ(doc->frameCount(), 3);
    EXPECT_EQ(doc->currentIndex(), 1);
    EXPECT_EQ(letters(doc->frames().at(1), 1, 4), Rows{std::string(1, '\0') + "abc"});
    EXPECT_EQ(letters(doc->frames().at(0), 1, 4), Rows{"abcd"});
}

TEST_F(PatternKeyPress, OnlyTheAreaMovesAndVacatedCellsTakeTheBlankColour)
{
    auto doc = documentOf(3, 4);
    doc->setBackgroundColor('_');
    doc->frames().at(0) = lettered(kFourByThree);
    EditingState editing;
    editing.area = drawnArea(1, 0, 2, 1);
    pressPatternKey(*doc, editing, PatternAction::Move, PatternKey::S, 1, prompt);
    // The blank colour repeats the background's low byte into all three.
    Frame f = doc->frames().at(1);
    EXPECT_EQ(f.at(1, 0, 4), makeColor('_', '_', '_'));
    f.set(1, 0, 4, '_');
    f.set(2, 0, 4, f.at(2, 0, 4) == makeColor('_', '_', '_') ? '_' : '?');
    EXPECT_EQ(letters(f, 3, 4), (Rows{"a__d", "ebch", "ijkl"}));
}

TEST_F(PatternKeyPress, TheColourActionCombinesOldAndMovedColours)
{
    auto doc = documentOf(1, 3);
    doc->frames().at(0) = Frame(3, 0);
    doc->frames().at(0)[0] = kRed;
    EditingState editing;
    editing.colourAction = ColourAction::Xor;
    pressPatternKey(*doc, editing, PatternAction::Move, PatternKey::F, 1, prompt);
    EXPECT_EQ(strip(*doc, 1), "##.");
    editing.colourAction = ColourAction::And; // only where old and moved agree
    pressPatternKey(*doc, editing, PatternAction::Move, PatternKey::F, 1, prompt);
    EXPECT_EQ(strip(*doc, 2), ".#.");
}

TEST_F(PatternKeyPress, TheAddModeDecidesWhereTheFrameGoes)
{
    auto doc = documentOf(1, 2, 2);
    doc->frames().at(0) = lettered({"ab"});
    EditingState editing;
    editing.addMode = AddMode::CurrentFrame;
    pressPatternKey(*doc, editing, PatternAction::Move, PatternKey::B, 1, prompt);
    EXPECT_EQ(doc->frameCount(), 2);
    EXPECT_EQ(letters(doc->frames().at(0), 1, 2), Rows{"ba"});
    editing.addMode = AddMode::Overwrite;
    pressPatternKey(*doc, editing, PatternAction::Move, PatternKey::B, 1, prompt);
    EXPECT_EQ(doc->frameCount(), 2);
    EXPECT_EQ(doc->currentIndex(), 1);
    EXPECT_EQ(letters(doc->frames().at(0), 1, 2), Rows{"ab"});
}

TEST_F(PatternKeyPress, NothingHappensWithoutAFrame)
{
    Document doc(gridOf(2, 2));
    EXPECT_FALSE(pressPatternKey(doc, EditingState{}, PatternAction::Move, PatternKey::A, 1, prompt));
    EXPECT_EQ(doc.frameCount(), 0);
}

} // namespace
