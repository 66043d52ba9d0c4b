#include "scripted_prompt.h"
#include "settings/language.h"
#include "wiring/wiring_editor.h"
#include "wiring/wiring_files.h"
#include "wiring_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class WiringFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Language::setCode(Language::Chinese);
        ASSERT_TRUE(folder.isValid());
    }
    void TearDown() override { Language::setCode(Language::English); }

    void open(int rows, int cols)
    {
        doc = std::make_unique<Document>(wiringGrid(rows, cols));
        editor = std::make_unique<WiringEditor>(prompt);
        editor->enterWiringMode(*doc);
    }
    void drag(QPoint from, QPoint to)
    {
        editor->press(from, {});
        editor->dragTo(to);
        editor->release(to, {});
    }
    QString path(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }
    void openFile(const QString &file)
    {
        prompt.files = {file};
        editor->openButton();
    }

    QTemporaryDir folder;
    ScriptedPrompt prompt;
    std::unique_ptr<Document> doc;
    std::unique_ptr<WiringEditor> editor;
};

TEST_F(WiringFilesTest, ThreePixelsSaveAsOneHundredFiftyThreeBytes)
{
    open(24, 40);
    drag({0, 0}, {2, 0});
    prompt.files = {path("three")}; // no suffix: the dialog adds ".line"
    editor->saveButton();
    const QByteArray bytes = readAll(path("three.line"));
    ASSERT_EQ(bytes.size(), 153);
    EXPECT_EQ(bytes.left(9), QByteArray::fromHex("1800" "2800" "02" "03000000"));
    EXPECT_EQ(uint8_t(bytes[9 + 48 + 28]), 1); // second record's pixel number
    EXPECT_EQ(prompt.fileDialogFilters.value(0), QStringLiteral("Line file(*.line)"));
    EXPECT_EQ(prompt.saveDialogSuffixes, QStringList{QStringLiteral("line")});
}

TEST_F(WiringFilesTest, SavingNothingOrToAnUnwritablePlaceSaysSo)
{
    open(2, 2);
    editor->saveButton();
    EXPECT_EQ(prompt.lastText(), QStringLiteral("没有线路数据!"));
    drag({0, 0}, {0, 0});
    // The system's reason follows the fixed text; a target below a
    // regular file cannot be created, not even by root.
    writeAll(path("plain"), "not a folder");
    prompt.files = {path("plain") + QStringLiteral("/x.line")};
    editor->saveButton();
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Save file fail.\nNot a directory"));
}

TEST_F(WiringFilesTest, AFileOfAnotherGridSizeIsRefusedEvenWithNoRecords)
{
    open(40, 24);
    drag({0, 0}, {1, 0});
    writeAll(path("other.line"), lineFileBytes(24, 40, 2, {}));
    openFile(path("other.line"));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("行数列数不匹配或控制器不一样,不能使用此线路文件!"));
    EXPECT_EQ(doc->wiring().count(), 2);

    writeAll(path("neon.line"), lineFileBytes(40, 24, 1, {}));
    openFile(path("neon.line"));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("行数列数不匹配或控制器不一样,不能使用此线路文件!"));
    EXPECT_EQ(doc->wiring().count(), 2);
}

TEST_F(WiringFilesTest, ReplacingAWiringAsksFirst)
{
    open(3, 3);
    drag({0, 0}, {2, 0});
    writeAll(path("empty.line"), lineFileBytes(3, 3, 2, {}));
    prompt.answers = {PromptAnswer::No};
    openFile(path("empty.line"));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("这个操作将清除现在已定义的线路数据,是否继续?"));
    EXPECT_EQ(doc->wiring().count(), 3);

    prompt.answers = {PromptAnswer::Yes};
    openFile(path("empty.line"));
    EXPECT_EQ(doc->wiring().count(), 0);
    EXPECT_EQ(editor->undoStack().count(), 0);
    EXPECT_EQ(doc->wiring().cellColour(0, 0), 0u);
}

TEST_F(WiringFilesTest, DuplicatesAndGapsComeBackExactlyAsSaved)
{
    open(3, 3);
    const std::vector<WiringPixel> odd = {wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 5), wiredAt(1, 0, 2, 0),
                                          wiredAt(2, 2, 0, 6)};
    doc->wiring().assign(odd);
    prompt.files = {path("odd.line")};
    editor->saveButton();

    open(3, 3);
    openFile(path("odd.line"));
    EXPECT_EQ(doc->wiring().pixels(), odd);
    EXPECT_EQ(doc->wiring().cellColour(2, 2), portColour(0));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(WiringFilesTest, MissingShortTruncatedAndDamagedFiles)
{
    open(3, 3);
    openFile(path("nowhere.line"));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Open file fail."));

    writeAll(path("short.line"), QByteArray::fromHex("030003000201"));
    openFile(path("short.line"));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("文件太短,不是线路文件。"));
    EXPECT_EQ(doc->wiring().count(), 0);

    // Count 3, but the file ends in the middle of the third record.
    QByteArray cut = lineFileBytes(3, 3, 2, {wiredAt(0, 0, 0, 0), wiredAt(1, 0, 0, 1), wiredAt(2, 0, 0, 2)});
    cut.chop(20);
    writeAll(path("cut.line"), cut);
    openFile(path("cut.line"));
    EXPECT_EQ(doc->wiring().count(), 2);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("文件声明有3条记录,但只有2条完整记录,已读入这些记录。"));

    // Records no grid of this size can hold are skipped and counted once.
    prompt.shown.clear();
    const std::vector<WiringPixel> mixed = {wiredAt(0, 0, 0, 0), wiredAt(3, 0, 0, 1), wiredAt(1, 1, -1, 0),
                                            wiredAt(2, 2, 0, -4), wiredAt(0, -1, 0, 2), wiredAt(1, 2, 4000, 0)};
    writeAll(path("mixed.line"), lineFileBytes(3, 3, 2, mixed));
    prompt.answers = {PromptAnswer::Yes};
    openFile(path("mixed.line"));
    ASSERT_EQ(doc->wiring().count(), 1);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("有5条记录的端口、像素号或网格点不合理,已跳过。"));
}

TEST(WiringFileReaders, NegativeOrHugeCountsKeepWhatIsThere)
{
    QByteArray negative = lineFileBytes(2, 2, 2, {wiredAt(0, 0, 0, 0)});
    negative[5] = char(0xFF), negative[6] = char(0xFF), negative[7] = char(0xFF), negative[8] = char(0xFF);
    LineReadResult r = readLineBytes(negative);
    ASSERT_TRUE(r.file);
    EXPECT_TRUE(r.file->content.records.empty());
    EXPECT_TRUE(r.file->content.incomplete());

    QByteArray huge = lineFileBytes(2, 2, 2, {wiredAt(1, 1, 0, 0)});
    huge[8] = char(0x7F);
    r = readLineBytes(huge);
    ASSERT_TRUE(r.file);
    ASSERT_EQ(r.file->content.records.size(), 1u);
    EXPECT_EQ(r.file->content.records[0], wiredAt(1, 1, 0, 0));
    EXPECT_TRUE(r.file->content.incomplete());

    const UndoReadResult u = readUndoBytes(undoFileBytes({wiredAt(1, 1, 0, 0), wiredAt(0, 1, 0, 1)}));
    ASSERT_TRUE(u.content);
    EXPECT_EQ(u.content->records.size(), 2u);
    EXPECT_FALSE(u.content->incomplete());
    EXPECT_EQ(readUndoBytes(QByteArray("\x01\x00", 2)).error, WiringFileError::TooShort);
}

TEST_F(WiringFilesTest, ThreeZoneDeletionsAndThreeUndosReadFilesTwoOneZero)
{
    open(1, 6);
    drag({0, 0}, {5, 0}); // a b c d e f
    editor->undoStack().clear();
    const std::vector<WiringPixel> before = doc->wiring().pixels();
    std::vector<std::vector<WiringPixel>> states;
    editor->deleteButton();
    for (int x : {4, 1, 0}) {
        states.push_back(doc->wiring().pixels());
        prompt.answers = {PromptAnswer::Ok};
        drag({x, 0}, {x, 0});
    }
    EXPECT_EQ(chainWord(doc->wiring(), 0), QStringLiteral("cdf"));
    ASSERT_EQ(editor->undoStack().count(), 3);
    for (int n = 0; n < 3; ++n) {
        EXPECT_TRUE(editor->undoStack().entry(2 - n).isFile());
        EXPECT_EQ(editor->undoStack().entry(2 - n).fileNumber(), n);
        EXPECT_TRUE(QFile::exists(editor->undoStack().filePath(n)));
    }
    for (int n = 2; n >= 0; --n) {
        editor->undoButton();
        EXPECT_EQ(doc->wiring().pixels(), states[size_t(n)]) << "undo file " << n;
    }
    EXPECT_EQ(doc->wiring().pixels(), before);
    EXPECT_EQ(doc->wiring().cellColour(4, 0), portColour(0));
}

TEST_F(WiringFilesTest, UndoFilesLiveInAPrivateFolderThatGoesWithTheStack)
{
    QString file;
    {
        WiringUndoStack stack;
        ASSERT_TRUE(stack.pushSnapshot({wiredAt(0, 0, 0, 0)}));
        file = stack.filePath(0);
        EXPECT_TRUE(file.endsWith(QStringLiteral("/Design0.undo")));
        EXPECT_NE(QFileInfo(file).absolutePath(), QDir(QDir::tempPath()).absolutePath());
        EXPECT_TRUE(QFile::exists(file));
    }
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(file).absolutePath()));
}

TEST_F(WiringFilesTest, ADamagedUndoFileLeavesTheWiringAndSaysSo)
{
    open(1, 4);
    drag({0, 0}, {3, 0});
    editor->undoStack().clear();
    editor->deleteButton();
    prompt.answers = {PromptAnswer::Ok};
    drag({1, 0}, {1, 0});
    const std::vector<WiringPixel> after = doc->wiring().pixels();
    QByteArray bytes = readAll(editor->undoStack().filePath(0));
    bytes.chop(1);
    writeAll(editor->undoStack().filePath(0), bytes);
    editor->undoButton();
    EXPECT_EQ(prompt.lastText(), QStringLiteral("撤消文件丢失或已损坏,线路保持不变。"));
    EXPECT_EQ(doc->wiring().pixels(), after);
    EXPECT_EQ(editor->undoStack().count(), 0);
}

TEST_F(WiringFilesTest, AZoneDeletionWithoutASnapshotAsksBeforeDeleting)
{
    open(1, 4);
    drag({0, 0}, {3, 0});
    editor->undoStack().clear();
    // A folder where the snapshot file should go makes the write fail.
    ASSERT_TRUE(QDir().mkpath(editor->undoStack().filePath(0)));
    editor->deleteButton();
    prompt.answers = {PromptAnswer::Ok, PromptAnswer::No};
    drag({1, 0}, {1, 0});
    EXPECT_EQ(prompt.lastText(), QStringLiteral("无法写入撤消文件,这次删除将不能撤消。是否仍然删除?"));
    EXPECT_EQ(doc->wiring().count(), 4);

    prompt.answers = {PromptAnswer::Ok, PromptAnswer::Yes};
    drag({1, 0}, {1, 0});
    EXPECT_EQ(doc->wiring().count(), 3);
    EXPECT_EQ(editor->undoStack().count(), 0);
}

} // namespace
