// The checks before and around data generation, and the port file names.
#include "output/output_checks.h"
#include "output_fixture.h"

namespace {

struct NameCase
{
    const char *chosen;
    CircuitryKind kind;
    int port;
    const char *expected;
};

class PortFileNames : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(PortFileNames, CutOnlyTheCommandsOwnExtension)
{
    EXPECT_EQ(portFileName(QString::fromUtf8(GetParam().chosen), GetParam().kind, GetParam().port),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, PortFileNames,
    ::testing::Values(NameCase{"/tmp/show.led", CircuitryKind::Led, 0, "/tmp/show_01.led"},
                      NameCase{"/tmp/show.led", CircuitryKind::Led, 1, "/tmp/show_02.led"},
                      NameCase{"/tmp/show.led", CircuitryKind::Led, 9, "/tmp/show_010.led"},
                      NameCase{"/tmp/SHOW.LED", CircuitryKind::Led, 0, "/tmp/SHOW_01.led"},
                      NameCase{"/tmp/myshow", CircuitryKind::Led, 0, "/tmp/myshow_01.led"},
                      NameCase{"/tmp/a.b/show.txt", CircuitryKind::Led, 2, "/tmp/a.b/show.txt_03.led"},
                      NameCase{"/tmp/neon.bin", CircuitryKind::Neon, 0, "/tmp/neon_01.led"},
                      NameCase{"/tmp/neon.Bin", CircuitryKind::Neon, 1, "/tmp/neon_02.led"},
                      NameCase{"/tmp/neon.led", CircuitryKind::Neon, 0, "/tmp/neon.led_01.led"},
                      NameCase{"/tmp/灯光.led", CircuitryKind::Led, 0, "/tmp/灯光_01.led"}));

struct RangeCase
{
    int from, to, speed, frames;
    OutputRangeProblem problem;
};

class OutputRange : public ::testing::TestWithParam<RangeCase>
{
};

TEST_P(OutputRange, IsCheckedInTheDialogsOrder)
{
    const RangeCase &c = GetParam();
    EXPECT_EQ(checkOutputRange(c.from, c.to, c.speed, c.frames), c.problem);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, OutputRange,
    ::testing::Values(RangeCase{1, 10, 30, 10, OutputRangeProblem::None},
                      RangeCase{3, 99, 30, 10, OutputRangeProblem::None},
                      RangeCase{0, 10, 30, 10, OutputRangeProblem::FromNotPositive},
                      RangeCase{-1, -1, 0, 10, OutputRangeProblem::FromNotPositive},
                      RangeCase{1, 0, 30, 10, OutputRangeProblem::ToNotPositive},
                      RangeCase{1, 5, 0, 10, OutputRangeProblem::SpeedNotPositive},
                      RangeCase{1, 5, -30, 10, OutputRangeProblem::SpeedNotPositive},
                      RangeCase{6, 5, 30, 10, OutputRangeProblem::FromAfterTo},
                      RangeCase{11, 12, 30, 10, OutputRangeProblem::FromBeyondEnd},
                      RangeCase{1, 1, 30, 0, OutputRangeProblem::FromBeyondEnd}));

class OutputTexts : public OutputTest
{
};

TEST_F(OutputTexts, RangeMessagesAreTheDescribedOnes)
{
    EXPECT_EQ(outputRangeMessage(OutputRangeProblem::FromNotPositive), QStringLiteral("请输入一个大于0的整数!"));
    EXPECT_EQ(outputRangeMessage(OutputRangeProblem::SpeedNotPositive), QStringLiteral("请输入一个大于0的整数!"));
    EXPECT_EQ(outputRangeMessage(OutputRangeProblem::FromAfterTo), QStringLiteral("起始帧小于结束帧,请重新选择!"));
    // A start past the last frame is not "start less than end": it says where the fault lies.
    EXPECT_EQ(outputRangeMessage(OutputRangeProblem::FromBeyondEnd), QStringLiteral("起始帧超出最后一帧,请重新选择!"));
    EXPECT_TRUE(outputRangeMessage(OutputRangeProblem::None).isEmpty());
    EXPECT_EQ(outputFileFilter(CircuitryKind::Led), QStringLiteral("Led file(*.led)"));
    EXPECT_EQ(outputFileFilter(CircuitryKind::Neon), QStringLiteral("Bin file(*.bin)"));
}

TEST_F(OutputTexts, EnglishTextsComeFromTheLanguageFile)
{
    Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
    Language::setCode(Language::English);
    EXPECT_EQ(outputSuccessMessage(), QStringLiteral("The data files were generated successfully!"));
    EXPECT_EQ(outputRangeMessage(OutputRangeProblem::ToNotPositive),
              QStringLiteral("Please enter an integer greater than 0!"));
    EXPECT_EQ(outputRangeMessage(OutputRangeProblem::FromBeyondEnd),
              QStringLiteral("The start frame lies past the last frame. Please choose again."));
}

using WiringCheck = OutputTest;

TEST_F(WiringCheck, AnEmptyWiringAsksForTheWiringFirst)
{
    makeDocument(2, 1);
    EXPECT_FALSE(confirmWiringForOutput(*doc, CircuitryKind::Led, prompt));
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("请先进行线路定义。")});
}

TEST_F(WiringCheck, WiringOfTheOtherKindAsksForTheWiringFirst)
{
    makeDocument(2, 1);
    wireRow(2);
    EXPECT_FALSE(confirmWiringForOutput(*doc, CircuitryKind::Neon, prompt));
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("请先进行线路定义。")});
    doc->wiring().setKind(CircuitryKind::Neon);
    prompt.shown.clear();
    EXPECT_TRUE(confirmWiringForOutput(*doc, CircuitryKind::Neon, prompt));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(WiringCheck, UnwiredPointsAskWithTheirCount)
{
    makeDocument(5, 1, 3, 2); // 10 points
    wireRow(3);
    prompt.answers = {PromptAnswer::No, PromptAnswer::Yes};
    EXPECT_FALSE(confirmWiringForOutput(*doc, CircuitryKind::Led, prompt));
    EXPECT_TRUE(confirmWiringForOutput(*doc, CircuitryKind::Led, prompt));
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[0].text, QStringLiteral("还有7点没有进行线路定义，是否生成数据文件?"));
    EXPECT_TRUE(prompt.shown[0].question);
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Question);
}

TEST_F(WiringCheck, AFullyWiredGridGoesStraightToTheDialog)
{
    makeDocument(3, 1);
    wireRow(3);
    EXPECT_TRUE(confirmWiringForOutput(*doc, CircuitryKind::Led, prompt));
    EXPECT_TRUE(prompt.shown.empty());
}

} // namespace
