// Pasting the frame clipboard: insert and overwrite, order, directions,
// transparency and the refusals.
#include "document/frame_repeat.h"
#include "editing/colour_action.h"
#include "editing/range_operations.h"
#include "editing/paste.h"
#include "editing_test_support.h"
#include "scripted_prompt.h"

namespace {

class PasteTest : public ::testing::Test
{
protected:
    PasteTest() : doc(gridOf(2, 3)) {}

    // A document of `frames` numbered frames and a clipboard of the first
    // `clip` of them (copied whole), the document then reduced to frame 0.
    void setUp(int frames, int clip)
    {
        fillNumbered(doc, frames);
        ASSERT_TRUE(runFrameRange(doc, state, 4, 1, clip, prompt));
        doc.frames().remove(1, frames - 1);
        doc.frames().setCurrentIndex(0);
    }
    std::vector<int> order() const
    {
        std::vector<int> out;
        for (int i = 0; i < doc.frameCount(); ++i)
            out.push_back(frameNumberOf(doc.frames()[i]));
        return out;
    }

    BuiltInTexts texts{Language::Chinese};
    Document doc;
    EditingState state;
    ScriptedPrompt prompt;
};

TEST_F(PasteTest, ARepeatCountWhoseFramesWouldNotFitIsRefusedBeforeAnyIsMade)
{
    setUp(3, 2);
    for (const bool overwrite : {false, true}) {
        prompt.shown.clear();
        PasteOptions o;
        o.count = 999999999;
        o.overwrite = overwrite;
        EXPECT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::TooManyFrames);
        EXPECT_EQ(order(), (std::vector<int>{0}));
        EXPECT_EQ(prompt.texts(), QStringList{tooManyFramesText()});
    }
}

TEST_F(PasteTest, InsertTwiceAfterFrameOneRepeatsTheSeriesInOrder)
{
    setUp(3, 3);
    PasteOptions o;
    o.start = 1;
    o.count = 2;
    ASSERT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Pasted);
    EXPECT_EQ(order(), (std::vector<int>{0, 0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(doc.currentIndex(), 0); // the current frame stays the same frame
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(PasteTest, ReverseOrderTakesTheClipboardLastToFirst)
{
    setUp(3, 3);
    PasteOptions o;
    o.count = 2;
    o.reverse = true;
    ASSERT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Pasted);
    EXPECT_EQ(order(), (std::vector<int>{0, 2, 1, 0, 2, 1, 0}));
}

TEST_F(PasteTest, InsertAfterAStartPastTheEndAppends)
{
    setUp(2, 2);
    doc.frames().append(numberedFrame(7, 6));
    PasteOptions o;
    o.start = 99;
    ASSERT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Pasted);
    EXPECT_EQ(order(), (std::vector<int>{0, 7, 0, 1}));
}

TEST_F(PasteTest, InsertWritesOnlyTheBlockOfFramesFromTheFrameConstructor)
{
    fillNumbered(doc, 1);
    state.area = BlockArea{true, 1, 0, 2, 0}; // one row, two columns
    state.clipboard.reset(1, 2);
    state.clipboard.frames.emplace_back(2);
    state.clipboard.frames[0].pixels() = {0xA, 0xB};
    doc.setBackgroundColor(0x00000042);
    PasteOptions o;
    ASSERT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Pasted);
    ASSERT_EQ(doc.frameCount(), 2);
    const Frame &pasted = doc.frames()[1];
    EXPECT_EQ(pasted.pixels(), (std::vector<ColorValue>{0x424242, 0xA, 0xB, 0x424242, 0x424242, 0x424242}));

    // With AddMode other than insert, new frames start as the current frame.
    doc.setNewFrameCopiesCurrent(true);
    ASSERT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Pasted);
    const Frame &copied = doc.frames()[1];
    EXPECT_EQ(copied.pixels(), (std::vector<ColorValue>{1000, 0xA, 0xB, 1003, 1004, 1005}));
}

TEST_F(PasteTest, EachDirectionMirrorsThePicture)
{
    // Clipboard picture 2 x 3:  1 2 3 / 4 5 6
    const std::vector<ColorValue> picture = {1, 2, 3, 4, 5, 6};
    const struct
    {
        PasteDirection dir;
        std::vector<ColorValue> expected;
    } cases[] = {
        {PasteDirection::AsCopied, {1, 2, 3, 4, 5, 6}},
        {PasteDirection::MirrorLeftRight, {3, 2, 1, 6, 5, 4}},
        {PasteDirection::MirrorTopBottom, {4, 5, 6, 1, 2, 3}},
        {PasteDirection::MirrorBoth, {6, 5, 4, 3, 2, 1}},
    };
    for (const auto &c : cases) {
        Document d(gridOf(2, 3));
        d.frames().append(Frame(6, 0));
        d.frames().setCurrentIndex(0);
        EditingState s;
        s.clipboard.reset(2, 3);
        s.clipboard.frames.emplace_back(6);
        s.clipboard.frames[0].pixels() = picture;
        PasteOptions o;
        o.overwrite = true;
        o.direction = c.dir;
        ASSERT_EQ(pasteClipboard(d, s, o, prompt), PasteResult::Pasted);
        EXPECT_EQ(d.frames()[0].pixels(), c.expected) << int(c.dir);
    }
}

TEST_F(PasteTest, OverwriteCombinesByTheColourActionAndSkipsBackgroundWhenTransparent)
{
    doc.frames().append(Frame(6, 0x000100));
    doc.frames().setCurrentIndex(0);
    doc.setBackgroundColor(0x000000);
    state.clipboard.reset(2, 3);
    state.clipboard.frames.emplace_back(6);
    state.clipboard.frames[0].pixels() = {0x000001, 0, 0x000001, 0, 0x000001, 0};
    state.colourAction = ColourAction::Subtract;
    PasteOptions o;
    o.overwrite = true;
    o.transparent = true;
    ASSERT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Pasted);
    EXPECT_EQ(doc.frames()[0].pixels(),
              (std::vector<ColorValue>{0x0000FF, 0x000100, 0x0000FF, 0x000100, 0x0000FF, 0x000100}));

    // Without the overlay the background points take part: replace writes
    // them as they are.
    state.colourAction = ColourAction::Replace;
    o.transparent = false;
    ASSERT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Pasted);
    EXPECT_EQ(doc.frames()[0].pixels(), state.clipboard.frames[0].pixels());
}

TEST_F(PasteTest, OverwriteNearTheEndKeepsWritingIntoAppendedFrames)
{
    setUp(3, 3);
    for (int k = 1; k < 3; ++k)
        doc.frames().append(numberedFrame(5, 6));
    // Frames: 0, 5, 5. Writing 3 clipboard frames twice from frame 2 needs
    // frames 2..7: two existing ones, then four appended.
    PasteOptions o;
    o.overwrite = true;
    o.start = 2;
    o.count = 2;
    ASSERT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Pasted);
    EXPECT_EQ(order(), (std::vector<int>{0, 0, 1, 2, 0, 1, 2}));
}

TEST_F(PasteTest, AStoppedPasteKeepsTheFramesWrittenSoFar)
{
    setUp(3, 3);
    std::vector<int64_t> totals;
    const auto stopAfter = [&totals](int64_t frames) {
        return RunProgress([&totals, frames](int64_t written, int64_t total) {
            totals.push_back(total);
            return written < frames;
        });
    };
    // Inserting three series of three: stopped after the fourth frame.
    PasteOptions o;
    o.count = 3;
    ASSERT_EQ(pasteClipboard(doc, state, o, prompt, stopAfter(4)), PasteResult::Pasted);
    EXPECT_EQ(order(), (std::vector<int>{0, 0, 1, 2, 0}));
    EXPECT_EQ(doc.currentIndex(), 0);
    EXPECT_EQ(totals, std::vector<int64_t>(4, 9));

    // Writing over frames 4 and 5 and on past the end: stopped after the
    // third frame, the one appended for it stays.
    totals.clear();
    o.overwrite = true;
    o.start = 4;
    ASSERT_EQ(pasteClipboard(doc, state, o, prompt, stopAfter(3)), PasteResult::Pasted);
    EXPECT_EQ(order(), (std::vector<int>{0, 0, 1, 0, 1, 2}));
    EXPECT_EQ(totals, std::vector<int64_t>(3, 9));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(PasteTest, ASizeMismatchShowsTheFourNumbersAndPastesNothing)
{
    setUp(2, 1); // clipboard 2 x 3
    state.area = BlockArea{true, 0, 0, 2, 0}; // one row of three
    PasteOptions o;
    EXPECT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Mismatch);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("数据不匹配。\n剪贴板:行数2,列数3,粘贴的行数:1,列数3"));
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Error);
    EXPECT_EQ(doc.frameCount(), 1);
}

TEST_F(PasteTest, AStartBelowOneIsARangeErrorAndACountBelowOnePastesNothing)
{
    setUp(2, 2);
    PasteOptions o;
    o.start = 0;
    EXPECT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::StartInvalid);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("输入错误！开始帧或结束帧超出范围。"));
    o.start = 1;
    o.count = 0;
    EXPECT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Pasted);
    o.overwrite = true;
    o.count = -3;
    EXPECT_EQ(pasteClipboard(doc, state, o, prompt), PasteResult::Pasted);
    EXPECT_EQ(order(), (std::vector<int>{0}));
}

TEST(PasteTexts, TheEmptyClipboardMessageHasNoTraditionalForm)
{
    {
        BuiltInTexts texts(Language::Chinese);
        EXPECT_EQ(clipboardEmptyText(), QStringLiteral("剪贴板为空！不能进行粘贴操作。"));
    }
    {
        BuiltInTexts texts(Language::Traditional);
        EXPECT_EQ(clipboardEmptyText(), QStringLiteral("剪贴板为空！不能进行粘贴操作。"));
    }
}

TEST(PasteTexts, TheShippedMismatchTextsBreakTheLineAndKeepTheFourNumbers)
{
    Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
    Language::setCode(Language::English);
    const QString english = clipboardMismatchText(2, 3, 4, 5);
    Language::setCode(Language::Chinese);
    const QString chinese = clipboardMismatchText(2, 3, 4, 5);
    Language::setFolder(QString());
    Language::setCode(Language::English);
    EXPECT_EQ(english, QStringLiteral("The data does not match.\nClipboard: 2 rows, 3 columns; paste area: 4 rows, 5 columns."));
    EXPECT_EQ(chinese, QStringLiteral("数据不匹配。\n剪贴板:行数2,列数3,粘贴的行数:4,列数5"));
}

} // namespace
