// The history around the edits: strokes joined, the memory limit, the
// clean state behind the modified mark, and New and Open starting afresh.
#include "history_test_support.h"
#include "scripted_prompt.h"

#include "document/frame_edit.h"
#include "document/new_grid.h"
#include "document/project_file.h"
#include "editing/painting.h"
#include "editing/range_operations.h"
#include "patterns/water_drip.h"
#include "settings/app_settings.h"
#include "settings/language.h"

#include <QFile>
#include <QTemporaryDir>
#include <new>

namespace {

// Inverts every point of frames [first, end) as one edit.
void invertFramesOnce(Document &doc, int first, int end)
{
    FrameEdit edit(doc, EditNames::Invert);
    for (int i = first; i < end; ++i)
        for (ColorValue &c : edit.change(i).pixels())
            c = ~c & 0xFFFFFFu;
    doc.frameContentEdited();
}

TEST(PaintStrokes, OneStrokeIsOneEntryHoweverManyPointsItVisits)
{
    SeededProject p;
    // The Single brush steps through the palette: red, green, blue.
    p.palette.brush = Brush::Single;
    const HistorySnapshot before = HistorySnapshot::of(p.d());
    {
        PaintStroke stroke(p.d(), p.editing, p.palette);
        stroke.paintAt(1, 1);
        stroke.paintAt(2, 1);
        stroke.paintAt(1, 1); // back over a point painted red, now blue
        stroke.paintAt(3, 1);
    }
    ASSERT_EQ(p.d().currentFrame()->at(1, 1, p.d().cols()), ColorValue(0xFF0000));
    const HistorySnapshot firstStroke = HistorySnapshot::of(p.d());
    {
        PaintStroke stroke(p.d(), p.editing, p.palette);
        p.palette.currentColour = 0x00FF00;
        stroke.paintAt(2, 2);
        stroke.paintAt(1, 1);
    }
    EditHistory &h = p.d().history();
    ASSERT_EQ(h.count(), 2) << "two strokes, two entries";
    h.undo();
    EXPECT_EQ(HistorySnapshot::of(p.d()), firstStroke) << "the second stroke alone goes";
    h.undo();
    EXPECT_EQ(HistorySnapshot::of(p.d()), before) << "a point painted twice gets its first colour back";
}

TEST(PaintStrokes, AStrokeKeepsOnlyThePointsItChanged)
{
    SeededProject p(40, 40, 1);
    p.palette.brush = Brush::Huge;
    PaintStroke stroke(p.d(), p.editing, p.palette);
    p.editing.area.defined = false;
    stroke.paintAt(10, 10);
    // 81 points of a 1,600-point frame: far less than a copy of the frame.
    EXPECT_LT(p.d().history().bytes(), int64_t(1600 * sizeof(ColorValue)));
    EXPECT_GT(p.d().history().bytes(), int64_t(81 * 2 * sizeof(ColorValue)));
}

TEST(HistoryMemory, InsertedFramesAreHeldOnlyWhileUndone)
{
    SeededProject p(16, 16, 3);
    PatternTarget target(p.d(), 0);
    const int made = generateWaterDrip(target, WaterDripParams{});
    const int64_t frameBytes = 16 * 16 * int64_t(sizeof(ColorValue));
    EditHistory &h = p.d().history();
    EXPECT_LT(h.bytes(), 1024) << "done, the run is an index range";
    h.undo();
    EXPECT_GE(h.bytes(), made * frameBytes) << "undone, the entry holds the frames";
    EXPECT_LT(h.bytes(), made * (frameBytes + 128));
    h.redo();
    EXPECT_LT(h.bytes(), 1024);
}

TEST(HistoryMemory, PastTheLimitTheOldestEntriesGo)
{
    // Frames of 256 x 256 points, 256 KiB each: four changed frames fill a
    // megabyte.
    SeededProject p(256, 256, 8);
    EditHistory &h = p.d().history();
    h.setLimitMegabytes(1);
    invertFramesOnce(p.d(), 0, 2); // 512 KiB
    const HistorySnapshot afterFirst = HistorySnapshot::of(p.d());
    invertFramesOnce(p.d(), 2, 3); // 256 KiB: both fit
    ASSERT_EQ(h.count(), 2);
    invertFramesOnce(p.d(), 3, 5); // 512 KiB more: the first goes
    EXPECT_EQ(h.count(), 2);
    EXPECT_LE(h.bytes(), h.limitBytes());
    h.undo();
    h.undo();
    EXPECT_FALSE(h.canUndo());
    EXPECT_EQ(HistorySnapshot::of(p.d()), afterFirst) << "the entries kept still undo exactly";
    EXPECT_TRUE(p.d().isModified()) << "the saved state went with the first entry";
}

TEST(HistoryMemory, AnEditLargerThanTheLimitIsMadeWithoutUndoAndToldOnce)
{
    SeededProject p(256, 256, 8);
    ScriptedPrompt prompt;
    EditHistory &h = p.d().history();
    h.setPrompt(&prompt);
    h.setLimitMegabytes(1);
    invertFramesOnce(p.d(), 0, 1);
    ASSERT_EQ(h.count(), 1);
    invertFramesOnce(p.d(), 0, 6); // 1.5 MiB
    const HistorySnapshot after = HistorySnapshot::of(p.d());
    EXPECT_EQ(after.frames[5][0], ~ColorValue(6000) & 0xFFFFFFu) << "the edit itself was made";
    EXPECT_EQ(h.count(), 0) << "nothing before it can be undone either";
    EXPECT_LT(h.bytes(), 1024);
    EXPECT_TRUE(p.d().isModified());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, undoTooLargeText(1));
    invertFramesOnce(p.d(), 0, 6);
    EXPECT_EQ(prompt.shown.size(), 1u) << "told once only";
}

TEST(CleanState, TheModifiedMarkFollowsTheSavedPoint)
{
    SeededProject p;
    Document &doc = p.d();
    EditHistory &h = doc.history();
    QList<bool> marks;
    QObject::connect(&doc, &Document::modifiedChanged, [&marks](bool m) { marks << m; });
    invertFramesOnce(doc, 0, 1);
    invertFramesOnce(doc, 1, 2);
    doc.setModified(false); // saved here
    EXPECT_FALSE(doc.isModified());
    h.undo();
    EXPECT_TRUE(doc.isModified());
    h.redo();
    EXPECT_FALSE(doc.isModified()) << "redone back to the saved state";
    h.undo();
    h.undo();
    invertFramesOnce(doc, 3, 4); // the saved state cannot be reached again
    EXPECT_FALSE(h.canRedo());
    h.undo();
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(marks, (QList<bool>{true, false, true, false, true}));
}

TEST(CleanState, AChangeTheHistoryDidNotSeeEndsIt)
{
    SeededProject p;
    Document &doc = p.d();
    invertFramesOnce(doc, 0, 1);
    doc.setModified(false);
    doc.frames().at(0)[0] = 1; // changed past every FrameEdit
    doc.frameContentEdited();
    EXPECT_EQ(doc.history().count(), 0);
    EXPECT_TRUE(doc.isModified());
    invertFramesOnce(doc, 1, 2);
    doc.history().undo();
    EXPECT_TRUE(doc.isModified()) << "the unrecorded change still differs from the file";
}

TEST(CleanState, NewAndOpenStartAnEmptyHistory)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("seed.wst"));
    SeededProject p;
    Document &doc = p.d();
    ScriptedPrompt prompt;
    ASSERT_TRUE(saveProjectFrom(doc, path, prompt));
    invertFramesOnce(doc, 0, 2);
    ASSERT_TRUE(openProjectInto(doc, path, prompt));
    EXPECT_EQ(doc.history().count(), 0);
    EXPECT_FALSE(doc.isModified());

    invertFramesOnce(doc, 0, 2);
    NewGridValues v = newGridValuesFrom(doc.geometry());
    v.rows = 8;
    ASSERT_TRUE(createNewDocument(doc, v).isEmpty());
    EXPECT_EQ(doc.history().count(), 0);
    EXPECT_FALSE(doc.history().canRedo());
    EXPECT_TRUE(doc.isModified()) << "a new grid is not saved anywhere yet";
}

TEST(HistoryTexts, MenuItemsNameTheEditInEachLanguage)
{
    QTemporaryDir none;
    Language::setFolder(none.path());
    Language::setCode(Language::English);
    EXPECT_EQ(undoItemText(EditNames::Paste.text()), QStringLiteral("&Undo Paste"));
    EXPECT_EQ(redoItemText(QString()), QStringLiteral("&Redo"));
    Language::setCode(Language::Chinese);
    EXPECT_EQ(undoItemText(EditNames::Paste.text()), QStringLiteral("撤销粘贴(&U)"));
    EXPECT_EQ(redoItemText(EditNames::Rotate.text()), QStringLiteral("重做旋转90度(&R)"));
    Language::setCode(Language::Traditional);
    EXPECT_EQ(undoItemText(EditNames::Paste.text()), QStringLiteral("撤銷粘貼(&U)"));
    EXPECT_EQ(undoItemText(EditNames::Curtain.text()), QStringLiteral("撤銷拉幕(&U)"));
    Language::setFolder(QString());
    Language::setCode(Language::English);
}

} // namespace

namespace {

TEST(UndoMemorySetting, ComesFromTheSettingsFileWith1024MegabytesByDefault)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Brightloom.ini"));
    EXPECT_EQ(LoadSettings(path).undoMemoryMB, EditHistory::kDefaultLimitMegabytes);
    const auto limitFrom = [&path](const char *value) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray("[main]\nUndoMemoryMB=") + value + "\n");
        f.close();
        return LoadSettings(path).undoMemoryMB;
    };
    EXPECT_EQ(limitFrom("64"), 64);
    EXPECT_EQ(limitFrom("-5"), 0) << "a negative limit turns undo off";
    Document doc;
    doc.history().setLimitMegabytes(limitFrom("3"));
    EXPECT_EQ(doc.history().limitBytes(), 3 * 1024 * 1024);
}

TEST(UndoMemorySetting, ALimitOfNothingMakesEveryEditWithoutUndoAndSaysNothing)
{
    SeededProject p;
    ScriptedPrompt prompt;
    EditHistory &h = p.d().history();
    h.setPrompt(&prompt);
    h.setLimitMegabytes(0);
    invertFramesOnce(p.d(), 0, 2);
    insertCopyOfCurrent(p.d());
    EXPECT_EQ(h.count(), 0);
    EXPECT_TRUE(p.d().isModified());
    EXPECT_TRUE(prompt.shown.empty());
}

} // namespace

namespace {

TEST(BrokenEdits, AnEditThatRunsOutOfMemoryHalfWayIsTakenBack)
{
    SeededProject p;
    Document &doc = p.d();
    invertFramesOnce(doc, 0, 1);
    const HistorySnapshot before = HistorySnapshot::of(doc);
    try {
        FrameEdit edit(doc, EditNames::Paste);
        edit.insert(1, Frame(size_t(doc.pointCount()), 0x42));
        edit.change(3)[0] = 0x43;
        edit.changeBlock(4, 1, 1, 2, 2)[7] = 0x44;
        edit.remove(0, 1);
        throw std::bad_alloc();
    } catch (const std::bad_alloc &) {
    }
    EXPECT_EQ(HistorySnapshot::of(doc), before);
    ASSERT_EQ(doc.history().count(), 1) << "the steps before it stay";
    doc.history().undo();
    EXPECT_EQ(HistorySnapshot::of(doc).frames[0][0], ColorValue(1000));
}

TEST(PaintStrokes, AStrokeThatOutgrowsTheLimitIsLetGo)
{
    SeededProject p(600, 600, 1);
    ScriptedPrompt prompt;
    p.d().history().setPrompt(&prompt);
    p.d().history().setLimitMegabytes(1);
    p.editing.area.defined = false;
    p.palette.brush = Brush::Huge;
    PaintStroke stroke(p.d(), p.editing, p.palette);
    // Each visit adds 81 new points to the stroke's entry; well before the
    // last one it holds more than a megabyte.
    for (int y = 4; y < 600; y += 9)
        for (int x = 4; x < 600; x += 9)
            stroke.paintAt(x, y);
    EXPECT_EQ(p.d().history().count(), 0);
    EXPECT_LE(p.d().history().bytes(), p.d().history().limitBytes());
    EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST(BlockEdits, KeepOnlyTheBlock)
{
    // A block of 4 x 4 points cut from 40 frames of 64 x 64: the entry
    // holds the block's colours, not the frames.
    SeededProject p(64, 64, 40);
    p.editing.area = BlockArea{true, 10, 10, 13, 13};
    ScriptedPrompt prompt;
    ASSERT_TRUE(runFrameRange(p.d(), p.editing, 1, 1, 40, prompt));
    const int64_t blockBytes = 40 * 16 * int64_t(sizeof(ColorValue));
    EXPECT_GE(p.d().history().bytes(), blockBytes);
    EXPECT_LT(p.d().history().bytes(), blockBytes + 1024);
}

} // namespace
