// The settings file: section "main" read at start and written at exit.
#include "settings/app_settings.h"
#include "settings/profile_file.h"
#include "settings_test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(LoadSettings, MissingFileGivesTheDefaults)
{
    QTemporaryDir dir;
    const AppSettings s = LoadSettings(dir.filePath("Brightloom.ini"));
    EXPECT_EQ(s.languageCode, 1);
    EXPECT_EQ(s.geometry, GridGeometry{});
    EXPECT_EQ(s.geometry.rows, 24);
    EXPECT_EQ(s.geometry.cols, 40);
}

TEST(LoadSettings, ReadsEveryKeyAndAlwaysStartsInEnglish)
{
    QTemporaryDir dir;
    const QString path = writeTestFile(dir.path(), "Brightloom.ini",
        "[main]\nlanguage=0\nRows=16\nCols=32\nCelWidth=11\nCelHeight=13\nScanMode=0\nBaseColorNum=2\n");
    const AppSettings s = LoadSettings(path);
    EXPECT_EQ(s.languageCode, 1);
    EXPECT_EQ(s.geometry.rows, 16);
    EXPECT_EQ(s.geometry.cols, 32);
    EXPECT_EQ(s.geometry.celWidth, 11);
    EXPECT_EQ(s.geometry.celHeight, 13);
    EXPECT_EQ(s.geometry.scanMode, 0);
    EXPECT_EQ(s.geometry.baseColorNum, 2);
}

TEST(LoadSettings, ValuesAreTruncatedNotChecked)
{
    QTemporaryDir dir;
    const QString path = writeTestFile(dir.path(), "Brightloom.ini",
        "[main]\nRows=0\nCols=70000\nCelWidth=-3\nCelHeight=abc\nScanMode=257\nBaseColorNum=-1\n");
    const GridGeometry g = LoadSettings(path).geometry;
    EXPECT_EQ(g.rows, 0); // refused later by the new-grid dialog, not here
    EXPECT_EQ(g.cols, 4464); // 70000 - 65536
    EXPECT_EQ(g.celWidth, -3);
    EXPECT_EQ(g.celHeight, 0);
    EXPECT_EQ(g.scanMode, 1);
    EXPECT_EQ(g.baseColorNum, 255);
}

TEST(SaveSettings, WritesMainAndKeepsOtherSections)
{
    QTemporaryDir dir;
    const QString path = writeTestFile(dir.path(), "Brightloom.ini",
        "[Gather]\nm_wid=320\nm_hei=240\n\n[main]\nlanguage=1\nRows=24\nUsbVendor=0x1234\n");
    AppSettings s;
    s.languageCode = 0;
    s.geometry.rows = 8;
    s.geometry.cols = 9;
    s.geometry.celWidth = 10;
    s.geometry.celHeight = 11;
    s.geometry.scanMode = 0;
    s.geometry.baseColorNum = 1;
    ASSERT_TRUE(SaveSettings(s, path));
    EXPECT_EQ(readTestFile(path),
              "[Gather]\nm_wid=320\nm_hei=240\n\n[main]\nlanguage=0\nRows=8\nUsbVendor=0x1234\n"
              "Cols=9\nCelWidth=10\nCelHeight=11\nScanMode=0\nBaseColorNum=1\nShowUnwiredWhilePlaying=0\n"
              "LoadWiringBeside=0\n");
}

TEST(SaveSettings, RoundTripsThroughLoad)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Brightloom.ini");
    AppSettings s;
    s.languageCode = 2;
    s.geometry.rows = -5;
    s.geometry.cols = 32767;
    s.geometry.baseColorNum = 2;
    s.loadWiringBesideProject = true;
    ASSERT_TRUE(SaveSettings(s, path));
    const AppSettings back = LoadSettings(path);
    EXPECT_EQ(back.geometry, s.geometry);
    EXPECT_TRUE(back.loadWiringBesideProject);
    EXPECT_FALSE(LoadSettings(dir.filePath("none.ini")).loadWiringBesideProject);
    EXPECT_EQ(back.languageCode, 1);
    // The language of the run is written even though start-up ignores it.
    EXPECT_EQ(ProfileFile::load(path).readInt("main", "language", -1), 2);
}

TEST(SaveSettings, ShowingUnwiredLampsWhilePlayingOutlivesTheRun)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Brightloom.ini");
    EXPECT_FALSE(LoadSettings(path).showUnwiredWhilePlaying);
    AppSettings s;
    s.showUnwiredWhilePlaying = true;
    ASSERT_TRUE(SaveSettings(s, path));
    EXPECT_TRUE(LoadSettings(path).showUnwiredWhilePlaying);
    s.showUnwiredWhilePlaying = false;
    ASSERT_TRUE(SaveSettings(s, path));
    EXPECT_FALSE(LoadSettings(path).showUnwiredWhilePlaying);
}

TEST(SaveSettings, FailsWhenTheFileCannotBeWritten)
{
    QTemporaryDir dir;
    EXPECT_FALSE(SaveSettings(AppSettings{}, dir.filePath("no-such-folder/Brightloom.ini")));
    // A folder in the file's place is a file that could not be read: it is
    // not replaced.
    EXPECT_FALSE(SaveSettings(AppSettings{}, dir.path()));
}

} // namespace
