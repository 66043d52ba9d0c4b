// Palette files (".col"): the record layout, round trips and hostile files.
#include "palette/palette_file.h"
#include "palette_test_support.h"
#include "settings/program_folder.h"

#include <QFileInfo>

namespace {

TEST(PaletteFileWrite, WritesOneElevenByteRecordPerColour)
{
    const QByteArray bytes = paletteFileBytes({0x00112233, 0x00ABCDEF}, 1);
    EXPECT_EQ(bytes, paletteRecord(1, '1', 0x00112233) + paletteRecord(2, '1', 0x00ABCDEF));
    EXPECT_EQ(paletteFileBytes({0x00000001}, 0), paletteRecord(1, 0, 0x00000001));
}

TEST(PaletteFileWrite, RoundTripsThroughAFile)
{
    QTemporaryDir dir;
    std::vector<ColorValue> colours;
    for (int i = 0; i < 300; ++i)
        colours.push_back(ColorValue(i * 0x010203) & 0xFFFFFF);
    const QString path = dir.filePath("ramp.col");
    ASSERT_TRUE(writePaletteFile(path, colours, 1));
    EXPECT_EQ(QFileInfo(path).size(), 300 * 11);
    const PaletteFileRead r = readPaletteFile(path, 1);
    EXPECT_EQ(r.error, PaletteFileRead::None);
    EXPECT_EQ(r.colours, colours);
    // A normal program's file reads in either mode.
    ASSERT_TRUE(writePaletteFile(path, colours, 0));
    EXPECT_EQ(readPaletteFile(path, 0).colours, colours);
}

TEST(PaletteFileWrite, AFailedSaveLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.col");
    ASSERT_TRUE(writePaletteFile(path, {1, 2}, 1));
    EXPECT_FALSE(writePaletteFile(dir.filePath("missing/folder/x.col"), {3}, 1));
    EXPECT_EQ(readPaletteFile(path, 1).colours, (std::vector<ColorValue>{1, 2}));
}

TEST(PaletteFileRead, AFileShorterThanOneRecordIsRefused)
{
    for (int size : {0, 1, 10}) {
        const PaletteFileRead r = parsePaletteFile(QByteArray(size, '\x01'), 1);
        EXPECT_EQ(r.error, PaletteFileRead::TooShort) << size;
        EXPECT_TRUE(r.colours.empty());
    }
    EXPECT_EQ(parsePaletteFile(paletteRecord(9, 0, 7), 1).colours, (std::vector<ColorValue>{7}));
}

TEST(PaletteFileRead, TheEntryNumberIsNotCheckedAndTrailingBytesAreIgnored)
{
    const QByteArray bytes = paletteRecord(77, 0, 0x0000AA) + paletteRecord(0, 0, 0x0000BB) + QByteArray(10, '\xFF');
    EXPECT_EQ(parsePaletteFile(bytes, 0).colours, (std::vector<ColorValue>{0xAA, 0xBB}));
}

TEST(PaletteFileRead, AtMost512RecordsAreUsed)
{
    QByteArray bytes;
    for (int i = 0; i < 600; ++i)
        bytes += paletteRecord(quint32(i + 1), '1', quint32(i));
    const PaletteFileRead r = parsePaletteFile(bytes, 1);
    ASSERT_EQ(r.colours.size(), 512u);
    EXPECT_EQ(r.colours.back(), 511u);
}

TEST(PaletteFileRead, AGradientFileInANormalProgramIsRefusedWhole)
{
    // The gradient flag of the third record stops the read: nothing is taken
    // over, not even the first two colours.
    const QByteArray bytes = paletteRecord(1, 0, 1) + paletteRecord(2, 0, 2) + paletteRecord(3, '1', 3);
    const PaletteFileRead r = parsePaletteFile(bytes, 0);
    EXPECT_EQ(r.error, PaletteFileRead::GradientInNormalProgram);
    EXPECT_TRUE(r.colours.empty());
    EXPECT_EQ(parsePaletteFile(bytes, 1).colours.size(), 3u);
}

TEST(PaletteFileMessages, ShowTheTextsOfTheActiveLanguage)
{
    {
        BuiltInTexts texts(Language::Chinese);
        EXPECT_EQ(paletteReadErrorText(PaletteFileRead::TooShort), QStringLiteral("非法调色盘文件！"));
        EXPECT_EQ(paletteReadErrorText(PaletteFileRead::CannotOpen), QStringLiteral("打开文件失败！"));
        EXPECT_EQ(paletteReadErrorText(PaletteFileRead::GradientInNormalProgram),
                  QStringLiteral("调色盘颜色为渐变色不可调用"));
        EXPECT_EQ(paletteSaveErrorText(), QStringLiteral("保存文件失败！"));
    }
    BuiltInTexts texts(Language::English);
    EXPECT_EQ(paletteReadErrorText(PaletteFileRead::GradientInNormalProgram),
              QStringLiteral("The colors of color palette is set as gradual colors without adjustment function."));
}

TEST(PaletteFolder, IsColorBoxInTheProgramFolderCreatedWhenMissing)
{
    QTemporaryDir dir;
    setProgramFolderOverride(dir.path());
    const QString folder = paletteFolder();
    setProgramFolderOverride(QString());
    EXPECT_EQ(folder, QDir(dir.path()).filePath("color box"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

} // namespace
