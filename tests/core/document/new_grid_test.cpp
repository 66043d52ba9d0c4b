#include "document/new_grid.h"
#include "settings/language.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class NewGrid : public ::testing::Test
{
protected:
    void SetUp() override { Language::setCode(Language::English); }
    void TearDown() override { Language::setCode(Language::English); }

    Document doc;

    void wireOnePoint()
    {
        WiringPixel p;
        p.column = 1;
        p.row = 1;
        doc.wiring().append(p);
    }
};

TEST_F(NewGrid, RefusesSizesThatAreNotPositiveOrTooLargeAndChangesNothing)
{
    const GridGeometry before = doc.geometry();
    // The second line names the first wrong field from the top, or the
    // grid as a whole when each side alone is allowed.
    const struct
    {
        NewGridValues values;
        const char *secondLine;
    } cases[] = {
        {{0, 40, 20, 20, 1, 2}, "Rows: a whole number from 1 to 32767"},
        {{24, -1, 20, 20, 1, 2}, "Columns: a whole number from 1 to 32767"},
        {{24, 40, 0, 20, 1, 2}, "Cell width: a whole number from 1 to 32767"},
        {{24, 40, 20, -5, 1, 2}, "Cell height: a whole number from 1 to 32767"},
        {{24, 40, 20, 40000, 1, 2}, "Cell height: a whole number from 1 to 32767"},
        {{40000, 0, 20, 20, 1, 2}, "Rows: a whole number from 1 to 32767"},
        {{8192, 8192, 20, 20, 1, 2}, "Rows × columns: at most 16777216 grid points"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(createNewDocument(doc, c.values),
                  QStringLiteral("Parameter set error!\n") + QString::fromUtf8(c.secondLine));
        EXPECT_EQ(doc.geometry(), before);
        EXPECT_EQ(doc.frameCount(), 0);
    }
    Language::setCode(Language::Chinese);
    EXPECT_EQ(createNewDocument(doc, NewGridValues{1, 0, 1, 1, 0, 0}),
              QStringLiteral("参数设置错误！\n列数：应为1到32767之间的整数"));
    Language::setCode(Language::Traditional);
    EXPECT_EQ(createNewDocument(doc, NewGridValues{1, 1, 1, 0, 0, 0}),
              ToTraditional(QStringLiteral("参数设置错误！\n网格高：应为1到32767之间的整数")));
    EXPECT_TRUE(createNewDocument(doc, NewGridValues{1, 1, 1, 0, 0, 0}).startsWith(QStringLiteral("參數設置錯誤！\n")));
}

TEST_F(NewGrid, ConfirmedValuesMakeOneFrameAndTakeOverTheGeometry)
{
    QSignalSpy replaced(&doc, &Document::contentsReplaced);
    QSignalSpy geometry(&doc, &Document::geometryChanged);
    EXPECT_EQ(createNewDocument(doc, NewGridValues{5, 7, 11, 13, 0, 0}), QString());
    EXPECT_EQ(doc.rows(), 5);
    EXPECT_EQ(doc.cols(), 7);
    EXPECT_EQ(doc.geometry().celWidth, 11);
    EXPECT_EQ(doc.geometry().celHeight, 13);
    EXPECT_EQ(doc.geometry().scanMode, 0);
    EXPECT_EQ(doc.geometry().baseColorNum, 1);
    ASSERT_EQ(doc.frameCount(), 1);
    EXPECT_EQ(doc.currentFrame()->size(), 35u);
    EXPECT_EQ(doc.wiring().rows(), 5);
    EXPECT_EQ(replaced.count(), 1);
    EXPECT_EQ(geometry.count(), 1);
    EXPECT_FALSE(doc.isStartup());
    EXPECT_TRUE(doc.isModified());
}

TEST_F(NewGrid, AnUnchangedSizeKeepsTheWiringAndAChangedSizeEmptiesIt)
{
    ASSERT_EQ(createNewDocument(doc, NewGridValues{24, 40, 20, 20, 1, 2}), QString());
    wireOnePoint();
    ASSERT_EQ(createNewDocument(doc, NewGridValues{24, 40, 30, 30, 1, 2}), QString());
    EXPECT_EQ(doc.wiring().count(), 1);
    EXPECT_TRUE(doc.wiring().isWired(1, 1));
    ASSERT_EQ(createNewDocument(doc, NewGridValues{25, 40, 30, 30, 1, 2}), QString());
    EXPECT_EQ(doc.wiring().count(), 0);
    EXPECT_FALSE(doc.wiring().isWired(1, 1));
}

TEST_F(NewGrid, CopiesTheOldCurrentFrameOnlyWhenTheSizeIsUnchanged)
{
    ASSERT_EQ(createNewDocument(doc, NewGridValues{2, 2, 20, 20, 1, 2}), QString());
    std::fill(doc.currentFrame()->pixels().begin(), doc.currentFrame()->pixels().end(), 0x112233u);
    doc.setNewFrameCopiesCurrent(true);
    ASSERT_EQ(createNewDocument(doc, NewGridValues{2, 2, 20, 20, 1, 2}), QString());
    EXPECT_EQ((*doc.currentFrame())[3], 0x112233u);
    ASSERT_EQ(createNewDocument(doc, NewGridValues{3, 2, 20, 20, 1, 2}), QString());
    EXPECT_EQ(doc.currentFrame()->size(), 6u);
    EXPECT_EQ((*doc.currentFrame())[5], 0u);
}

} // namespace
