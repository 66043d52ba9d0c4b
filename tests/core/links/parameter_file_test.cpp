#include "links/parameter_file.h"
#include "order_list_test_util.h"
#include "settings/language.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

TEST(ParameterFileText, ListsTheRowsFromTheBottomUp)
{
    const ControllerParams p = ControllerParams::initial(3);
    EXPECT_EQ(parameterFileText(p), QByteArray("0,1,3,1,r,1,g,1,b,"));
}

TEST(ParameterFileText, WritesNullRowsAsNullNull)
{
    ControllerParams p = ControllerParams::initial(1);
    p.changeCycle(2, 1);
    p.addNullRow();
    // Top to bottom: null, 1r, 2r.
    EXPECT_EQ(parameterFileText(p), QByteArray("0,2,3,2,r,1,r,null,null,"));
}

TEST(ParameterFileWrite, SavesOneLineWithoutALineEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("order.zari"));
    ASSERT_TRUE(writeParameterFile(path, ControllerParams::initial(3)));
    EXPECT_EQ(readAll(path), QByteArray("0,1,3,1,r,1,g,1,b,"));
}

TEST(ParameterFileWrite, FailsWithoutTouchingAnythingWhenTheFolderIsMissing)
{
    QTemporaryDir dir;
    QString detail;
    EXPECT_FALSE(writeParameterFile(dir.filePath(QStringLiteral("no/such/folder/x.zari")),
                                    ControllerParams::initial(3), &detail));
    EXPECT_FALSE(detail.isEmpty());
}

TEST(ParameterFileRead, TakesTheSavedOrderBack)
{
    const ParameterFileResult r = readParameterText("0,1,3,1,r,1,g,1,b,");
    ASSERT_EQ(r.kind, ParameterFileResult::Loaded);
    EXPECT_EQ(r.contents->cycle, 1);
    EXPECT_EQ(describe(r.contents->orderList), QStringLiteral("1b 1g 1r"));
    EXPECT_EQ(r.contents->nullRows, 0);
}

TEST(ParameterFileRead, ACountOfZeroSetsTheCycleAndEmptiesTheList)
{
    ControllerParams p = ControllerParams::initial(3);
    const ParameterFileResult r = readParameterText("1,2,0,");
    ASSERT_EQ(r.kind, ParameterFileResult::Loaded);
    applyParameterFile(p, *r.contents);
    EXPECT_EQ(p.cycle, 2);
    EXPECT_TRUE(p.orderList.empty());
}

TEST(ParameterFileRead, NullRowsComeBackAndCountInTheGroupExtra)
{
    ControllerParams p = ControllerParams::initial(3);
    const ParameterFileResult r = readParameterText("0,1,4,1,r,null,null,1,g,1,b,");
    ASSERT_EQ(r.kind, ParameterFileResult::Loaded);
    applyParameterFile(p, *r.contents);
    EXPECT_EQ(describe(p.orderList), QStringLiteral("1b 1g null 1r"));
    EXPECT_EQ(p.groupExtra, 1);
}

TEST(ParameterFileRead, PixelFieldsBecomeTheirIntegerValue)
{
    const ParameterFileResult r = readParameterText("0,3,3, 2x,r,abc,g,-4,b,");
    ASSERT_EQ(r.kind, ParameterFileResult::Loaded);
    EXPECT_EQ(describe(r.contents->orderList), QStringLiteral("-4b 0g 2r"));
}

TEST(ParameterFileRead, OnlyTheFirstLineCounts)
{
    const ParameterFileResult r = readParameterText("0,5,1,1,r,\r\n9,9,9,\n");
    ASSERT_EQ(r.kind, ParameterFileResult::Loaded);
    EXPECT_EQ(r.contents->cycle, 5);
    EXPECT_EQ(describe(r.contents->orderList), QStringLiteral("1r"));
}

struct IgnoredCase
{
    const char *name;
    const char *text;
};

class NotAParameterFile : public ::testing::TestWithParam<IgnoredCase>
{
};

// A first field other than "0" or "1" passes the file over without a word.
TEST_P(NotAParameterFile, IsIgnoredSilently)
{
    const ParameterFileResult r = readParameterText(GetParam().text);
    EXPECT_EQ(r.kind, ParameterFileResult::NotParameterFile);
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_FALSE(r.contents.has_value());
}

INSTANTIATE_TEST_SUITE_P(FirstFields, NotAParameterFile,
                         ::testing::Values(IgnoredCase{"two", "2,1,1,1,r,"}, IgnoredCase{"empty", ""},
                                           IgnoredCase{"spaced", " 0,1,1,1,r,"}, IgnoredCase{"zeros", "00,1,0,"},
                                           IgnoredCase{"binary", "\xff\xfe\x01"}),
                         [](const auto &info) { return std::string(info.param.name); });

class DamagedParameterFile : public ::testing::TestWithParam<IgnoredCase>
{
};

// A count the text cannot hold would leave the list half read: the file
// is refused with a message and the list stays as it was.
TEST_P(DamagedParameterFile, IsRefusedWithAMessage)
{
    const ParameterFileResult r = readParameterText(GetParam().text);
    EXPECT_EQ(r.kind, ParameterFileResult::Failed);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_FALSE(r.contents.has_value());
}

INSTANTIATE_TEST_SUITE_P(Counts, DamagedParameterFile,
                         ::testing::Values(IgnoredCase{"fewerFields", "0,1,3,1,r,1,g,"},
                                           IgnoredCase{"negative", "0,1,-1,1,r,"},
                                           IgnoredCase{"huge", "0,1,2147483647,1,r,"},
                                           IgnoredCase{"overflowing", "0,1,99999999999999999999,1,r,"},
                                           IgnoredCase{"noCount", "0,1"}, IgnoredCase{"onlyVersion", "1"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ParameterFileRoundTrip, ReproducesRowsOrderCycleAndNullRows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("round.zari"));
    ControllerParams saved = ControllerParams::initial(3);
    saved.changeCycle(2, 3);
    saved.addNullRow();
    saved.orderList.moveRow(0, 4); // the null row into the middle
    saved.orderList.moveRow(6, 0);
    ASSERT_TRUE(writeParameterFile(path, saved));

    ControllerParams loaded = ControllerParams::initial(3);
    const ParameterFileResult r = readParameterFile(path);
    ASSERT_EQ(r.kind, ParameterFileResult::Loaded);
    applyParameterFile(loaded, *r.contents);
    EXPECT_EQ(loaded.orderList, saved.orderList);
    EXPECT_EQ(loaded.cycle, 2);
    EXPECT_EQ(loaded.groupExtra, 1);
    EXPECT_EQ(describe(loaded.orderList), QStringLiteral("2r 1b 1g 1r null 2b 2g"));
}

TEST(ParameterFileOpen, AMissingFileSaysOpenFileFail)
{
    QTemporaryDir dir;
    const ParameterFileResult r = readParameterFile(dir.filePath(QStringLiteral("missing.zari")));
    EXPECT_EQ(r.kind, ParameterFileResult::Failed);
    EXPECT_EQ(r.message, QStringLiteral("Open file fail."));
}

TEST(ParameterFileOpen, AFirstLineFarTooLongIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.zari"));
    QByteArray text("0,1,1,");
    text.append(QByteArray(17 * 1024 * 1024, 'x'));
    ASSERT_TRUE(writeBytes(path, text));
    const ParameterFileResult r = readParameterFile(path);
    EXPECT_EQ(r.kind, ParameterFileResult::Failed);
    EXPECT_FALSE(r.message.isEmpty());
}

TEST(ParameterFileRead, ACycleThePanelWouldRefuseIsRefused)
{
    for (const char *cycle : {"0", "-1", "4097", "2147483647", "99999999999", "abc", "", "3x"}) {
        const ParameterFileResult r = readParameterText(QByteArray("0,") + cycle + ",1,1,r,");
        EXPECT_EQ(r.kind, ParameterFileResult::Failed) << cycle;
        EXPECT_TRUE(r.message.contains(QLatin1String("1 to 4096")) || r.message.contains(QStringLiteral("1 到 4096")))
            << r.message.toStdString();
    }
    for (const auto &[text, cycle] : {std::pair{"4096", 4096}, std::pair{" 7 ", 7}, std::pair{"1", 1}}) {
        const ParameterFileResult r = readParameterText(QByteArray("0,") + text + ",1,1,r,");
        ASSERT_EQ(r.kind, ParameterFileResult::Loaded) << text;
        EXPECT_EQ(r.contents->cycle, cycle);
    }
}

// A list of `rows` rows: pixel numbers counting down from `rows`, one in
// every three a "null" row.
QByteArray longList(int rows)
{
    QByteArray text = "0,4096," + QByteArray::number(rows) + ',';
    for (int i = 0; i < rows; ++i)
        text += i % 3 == 2 ? QByteArray("null,null,") : QByteArray::number(rows - i) + ",g,";
    return text;
}

TEST(ParameterFileRead, AListLongerThanAnyCycleUsesIsRefused)
{
    EXPECT_EQ(kMaxOrderListRows, 24576); // three rows per pixel of 4096, and as many null rows
    const ParameterFileResult r = readParameterText(longList(kMaxOrderListRows + 1));
    EXPECT_EQ(r.kind, ParameterFileResult::Failed);
    EXPECT_TRUE(r.message.contains(QLatin1String("24577"))) << r.message.toStdString();
}

TEST(ParameterFileOpen, TheLargestAcceptedFileReadsInWellUnderASecond)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("largest.zari"));
    ASSERT_TRUE(writeBytes(path, longList(kMaxOrderListRows)));
    QElapsedTimer clock;
    clock.start();
    const ParameterFileResult r = readParameterFile(path);
    const qint64 ms = clock.elapsed();
    ASSERT_EQ(r.kind, ParameterFileResult::Loaded);
    // The old front-inserting reader took about five seconds here; a second
    // still catches that while leaving room for a loaded build machine.
    EXPECT_LT(ms, 1000) << "reading " << kMaxOrderListRows << " rows took " << ms << " ms";
    const RgbOrderList &list = r.contents->orderList;
    ASSERT_EQ(list.count(), kMaxOrderListRows);
    // The file lists the bottom row first.
    EXPECT_EQ(list.logical(0), (RgbOrderRow{QStringLiteral("24576"), QStringLiteral("g")}));
    EXPECT_EQ(list.row(0), (RgbOrderRow{QStringLiteral("null"), QStringLiteral("null")}));
    EXPECT_EQ(list.row(1), (RgbOrderRow{QStringLiteral("2"), QStringLiteral("g")}));
    EXPECT_EQ(r.contents->nullRows, kMaxOrderListRows / 3);
}

struct IntegerCase
{
    const char *text;
    int value;
};

class LeadingInteger : public ::testing::TestWithParam<IntegerCase>
{
};

TEST_P(LeadingInteger, ReadsLikeTheUsualConversion)
{
    EXPECT_EQ(leadingInteger(QString::fromLatin1(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingInteger,
                         ::testing::Values(IntegerCase{"12", 12}, IntegerCase{"  7z", 7}, IntegerCase{"-3", -3},
                                           IntegerCase{"+4", 4}, IntegerCase{"null", 0}, IntegerCase{"", 0},
                                           IntegerCase{"- 5", 0}, IntegerCase{"99999999999", 2147483647},
                                           IntegerCase{"-99999999999", -2147483647 - 1}));

} // namespace
