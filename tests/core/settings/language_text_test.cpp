// Choosing the text to show for the active language.
#include "settings/language.h"
#include "settings_test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kFormatDefault = QStringLiteral("总帧数:%d");

class LanguageTextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Language::setFolder(dir.path());
        Language::setCode(Language::English);
    }
    void TearDown() override
    {
        Language::setFolder(QString());
        Language::setCode(Language::English);
    }
    void write(const char *name, const QByteArray &bytes)
    {
        writeTestFile(dir.path(), QString::fromLatin1(name), bytes);
        Language::reload();
    }

    QTemporaryDir dir;
};

TEST_F(LanguageTextTest, FileFollowsTheLanguageCode)
{
    write("English.ini", "[NFTitle]\nTitle=New Grid File\n");
    write("Chinese.ini", "[NFTitle]\nTitle=新建网格\n");
    Language::setCode(Language::English);
    EXPECT_EQ(LanguageText("NFTitle", "Title", "默认"), "New Grid File");
    Language::setCode(Language::Chinese);
    EXPECT_EQ(LanguageText("NFTitle", "Title", "默认"), QStringLiteral("新建网格"));
    // The traditional setting reads English.ini in the raw lookup.
    Language::setCode(Language::Traditional);
    EXPECT_EQ(LanguageText("NFTitle", "Title", "默认"), "New Grid File");
}

TEST_F(LanguageTextTest, MissingFileSectionOrKeyGivesTheDefault)
{
    const QString fallback = QStringLiteral("文件格式错误!");
    EXPECT_EQ(LanguageText("Message", "FileFormatError", fallback), fallback);
    write("English.ini", "[Message]\nOther=x\n[Status]\nFileFormatError=wrong section\n");
    EXPECT_EQ(LanguageText("Message", "FileFormatError", fallback), fallback);
    EXPECT_EQ(LanguageText("NoSuch", "FileFormatError", fallback), fallback);
}

TEST_F(LanguageTextTest, EmptyValueShowsNothingAndLongTextsAreCut)
{
    write("English.ini", "[Panel]\nPanelRate=\nPanelFrame=" + QByteArray(300, 'x') + "\n");
    EXPECT_EQ(LanguageText("Panel", "PanelRate", "播放速度"), QString());
    EXPECT_EQ(LanguageText("Panel", "PanelFrame", "当前帧"), QString(255, QLatin1Char('x')));
}

TEST_F(LanguageTextTest, GbkLanguageFileIsDecoded)
{
    write("Chinese.ini", "[Message]\nFileFormatError=" + kGbkFileFormatError + "!\n");
    Language::setCode(Language::Chinese);
    EXPECT_EQ(LanguageText("Message", "FileFormatError", "x"), QStringLiteral("文件格式错误!"));
}

TEST_F(LanguageTextTest, FilesAreCachedUntilReload)
{
    write("English.ini", "[Panel]\nPanelRate=Speed\n");
    EXPECT_EQ(LanguageText("Panel", "PanelRate", "播放速度"), "Speed");
    writeTestFile(dir.path(), "English.ini", "[Panel]\nPanelRate=Rate\n");
    EXPECT_EQ(LanguageText("Panel", "PanelRate", "播放速度"), "Speed");
    Language::reload();
    EXPECT_EQ(LanguageText("Panel", "PanelRate", "播放速度"), "Rate");
}

TEST_F(LanguageTextTest, ThreeFormsInEachLanguage)
{
    write("English.ini", "[AutoButton]\nButtonConfirm=OK\n");
    write("Chinese.ini", "[AutoButton]\nButtonConfirm=好的\n");
    const QString fallback = QStringLiteral("简体中文");
    const QString traditional = ToTraditional(fallback);
    ASSERT_NE(traditional, fallback);

    struct Expected { int code; QString looked, paired, caption, threeWay; };
    const Expected table[] = {
        {Language::Chinese, QStringLiteral("好的"), QStringLiteral("中"), fallback, fallback},
        {Language::English, "OK", "en", "OK", "en"},
        // English.ini has a value, yet the traditional setting shows the
        // converted default; paired literals show English, built-in texts
        // of all three languages the converted Chinese.
        {Language::Traditional, traditional, "en", traditional, traditional},
    };
    for (const Expected &e : table) {
        Language::setCode(e.code);
        EXPECT_EQ(lookedUpText("AutoButton", "ButtonConfirm", fallback), e.looked) << e.code;
        EXPECT_EQ(pairedText("en", QStringLiteral("中")), e.paired) << e.code;
        EXPECT_EQ(captionText("AutoButton", "ButtonConfirm", fallback), e.caption) << e.code;
        EXPECT_EQ(threeWayText("en", fallback), e.threeWay) << e.code;
    }
    // Asked for a language other than the active one (the menus of a
    // language about to be shown).
    for (const Expected &e : table) {
        Language::setCode((e.code + 1) % 3);
        EXPECT_EQ(threeWayText("en", fallback, e.code), e.threeWay) << e.code;
    }
}

TEST_F(LanguageTextTest, FormatTextFromFileIsUsedOnlyWithMatchingConversions)
{
    write("English.ini", "[Status]\nGood=Total frames: %d\nBad=%s frames\nExtra=%d of %d\n");
    EXPECT_EQ(formatText(LanguageText("Status", "Good", kFormatDefault), kFormatDefault, {12}),
              "Total frames: 12");
    EXPECT_EQ(formatText(LanguageText("Status", "Bad", kFormatDefault), kFormatDefault, {12}),
              QStringLiteral("总帧数:12"));
    EXPECT_EQ(formatText(LanguageText("Status", "Extra", kFormatDefault), kFormatDefault, {12}),
              QStringLiteral("总帧数:12"));
}

TEST(ToTraditional, ConvertsSimplifiedCharacters)
{
    EXPECT_EQ(ToTraditional(QStringLiteral("简体中文")), QStringLiteral("簡體中文"));
    EXPECT_EQ(ToTraditional(QStringLiteral("总帧数:%d")), QStringLiteral("總幀數:%d"));
    EXPECT_EQ(ToTraditional(QStringLiteral("网格宽")), QStringLiteral("網格寬"));
    EXPECT_EQ(ToTraditional(QStringLiteral("Play speed")), "Play speed");
    EXPECT_EQ(ToTraditional(QString()), QString());
}

} // namespace
