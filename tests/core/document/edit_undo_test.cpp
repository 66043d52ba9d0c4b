// Every kind of frame edit, done, undone and done again on one seeded
// project: each step must give back the frames, the grid, the wiring, the
// current frame and the frame count byte for byte, and each edit must be
// one entry of the history.
#include "history_test_support.h"
#include "scripted_prompt.h"

#include "capture/gather.h"
#include "capture/sample_list.h"
#include "document/colour_replace.h"
#include "document/frame_repeat.h"
#include "document/transform_resize.h"
#include "document/transform_rotate.h"
#include "document/transform_rows.h"
#include "editing/brightness.h"
#include "editing/painting.h"
#include "editing/paste.h"
#include "editing/range_operations.h"
#include "patterns/add_mode.h"
#include "patterns/blinds.h"
#include "patterns/curtain.h"
#include "patterns/jumping_notes.h"
#include "patterns/palette_fill.h"
#include "patterns/pattern_random.h"
#include "patterns/picture_pattern.h"
#include "patterns/pattern_key_run.h"
#include "patterns/stacking_blocks.h"
#include "patterns/water_drip.h"

#include <QImage>
#include <functional>

namespace {

struct UndoCase
{
    const char *name;
    QString english; // what Edit > Undo names
    std::function<void(SeededProject &)> edit;
};

void paintThreePoints(SeededProject &p)
{
    p.palette.brush = Brush::None;
    PaintStroke stroke(p.d(), p.editing, p.palette);
    stroke.paintAt(1, 1);
    stroke.paintAt(2, 1);
    stroke.paintAt(2, 2);
}

void rangeMode(SeededProject &p, int mode, int start, int end)
{
    ScriptedPrompt prompt;
    ASSERT_TRUE(runFrameRange(p.d(), p.editing, mode, start, end, prompt));
}

void paste(SeededProject &p, bool overwrite, int start, int count)
{
    ScriptedPrompt prompt;
    PasteOptions o;
    o.overwrite = overwrite;
    o.start = start;
    o.count = count;
    ASSERT_EQ(pasteClipboard(p.d(), p.editing, o, prompt), PasteResult::Pasted);
}

PatternTarget targetOf(SeededProject &p, int addMode)
{
    return PatternTarget(p.d(), addMode, p.editing.area, &p.palette);
}

std::vector<UndoCase> undoCases()
{
    return {
        {"PaintStroke", "Painting", paintThreePoints},
        {"PaintWholeRows", "Painting",
         [](SeededProject &p) {
             p.editing.strokeSpread = StrokeSpread::WholeRow;
             paintThreePoints(p);
         }},
        {"AllLight", "All Light", [](SeededProject &p) { fillCurrentFrame(p.d(), p.editing, 0x123456); }},
        {"CutBlock", "Cut", [](SeededProject &p) { rangeMode(p, 1, 2, 4); }},
        {"CutFrames", "Cut", [](SeededProject &p) { rangeMode(p, 2, 2, 3); }},
        {"CutEveryFrame", "Cut", [](SeededProject &p) { rangeMode(p, 2, 1, p.d().frameCount()); }},
        {"DeleteBlock", "Delete", [](SeededProject &p) { rangeMode(p, 5, 1, 5); }},
        {"DeleteFrames", "Delete", [](SeededProject &p) { rangeMode(p, 6, 1, 2); }},
        {"InvertBlock", "Invert Colours", [](SeededProject &p) { rangeMode(p, 7, 1, 3); }},
        {"InvertFrames", "Invert Colours", [](SeededProject &p) { rangeMode(p, 8, 3, 5); }},
        {"PasteInsert", "Paste", [](SeededProject &p) { paste(p, false, 2, 2); }},
        {"PasteOverwritePastTheEnd", "Paste", [](SeededProject &p) { paste(p, true, 4, 3); }},
        {"SaveFrame", "Save Frame", [](SeededProject &p) { insertCopyOfCurrent(p.d()); }},
        {"StoreFrame", "Store Frame",
         [](SeededProject &p) {
             FrameEdit edit(p.d(), EditNames::StoreFrame);
             p.d().storeFrame(Frame(size_t(p.d().pointCount()), 0x777777));
         }},
        {"Rotate", "Rotate 90°", [](SeededProject &p) { rotateQuarterTurn(p.d()); }},
        {"OddRows", "Keep Odd Rows", [](SeededProject &p) { extractRows(p.d(), RowParity::Odd); }},
        {"EvenRows", "Keep Even Rows", [](SeededProject &p) { extractRows(p.d(), RowParity::Even); }},
        {"AddRow", "Add Row", [](SeededProject &p) { addRow(p.d()); }},
        {"DeleteRow", "Delete Row", [](SeededProject &p) { deleteRow(p.d()); }},
        {"AddColumn", "Add Column", [](SeededProject &p) { addColumn(p.d()); }},
        {"DeleteColumn", "Delete Column", [](SeededProject &p) { deleteColumn(p.d()); }},
        {"ColourReplace", "Replace Colour",
         [](SeededProject &p) {
             ColourReplacement r;
             r.reorder = true;
             r.order = ComponentOrder::BGR;
             replaceColours(p.d(), FrameRange{1, 4}, r);
         }},
        {"FrameRepeat", "Repeat Frames",
         [](SeededProject &p) { ASSERT_EQ(repeatFrames(p.d(), FrameRange{1, 3}, 2), RepeatResult::Done); }},
        {"Brightness", "Brightness",
         [](SeededProject &p) {
             BrightnessCurve c;
             c.y1 = 120;
             adjustBrightness(p.d(), FrameRange{0, 5}, p.editing.area, c);
         }},
        {"CurtainInserts", "Curtain",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 0);
             ASSERT_GT(generateCurtain(t, CurtainParams{}), 0);
         }},
        {"CurtainOverwritesPastTheEnd", "Curtain",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 1);
             CurtainParams c;
             c.direction = 2; // top to bottom over the area's rows and on past the last frame
             p.editing.area.defined = false;
             t.area = p.editing.area;
             ASSERT_GT(generateCurtain(t, c), 2);
         }},
        {"Blinds", "Blinds",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 0);
             ASSERT_GT(generateBlinds(t, BlindsParams{}), 0);
         }},
        {"StackingOnTheCurrentFrame", "Stacking Blocks",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 2);
             StackingParams s;
             s.blockHeight = 1;
             s.blockWidth = 1;
             s.area = GridRect{0, 0, p.d().cols() - 1, p.d().rows() - 1};
             ASSERT_GT(generateStacking(t, s), 0);
         }},
        {"WaterDrip", "Water Drip",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 0);
             ASSERT_GT(generateWaterDrip(t, WaterDripParams{}), 0);
         }},
        {"JumpingNotes", "Jumping Notes",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 0);
             PatternRandom random;
             JumpingNotesParams j;
             j.frames = 6;
             ASSERT_EQ(generateJumpingNotes(t, j, random), 6);
         }},
        {"PaletteFillFrames", "Palette Fill",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 0);
             ASSERT_GT(generatePaletteFill(t, PaletteFillParams{}), 0);
         }},
        {"PaletteFillInPlace", "Palette Fill",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 0);
             PaletteFillParams f;
             f.mode = 2;
             ASSERT_EQ(generatePaletteFill(t, f), 1);
         }},
        {"PaletteFillSectors", "Palette Fill",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 0);
             PaletteFillParams f;
             f.mode = 9;
             ASSERT_GT(generatePaletteFill(t, f), 0);
         }},
        {"Picture", "Picture",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 0);
             QImage picture(8, 8, QImage::Format_RGB32);
             picture.fill(Qt::yellow);
             PicturePatternParams pp;
             pp.entrance = 3;
             pp.wait = 1;
             pp.exit = 2;
             ASSERT_GT(generatePicturePattern(t, picture, pp), 0);
         }},
        {"ScreenGatherOnTheCurrentFrame", "Screen Gather",
         [](SeededProject &p) {
             PatternTarget t = targetOf(p, 2);
             SampleList samples(3, 2);
             for (QColor c : {QColor(Qt::red), QColor(Qt::cyan)}) {
                 QImage sample(3, 2, QImage::Format_RGB32);
                 sample.fill(c);
                 ASSERT_TRUE(samples.append(sample));
             }
             ScriptedPrompt prompt;
             ASSERT_EQ(convertSamples(t, samples, DisplayMode::Stretch, true, prompt), 2);
         }},
        {"PatternKeyInserts", "Pattern Key",
         [](SeededProject &p) {
             ScriptedPrompt prompt;
             ASSERT_TRUE(pressPatternKey(p.d(), p.editing, PatternAction::Move, PatternKey::D, 1, prompt));
         }},
        {"PatternKeyOverwrites", "Pattern Key",
         [](SeededProject &p) {
             ScriptedPrompt prompt;
             p.editing.addMode = AddMode::Overwrite;
             ASSERT_TRUE(pressPatternKey(p.d(), p.editing, PatternAction::Rotate, PatternKey::A, 1, prompt));
         }},
    };
}

class EveryEdit : public testing::TestWithParam<UndoCase>
{
};

TEST_P(EveryEdit, UndoAndRedoGiveBackEachStateByteForByte)
{
    SeededProject p;
    const HistorySnapshot before = HistorySnapshot::of(p.d());
    GetParam().edit(p);
    const HistorySnapshot after = HistorySnapshot::of(p.d());
    ASSERT_NE(after, before) << "the edit changed nothing";
    EditHistory &h = p.d().history();
    ASSERT_EQ(h.count(), 1) << "one edit, one entry";
    EXPECT_EQ(h.undoName(), GetParam().english);
    EXPECT_TRUE(p.d().isModified());

    // Twice round, so that a redo leaves the entry fit for the next undo.
    for (int round = 0; round < 2; ++round) {
        h.undo();
        EXPECT_EQ(HistorySnapshot::of(p.d()), before) << "undo, round " << round;
        EXPECT_FALSE(p.d().isModified()) << "back at the saved state";
        EXPECT_EQ(h.redoName(), GetParam().english);
        h.redo();
        EXPECT_EQ(HistorySnapshot::of(p.d()), after) << "redo, round " << round;
        EXPECT_TRUE(p.d().isModified());
    }
}

TEST_P(EveryEdit, EditsStackUpAndComeOffInOrder)
{
    // The same edit twice, then both undone: each entry's indices still
    // fit the frames when its turn comes.
    SeededProject p;
    const HistorySnapshot start = HistorySnapshot::of(p.d());
    GetParam().edit(p);
    const HistorySnapshot once = HistorySnapshot::of(p.d());
    p.d().goToFrame(1);
    GetParam().edit(p);
    const HistorySnapshot twice = HistorySnapshot::of(p.d());
    EditHistory &h = p.d().history();
    ASSERT_EQ(h.count(), 2);
    h.undo();
    // The second edit started at frame 1: only the position differs.
    const HistorySnapshot undoneOnce = HistorySnapshot::of(p.d());
    EXPECT_EQ(undoneOnce.frames, once.frames);
    EXPECT_EQ(undoneOnce.geometry, once.geometry);
    EXPECT_EQ(undoneOnce.current, std::min(1, once.count - 1));
    h.undo();
    EXPECT_EQ(HistorySnapshot::of(p.d()), start);
    h.redo();
    h.redo();
    EXPECT_EQ(HistorySnapshot::of(p.d()), twice);
}

INSTANTIATE_TEST_SUITE_P(Undo, EveryEdit, testing::ValuesIn(undoCases()),
                         [](const testing::TestParamInfo<UndoCase> &info) { return std::string(info.param.name); });

} // namespace
