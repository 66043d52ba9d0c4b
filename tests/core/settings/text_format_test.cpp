// The printf-style formatter that texts from language files go through.
#include "settings/language.h"
#include "settings/text_format.h"
#include "settings_test_files.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

QString fmt(const char *text, std::vector<QVariant> args)
{
    return formatPrintf(QString::fromUtf8(text), args);
}

TEST(FormatPrintf, MatchesPrintfForTheSupportedConversions)
{
    struct Case { const char *text; std::vector<QVariant> args; const char *expected; };
    const Case cases[] = {
        {"行:%d,列:%d", {3, 40}, "行:3,列:40"},
        {"红:%3d,绿:%3d,蓝:%3d", {5, 255, 17}, "红:  5,绿:255,蓝: 17"},
        {"[%-4d]", {7}, "[7   ]"},
        {"[%04d]", {-7}, "[-007]"},
        {"[%+d|% d]", {7, 7}, "[+7| 7]"},
        {"[%.3d]", {5}, "[005]"},
        {"[%.0d]", {0}, "[]"},
        {"[%u]", {-1}, "[4294967295]"},
        {"[%x|%X|%#x|%08X]", {255, 255, 255, 0xBEEF}, "[ff|FF|0xff|0000BEEF]"},
        {"[%c%c]", {65, QStringLiteral("中文")}, "[A中]"},
        {"[%s|%5s|%-5s|%.2s]", {"abc", "ab", "ab", "abcdef"}, "[abc|   ab|ab   |ab]"},
        {"[%f|%.2f|%8.3f]", {1.5, 2.345, -3.14159}, "[1.500000|2.35|  -3.142]"},
        {"[%ld|%hd|%lld]", {1, 2, 3}, "[1|2|3]"},
        {"100%% done", {}, "100% done"},
        {"%dfps", {25}, "25fps"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fmt(c.text, c.args), QString::fromUtf8(c.expected)) << c.text;
}

TEST(FormatPrintf, WrongOrMissingArgumentsFormatSafely)
{
    EXPECT_EQ(fmt("%d|%d", {QStringLiteral("12"), QStringLiteral("x")}), "12|0");
    EXPECT_EQ(fmt("%s", {42}), "42");
    EXPECT_EQ(fmt("%d,%s,%f", {}), "0,,0.000000");
    EXPECT_EQ(fmt("%d", {QVariant::fromValue(QStringList{"a"})}), "0");
    EXPECT_EQ(fmt("%d", {2.9}), "2");
    EXPECT_EQ(fmt("%s|%d", {QVariant(), 1e300}), "|0");
}

TEST(FormatPrintf, UnknownConversionsAreCopiedAndFieldsBounded)
{
    EXPECT_EQ(fmt("%y %n %", {1}), "%y %n %");
    // A hostile width cannot ask for unbounded padding.
    EXPECT_LE(fmt("%999999999d", {1}).size(), 1024);
    EXPECT_LE(fmt("%.999999999f", {1.0}).size(), 1030);
}

TEST(ConversionLetters, ListsTypesInOrder)
{
    EXPECT_EQ(conversionLetters(u"红:%3d,绿:%-3d %% %s %5.2f %lx"), "ddsfx");
    EXPECT_EQ(conversionLetters(u"%y %"), "??");
    EXPECT_EQ(conversionLetters(u"no conversions"), "");
}

TEST(FormatText, FileTextMustKeepTheDefaultsConversions)
{
    const QString fallback = QStringLiteral("行:%d,列:%d");
    EXPECT_EQ(formatText("Row %d, col %d", fallback, {1, 2}), "Row 1, col 2");
    EXPECT_EQ(formatText("Row %5d, col %-2d!", fallback, {1, 2}), "Row     1, col 2 !");
    // Same number of conversions, different type or order: not used.
    EXPECT_EQ(formatText("Row %s, col %d", fallback, {1, 2}), QStringLiteral("行:1,列:2"));
    EXPECT_EQ(formatText("Row %d", fallback, {1, 2}), QStringLiteral("行:1,列:2"));
    EXPECT_EQ(formatText("Row %d, col %d, %d", fallback, {1, 2}), QStringLiteral("行:1,列:2"));
    EXPECT_EQ(formatText("%s frames", QStringLiteral("总帧数:%d"), {9}), QStringLiteral("总帧数:9"));
}

} // namespace
