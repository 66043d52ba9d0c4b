// Reading profile files the way the Windows profile functions did.
#include "settings/profile_file.h"
#include "settings_test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

ProfileFile parse(const char *text) { return ProfileFile::fromBytes(QByteArray(text)); }

QString read(const ProfileFile &p, const char *section, const char *key)
{
    return p.readText(QString::fromUtf8(section), QString::fromUtf8(key), QStringLiteral("<default>"));
}

TEST(ProfileRead, SectionAndKeyNamesIgnoreCase)
{
    const ProfileFile p = parse("[Main]\nCelWidth=17\n");
    EXPECT_EQ(read(p, "main", "celwidth"), "17");
    EXPECT_EQ(read(p, "MAIN", "CELWIDTH"), "17");
    EXPECT_EQ(read(p, "Mains", "CelWidth"), "<default>");
}

TEST(ProfileRead, WhitespaceAndMatchingQuotesAreRemoved)
{
    struct Case { const char *line; const char *expected; };
    const Case cases[] = {
        {"  key  =  value  ", "value"},
        {"key=\tinner  space\t", "inner  space"},
        {"key=\"quoted\"", "quoted"},
        {"key='single'", "single"},
        {"key=  \" padded \"  ", " padded "},
        {"key=\"mismatched'", "\"mismatched'"},
        {"key=\"", "\""},
        {"key=\"\"", ""},
        {"key=a=b", "a=b"},
    };
    for (const Case &c : cases) {
        const ProfileFile p = ProfileFile::fromBytes(QByteArray("[s]\n") + c.line + "\n");
        EXPECT_EQ(read(p, "s", "key"), QString::fromUtf8(c.expected)) << c.line;
    }
}

TEST(ProfileRead, FirstOfDuplicateKeysAndSectionsWins)
{
    const ProfileFile p = parse("[a]\nk=first\nK=second\n[b]\nk=other\n[A]\nk=third\nonlyLater=found\n");
    EXPECT_EQ(read(p, "a", "k"), "first");
    EXPECT_EQ(read(p, "b", "k"), "other");
    // A key only in the repeated section is still found.
    EXPECT_EQ(read(p, "a", "onlylater"), "found");
}

TEST(ProfileRead, EmptyValueIsATextButMissingKeyIsTheDefault)
{
    const ProfileFile p = parse("[s]\nempty=\nblank=   \nnoEquals\n");
    ASSERT_TRUE(p.value("s", "empty").has_value());
    EXPECT_EQ(read(p, "s", "empty"), "");
    EXPECT_EQ(read(p, "s", "blank"), "");
    EXPECT_EQ(read(p, "s", "noEquals"), "<default>");
    EXPECT_EQ(read(p, "s", "absent"), "<default>");
    EXPECT_EQ(read(p, "absent", "empty"), "<default>");
}

TEST(ProfileRead, LinesThatAreNotKeysAreIgnored)
{
    const ProfileFile p = parse("before=1\n; k=comment\n[s\nk=unclosed\n[ s ]\n;k=comment\nk=real\n");
    // Keys before the first section belong to none.
    EXPECT_EQ(read(p, "", "before"), "<default>");
    EXPECT_EQ(read(p, "s", "k"), "real");
    EXPECT_EQ(read(p, "s", "[s"), "<default>");
}

TEST(ProfileRead, IntegerTakesTheLeadingDecimalNumber)
{
    struct Case { const char *value; int expected; };
    const Case cases[] = {
        {"42", 42}, {"  -12abc", -12}, {"+7", 7}, {"abc", 0}, {"-", 0},
        {"0x10", 0}, {"12 34", 12}, {"\"15\"", 15}, {"4294967295", -1},
        {"4294967296", 0}, {"2147483648", -2147483647 - 1}, {"-0", 0},
    };
    for (const Case &c : cases) {
        const ProfileFile p = ProfileFile::fromBytes(QByteArray("[s]\nn=") + c.value + "\n");
        EXPECT_EQ(p.readInt("s", "n", 99), c.expected) << c.value;
    }
    const ProfileFile p = parse("[s]\nempty=\n");
    EXPECT_EQ(p.readInt("s", "empty", 99), 99);
    EXPECT_EQ(p.readInt("s", "missing", 99), 99);
}

TEST(ProfileRead, TextsAreCutTo255BytesBetweenCharacters)
{
    // 254 ASCII bytes then a three-byte character: the character does not
    // fit and is dropped whole.
    const QByteArray ascii(254, 'a');
    const ProfileFile p = ProfileFile::fromBytes("[s]\nk=" + ascii + "\xE4\xB8\xAD" + "tail\n");
    EXPECT_EQ(p.readText("s", "k", {}), QString::fromLatin1(ascii));

    const QByteArray exact(255, 'b');
    EXPECT_EQ(ProfileFile::fromBytes("[s]\nk=" + exact + "c\n").readText("s", "k", {}).toLatin1(), exact);

    // 85 three-byte characters are exactly 255 bytes.
    QByteArray chinese;
    for (int i = 0; i < 86; ++i)
        chinese += "\xE4\xB8\xAD";
    const QString cut = ProfileFile::fromBytes("[s]\nk=" + chinese + "\n").readText("s", "k", {});
    EXPECT_EQ(cut.size(), 85);
    EXPECT_EQ(cut.toUtf8().size(), 255);
}

TEST(ProfileRead, GbkTextsAreCutByTheirGbkBytes)
{
    // 128 two-byte characters are 256 GBK bytes: 127 fit.
    QByteArray gbk;
    for (int i = 0; i < 128; ++i)
        gbk += "\xD6\xD0"; // 中
    const ProfileFile p = ProfileFile::fromBytes("[s]\nk=" + gbk + "\n");
    EXPECT_EQ(p.encoding(), TextEncoding::Gbk);
    EXPECT_EQ(p.readText("s", "k", {}), QString(127, QChar(0x4E2D)));
}

TEST(ProfileRead, EncodingIsUtf8WhenValidElseGbk)
{
    const ProfileFile utf8 = ProfileFile::fromBytes("[Message]\nFileFormatError=\xE6\x96\x87\xE4\xBB\xB6\n");
    EXPECT_EQ(utf8.encoding(), TextEncoding::Utf8);
    EXPECT_EQ(utf8.readText("Message", "FileFormatError", {}), QStringLiteral("文件"));

    const ProfileFile gbk = ProfileFile::fromBytes("[Message]\nFileFormatError=" + kGbkFileFormatError + "!\n");
    EXPECT_EQ(gbk.encoding(), TextEncoding::Gbk);
    EXPECT_EQ(gbk.readText("Message", "FileFormatError", {}), QStringLiteral("文件格式错误!"));
}

TEST(ProfileRead, LineBreaksAndByteOrderMarkDoNotLeakIntoTexts)
{
    const ProfileFile p = ProfileFile::fromBytes("\xEF\xBB\xBF[main]\r\nRows=5\r\nCols=6");
    EXPECT_EQ(p.readInt("main", "Rows", 0), 5);
    EXPECT_EQ(p.readText("main", "Rows", {}), "5");
    EXPECT_EQ(p.readInt("main", "Cols", 0), 6);
}

TEST(ProfileLoad, MissingFileReadsAsEmptyAndSaysSo)
{
    QTemporaryDir dir;
    ProfileFile::LoadStatus status = ProfileFile::LoadStatus::Loaded;
    const ProfileFile p = ProfileFile::load(dir.filePath("none.ini"), &status);
    EXPECT_EQ(status, ProfileFile::LoadStatus::Missing);
    EXPECT_EQ(p.readInt("main", "Rows", 24), 24);

    const QString path = writeTestFile(dir.path(), "a.ini", "[main]\nRows=3\n");
    EXPECT_EQ(ProfileFile::load(path, &status).readInt("main", "Rows", 24), 3);
    EXPECT_EQ(status, ProfileFile::LoadStatus::Loaded);

    ProfileFile::load(dir.path(), &status); // a folder is not a file
    EXPECT_EQ(status, ProfileFile::LoadStatus::Unreadable);
}

} // namespace
