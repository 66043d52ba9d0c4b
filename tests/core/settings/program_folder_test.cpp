// Where the settings file and the read-only program files are found.
#include "settings/program_folder.h"
#include "settings_test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProgramFolderTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        setProgramFolderOverride(QString());
        if (hadXdg)
            qputenv("XDG_CONFIG_HOME", oldXdg);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
    bool hadXdg = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
};

TEST_F(ProgramFolderTest, WritableProgramFolderKeepsTheSettings)
{
    QTemporaryDir program;
    setProgramFolderOverride(program.path());
    EXPECT_EQ(settingsFolder(), program.path());
    EXPECT_EQ(settingsFilePath(), QDir(program.path()).filePath("Brightloom.ini"));
}

TEST_F(ProgramFolderTest, UnusableProgramFolderSendsSettingsToTheUserConfig)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // A folder that does not exist holds no settings file and is not
    // writable, like a read-only install.
    setProgramFolderOverride(QDir(config.path()).filePath("gone/bin"));
    const QString expected = QDir(config.path()).filePath("Brightloom");
    EXPECT_EQ(settingsFolder(), expected);
    EXPECT_TRUE(QDir(expected).exists());
    EXPECT_EQ(settingsFilePath(), QDir(expected).filePath("Brightloom.ini"));
}

TEST_F(ProgramFolderTest, ProgramFilesComeFromBesideTheProgramElseTheDataFolder)
{
    QTemporaryDir program;
    setProgramFolderOverride(program.path());
    writeTestFile(program.path(), "English.ini", "[x]\n");
    EXPECT_EQ(programFilePath("English.ini"), QDir(program.path()).filePath("English.ini"));
    EXPECT_EQ(programFilePath("Chinese.ini"), QDir(QStringLiteral(BRIGHTLOOM_DATA_DIR)).filePath("Chinese.ini"));
}

TEST_F(ProgramFolderTest, WithoutOverrideTheExecutablesFolderIsUsed)
{
    // The test binary's folder is a writable build folder.
    const QString exe = QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath();
    EXPECT_EQ(settingsFolder(), exe);
}

} // namespace
