#include "scripted_prompt.h"
#include "settings/language.h"
#include "wiring/circuitry_check.h"
#include "wiring_test_support.h"

#include <gtest/gtest.h>

namespace {

const QString kPassed = QStringLiteral("检查通过,没有错误。");
const QString kPortQuestion = QStringLiteral("端口号不连续,是否修复?");

QString report(const QString &notes)
{
    return QStringLiteral("检查到以下错误：\n") + notes + QStringLiteral("\n请再检查一次。\n\n是否再检查一次?");
}

class CircuitryCheckTest : public ::testing::Test
{
protected:
    // The Chinese texts are the built-in ones; the language tests at the
    // end switch to the other two.
    void SetUp() override { Language::setCode(Language::Chinese); }
    void TearDown() override
    {
        Language::setCode(Language::English);
        Language::setFolder(QString());
    }

    void wire(std::vector<WiringPixel> records, int rows = 4, int cols = 4)
    {
        doc = std::make_unique<Document>(wiringGrid(rows, cols));
        doc->wiring().setKind(CircuitryKind::Led);
        doc->wiring().assign(std::move(records));
    }
    void check(std::deque<PromptAnswer> answers)
    {
        prompt.answers = std::move(answers);
        runCircuitryCheck(*doc, prompt);
    }
    Wiring &wiring() { return doc->wiring(); }

    ScriptedPrompt prompt;
    std::unique_ptr<Document> doc;
};

TEST_F(CircuitryCheckTest, ACleanWiringPassesAtOnce)
{
    wire({wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 1), wiredAt(0, 1, 1, 0)});
    check({});
    EXPECT_EQ(prompt.texts(), QStringList{kPassed});
}

TEST_F(CircuitryCheckTest, AMissingPortIsClosedUpOnYes)
{
    // Ports 1 and 3 as the user counts them; nothing on port 2.
    wire({wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 1), wiredAt(2, 2, 2, 0), wiredAt(3, 2, 2, 1)});
    check({PromptAnswer::Yes, PromptAnswer::No});
    EXPECT_EQ(prompt.texts(), (QStringList{kPortQuestion, report(QStringLiteral("端口号不连续,已修复"))}));
    EXPECT_EQ(wiring().pixel(2), wiredAt(2, 2, 1, 0));
    EXPECT_EQ(wiring().pixel(3), wiredAt(3, 2, 1, 1));
    EXPECT_EQ(wiring().cellColour(3, 2), portColour(1));
    EXPECT_EQ(wiring().pixel(0), wiredAt(0, 0, 0, 0));
}

TEST_F(CircuitryCheckTest, AMissingPortLeftAloneOnNoIsReportedAsNotRepaired)
{
    wire({wiredAt(0, 0, 0, 0), wiredAt(2, 2, 2, 0)});
    check({PromptAnswer::No, PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::No});
    EXPECT_EQ(prompt.texts(), (QStringList{kPortQuestion, report(QStringLiteral("端口号不连续,未修复")), kPortQuestion,
                                           report(QStringLiteral("端口号不连续,未修复"))}));
    EXPECT_EQ(wiring().pixel(1).port, 2);
}

TEST_F(CircuitryCheckTest, NumbersWithAGapAreRenumberedAndACheckAgainPasses)
{
    wire({wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 1), wiredAt(2, 0, 0, 5), wiredAt(3, 0, 0, 6)});
    check({PromptAnswer::Yes});
    EXPECT_EQ(prompt.texts(), (QStringList{report(QStringLiteral("像素号不连续\n")), kPassed}));
    EXPECT_EQ(numbersInListOrder(wiring(), 0), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(CircuitryCheckTest, ASecondHeadOnAPortIsRenumberedNotCounted)
{
    wire({wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 1), wiredAt(2, 0, 0, 0), wiredAt(0, 1, 1, 0)});
    check({PromptAnswer::No});
    EXPECT_EQ(prompt.texts(), QStringList{report(QStringLiteral("像素号不连续\n"))});
    EXPECT_EQ(numbersInListOrder(wiring(), 0), (std::vector<int>{0, 1, 2}));
}

struct DuplicateCase
{
    PromptAnswer answer;
    std::vector<WiringPixel> left;
};

class DuplicateCells : public CircuitryCheckTest, public ::testing::WithParamInterface<DuplicateCase>
{
};

TEST_P(DuplicateCells, TheAnswerChoosesWhichRecordStays)
{
    // Port 1 pixel 2 and port 2 pixel 1 (as the user counts) share cell (1,0).
    wire({wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 1), wiredAt(0, 1, 1, 0), wiredAt(1, 0, 1, 1)});
    check({GetParam().answer, PromptAnswer::No});
    ASSERT_GE(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[0].text,
              QStringLiteral("端口1第2像素与端口2第2像素冲突,是否删除前一个?\n是,删除端口1第2像素\n否,删除端口2第2像素\n"
                             "取消,不管,手动处理"));
    EXPECT_EQ(wiring().pixels(), GetParam().left);
    // The error is reported whatever the answer.
    EXPECT_TRUE(prompt.shown[1].text.contains(QStringLiteral("网格点有重复定义\n")));
    if (GetParam().answer != PromptAnswer::Cancel) {
        // The cell shows the record that stayed.
        const int i = wiring().indexAt(1, 0);
        ASSERT_GE(i, 0);
        EXPECT_EQ(wiring().cellColour(1, 0), portColour(wiring().pixel(i).port));
    }
}

INSTANTIATE_TEST_SUITE_P(
    YesNoCancel, DuplicateCells,
    ::testing::Values(
        DuplicateCase{PromptAnswer::Yes, {wiredAt(0, 0, 0, 0), wiredAt(0, 1, 1, 0), wiredAt(1, 0, 1, 1)}},
        DuplicateCase{PromptAnswer::No, {wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 1), wiredAt(0, 1, 1, 0)}},
        DuplicateCase{PromptAnswer::Cancel,
                      {wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 1), wiredAt(0, 1, 1, 0), wiredAt(1, 0, 1, 1)}}),
    [](const auto &info) { return std::to_string(info.index); });

TEST_F(CircuitryCheckTest, AnEmptyWiringHasNothingToCheck)
{
    wire({});
    check({});
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("线路中没有定义任何像素,没有可检查的内容。")});
}

TEST_F(CircuitryCheckTest, OnlyLedCircuitryIsChecked)
{
    wire({wiredAt(0, 0, 0, 0)});
    wiring().setKind(CircuitryKind::Neon);
    check({});
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("目前只检查Led灯线路定义.")});
    Language::setCode(Language::English);
    check({});
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Only LED circuitry can be checked."));
}

TEST_F(CircuitryCheckTest, APortWithoutHeadGetsOneFromThePortRepair)
{
    wire({wiredAt(0, 0, 0, 0), wiredAt(1, 1, 1, 3), wiredAt(2, 1, 1, 4)});
    check({PromptAnswer::Yes, PromptAnswer::Yes});
    EXPECT_EQ(numbersInListOrder(wiring(), 1), (std::vector<int>{0, 1}));
    EXPECT_EQ(prompt.lastText(), kPassed);
}

TEST_F(CircuitryCheckTest, AllThreeNotesComeInTheirOrder)
{
    wire({wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 3), wiredAt(1, 0, 3, 0)});
    check({PromptAnswer::Cancel, PromptAnswer::No, PromptAnswer::No});
    EXPECT_EQ(prompt.lastText(),
              report(QStringLiteral("像素号不连续\n网格点有重复定义\n端口号不连续,未修复")));
}

// An English user reads every question and the report in English, from
// the shipped language file or, without one, from the built-in texts.
class CircuitryCheckInEnglish : public CircuitryCheckTest, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        Language::setCode(Language::English);
        Language::setFolder(GetParam() ? QStringLiteral(BRIGHTLOOM_RESOURCES) : QStringLiteral("/nonexistent"));
    }
};

TEST_P(CircuitryCheckInEnglish, QuestionsAndReportAreEnglish)
{
    wire({wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 3), wiredAt(1, 0, 3, 0)});
    check({PromptAnswer::Cancel, PromptAnswer::No, PromptAnswer::No});
    EXPECT_EQ(prompt.texts(),
              (QStringList{QStringLiteral("Port 1 pixel 2 and port 4 pixel 1 are wired to the same grid point. "
                                          "Remove the first one?\nYes: remove port 1 pixel 2\nNo: remove port 4 "
                                          "pixel 1\nCancel: keep both and sort it out by hand"),
                           QStringLiteral("The port numbers have gaps. Close them up?"),
                           QStringLiteral("The check found these errors:\nPixel numbers do not run in order\nGrid "
                                          "points are wired more than once\nPort numbers have gaps: not "
                                          "repaired\nPlease check again.\n\nCheck again now?")}));
}

TEST_P(CircuitryCheckInEnglish, ACleanWiringAndAnEmptyOneAreEnglish)
{
    wire({wiredAt(0, 0, 0, 0)});
    check({});
    wire({});
    check({});
    EXPECT_EQ(prompt.texts(), (QStringList{QStringLiteral("Check passed: no errors."),
                                           QStringLiteral("No pixel is wired yet, so there is nothing to check.")}));
}

INSTANTIATE_TEST_SUITE_P(FileOrBuiltIn, CircuitryCheckInEnglish, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "ShippedFile" : "BuiltIn"; });

TEST_F(CircuitryCheckTest, TraditionalChineseIsTheConvertedChinese)
{
    Language::setCode(Language::Traditional);
    wire({wiredAt(0, 0, 0, 0), wiredAt(2, 2, 2, 0)});
    check({PromptAnswer::No, PromptAnswer::No});
    EXPECT_EQ(prompt.texts(),
              (QStringList{QStringLiteral("端口號不連續,是否修復?"),
                           QStringLiteral("檢查到以下錯誤：\n端口號不連續,未修復\n請再檢查一次。\n\n是否再檢查一次?")}));
}

} // namespace
