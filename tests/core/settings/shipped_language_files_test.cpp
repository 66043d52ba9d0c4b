// The language files shipped in resources/ must load and agree with each
// other, or the program silently falls back to built-in texts.
#include "settings/profile_file.h"
#include "settings/text_format.h"
#include "settings_test_files.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString resource(const char *name) { return QDir(QStringLiteral(BRIGHTLOOM_RESOURCES)).filePath(name); }

// Section and key names of a language file, in file order.
QList<QPair<QString, QString>> keysOf(const QByteArray &bytes)
{
    QList<QPair<QString, QString>> keys;
    QString section;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('['))
            section = line.mid(1, line.indexOf(']') - 1);
        else if (line.contains('=') && !line.startsWith(';'))
            keys.append({section, line.left(line.indexOf('=')).trimmed()});
    }
    return keys;
}

TEST(ShippedLanguageFiles, AreUtf8AndHoldTheSameKeys)
{
    const QByteArray english = readTestFile(resource("English.ini"));
    const QByteArray chinese = readTestFile(resource("Chinese.ini"));
    ASSERT_FALSE(english.isEmpty());
    ASSERT_FALSE(chinese.isEmpty());
    EXPECT_EQ(ProfileFile::fromBytes(english).encoding(), TextEncoding::Utf8);
    EXPECT_EQ(ProfileFile::fromBytes(chinese).encoding(), TextEncoding::Utf8);
    EXPECT_EQ(keysOf(english), keysOf(chinese));
}

TEST(ShippedLanguageFiles, EnglishFormatsMatchTheChineseDefaults)
{
    const ProfileFile english = ProfileFile::load(resource("English.ini"));
    const ProfileFile chinese = ProfileFile::load(resource("Chinese.ini"));
    int formats = 0;
    for (const auto &[section, key] : keysOf(readTestFile(resource("Chinese.ini")))) {
        const QString chineseText = chinese.readText(section, key, {});
        const QString englishText = english.readText(section, key, {});
        EXPECT_FALSE(englishText.isEmpty()) << section.toStdString() << "/" << key.toStdString();
        EXPECT_EQ(conversionLetters(englishText), conversionLetters(chineseText))
            << section.toStdString() << "/" << key.toStdString();
        formats += conversionLetters(chineseText).isEmpty() ? 0 : 1;
    }
    EXPECT_GE(formats, 4); // the three status items and the play speed
}

TEST(ShippedLanguageFiles, HoldTheTextsTheProjectFileReaderUses)
{
    const ProfileFile chinese = ProfileFile::load(resource("Chinese.ini"));
    EXPECT_EQ(chinese.readText("Message", "FileFormatError", {}), QStringLiteral("文件格式错误!"));
    EXPECT_EQ(chinese.readText("Status", "StatusItem3", {}), QStringLiteral("总帧数:%d"));
    EXPECT_EQ(chinese.readText("NFComboBox", "ComboBox2Item2", {}), QStringLiteral("三色"));
}

} // namespace
