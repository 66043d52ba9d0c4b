// Writing profile files: values change in place, everything else stays.
#include "settings/profile_file.h"
#include "settings_test_files.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ProfileWrite, ReplacesTheValueInPlaceAndKeepsEveryOtherLine)
{
    ProfileFile p = ProfileFile::fromBytes("; settings\n[Main]\n  ROWS = 24 ; old\nCols=40\nunknown=keep me\n\n[Gather]\nm_wid=320\n");
    p.write("main", "Rows", "30");
    // The key keeps the spelling the file gave it; the rest is untouched.
    EXPECT_EQ(p.toBytes(), "; settings\n[Main]\nROWS=30\nCols=40\nunknown=keep me\n\n[Gather]\nm_wid=320\n");
}

TEST(ProfileWrite, ChangesTheKeyThatReadsFind)
{
    ProfileFile p = ProfileFile::fromBytes("[a]\nk=1\n[A]\nk=2\nlate=3\n");
    p.write("a", "K", "10");
    p.write("a", "late", "30");
    EXPECT_EQ(p.toBytes(), "[a]\nk=10\n[A]\nk=2\nlate=30\n");
    EXPECT_EQ(p.readInt("a", "k", 0), 10);
}

TEST(ProfileWrite, NewKeyGoesAfterTheLastKeyOfItsSection)
{
    ProfileFile p = ProfileFile::fromBytes("[main]\nRows=1\n\n; screen gather\n[Gather]\nm_wid=2\n");
    p.write("MAIN", "Cols", "5");
    EXPECT_EQ(p.toBytes(), "[main]\nRows=1\nCols=5\n\n; screen gather\n[Gather]\nm_wid=2\n");

    ProfileFile empty = ProfileFile::fromBytes("[main]\n[next]\n");
    empty.write("main", "Rows", "1");
    EXPECT_EQ(empty.toBytes(), "[main]\nRows=1\n[next]\n");
}

TEST(ProfileWrite, NewSectionIsAppended)
{
    ProfileFile p = ProfileFile::fromBytes("[Gather]\nm_wid=2");
    p.write("main", "Rows", "24");
    EXPECT_EQ(p.toBytes(), "[Gather]\nm_wid=2\n\n[main]\nRows=24\n");

    ProfileFile none;
    none.write("main", "Rows", "24");
    EXPECT_EQ(none.toBytes(), "[main]\nRows=24\n");
}

TEST(ProfileWrite, KeepsWindowsLineBreaksAndByteOrderMark)
{
    ProfileFile p = ProfileFile::fromBytes("\xEF\xBB\xBF[main]\r\nRows=1\r\n");
    p.write("main", "Rows", "2");
    p.write("main", "Cols", "3");
    EXPECT_EQ(p.toBytes(), "\xEF\xBB\xBF[main]\r\nRows=2\r\nCols=3\r\n");
}

TEST(ProfileWrite, ValueWithLineBreaksStaysOnOneLine)
{
    ProfileFile p = ProfileFile::fromBytes("[s]\nk=1\nafter=2\n");
    p.write("s", "k", "a\nb=c\r\n[x]");
    const ProfileFile reread = ProfileFile::fromBytes(p.toBytes());
    EXPECT_EQ(reread.readText("s", "k", {}), "a b=c  [x]");
    EXPECT_EQ(reread.readText("s", "after", {}), "2");
}

TEST(ProfileWrite, GbkFileKeepsItsOtherBytes)
{
    const QByteArray message = "[Message]\nFileFormatError=" + kGbkFileFormatError + "\n";
    ProfileFile p = ProfileFile::fromBytes(message + "[main]\nRows=1\n");
    p.write("main", "Rows", "2");
    EXPECT_EQ(p.toBytes(), message + "[main]\nRows=2\n");
}

TEST(ProfileSave, CreatesTheFileAndReadsBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new.ini");
    ProfileFile p = ProfileFile::load(path);
    p.write("main", "Rows", "12");
    QString error;
    ASSERT_TRUE(p.save(path, &error)) << error.toStdString();
    EXPECT_EQ(readTestFile(path), "[main]\nRows=12\n");
    EXPECT_EQ(ProfileFile::load(path).readInt("main", "Rows", 0), 12);
}

TEST(ProfileSave, FailedSaveSaysWhyAndCreatesNothing)
{
    QTemporaryDir dir;
    ProfileFile p;
    p.write("main", "Rows", "12");
    QString error;
    EXPECT_FALSE(p.save(dir.filePath("missing-folder/a.ini"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing-folder/a.ini")));
}

} // namespace
