// The wiring's own modified mark: set by the steps that change records and
// by nothing else, cleared by saving or loading a ".line" file; and the
// wiring file that belongs to a project.
#include "scripted_prompt.h"
#include "settings/language.h"
#include "wiring/wiring_document_files.h"
#include "wiring/wiring_editor.h"
#include "wiring/wiring_files.h"
#include "wiring_test_support.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class WiringModifiedTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Language::setCode(Language::English);
        ASSERT_TRUE(folder.isValid());
        doc = std::make_unique<Document>(wiringGrid(3, 4));
        editor = std::make_unique<WiringEditor>(prompt);
        editor->enterWiringMode(*doc);
    }

    void drag(QPoint from, QPoint to)
    {
        editor->press(from, {});
        editor->dragTo(to);
        editor->release(to, {});
    }
    void click(QPoint cell) { drag(cell, cell); }
    // Defines a run on port 1 and starts from a saved state.
    void wireAndForget()
    {
        drag({0, 0}, {3, 0});
        ASSERT_EQ(doc->wiring().count(), 4);
        doc->setWiringModified(false);
        doc->setModified(false);
    }
    QString path(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder;
    ScriptedPrompt prompt;
    std::unique_ptr<Document> doc;
    std::unique_ptr<WiringEditor> editor;
};

TEST_F(WiringModifiedTest, StepsThatChangeNoRecordMarkNothing)
{
    wireAndForget();
    QSignalSpy marks(doc.get(), &Document::wiringModifiedChanged);
    editor->rightPress();
    editor->chooseTool(WiringToolButton::InsertPixel);
    click({1, 0}); // remembers the pixel an insert goes after
    editor->rightPress();
    editor->chooseTool(WiringToolButton::CopySelection);
    click({0, 0});
    click({2, 0}); // the run is on the clipboard, paste mode
    EXPECT_EQ(editor->mode(), WiringEditMode::Paste);
    editor->rightPress();
    editor->chooseTool(WiringToolButton::Second2);
    editor->rightPress();
    click({40, 30}); // outside the grid
    editor->deleteButton();
    prompt.answers = {PromptAnswer::Ok};
    drag({0, 2}, {3, 2}); // a zone without records
    editor->rightPress();
    EXPECT_EQ(doc->wiring().count(), 4);
    EXPECT_FALSE(doc->isWiringModified());
    EXPECT_EQ(marks.count(), 0);
}

TEST_F(WiringModifiedTest, EveryChangeOfRecordsMarksTheWiringButNotTheProject)
{
    wireAndForget();
    // name, the step, records afterwards
    const std::vector<std::tuple<const char *, std::function<void()>, int>> steps = {
        {"define", [&] { drag({0, 1}, {1, 1}); }, 6},
        {"undo", [&] { editor->undoButton(); }, 4},
        {"move", [&] {
             editor->chooseTool(WiringToolButton::MovePixel);
             drag({3, 0}, {3, 2});
         }, 4},
        {"insert", [&] {
             editor->chooseTool(WiringToolButton::InsertPixel);
             click({0, 0});
             click({0, 2});
         }, 5},
        {"delete zone", [&] {
             editor->deleteButton();
             prompt.answers = {PromptAnswer::Ok};
             drag({0, 0}, {0, 0});
         }, 4},
        {"reset", [&] { editor->resetButton(); }, 0},
    };
    for (const auto &[name, step, count] : steps) {
        SCOPED_TRACE(name);
        doc->setWiringModified(false);
        step();
        EXPECT_EQ(doc->wiring().count(), count);
        EXPECT_TRUE(doc->isWiringModified());
        EXPECT_FALSE(doc->isModified());
    }
    // Resetting a wiring that is already empty changes nothing.
    doc->setWiringModified(false);
    editor->resetButton();
    EXPECT_FALSE(doc->isWiringModified());
}

TEST_F(WiringModifiedTest, SavingAndLoadingClearTheMarkAFailedSaveKeepsIt)
{
    drag({0, 0}, {2, 0});
    ASSERT_TRUE(doc->isWiringModified());
    // Below a regular file no folder can be made, not even by root.
    QFile plain(path("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    prompt.files = {path("plain") + QStringLiteral("/x.line")};
    editor->saveButton();
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Save file fail.\nNot a directory"));
    EXPECT_TRUE(doc->isWiringModified());

    prompt.files = {path("run")};
    editor->saveButton();
    EXPECT_TRUE(QFile::exists(path("run.line")));
    EXPECT_FALSE(doc->isWiringModified());
    // With no project file the page's own save has no name to suggest.
    EXPECT_TRUE(prompt.saveDialogNames.back().isEmpty());

    click({3, 2});
    ASSERT_TRUE(doc->isWiringModified());
    prompt.files = {path("run.line")};
    prompt.answers = {PromptAnswer::Yes}; // replace the records there are
    editor->openButton();
    EXPECT_EQ(doc->wiring().count(), 3);
    EXPECT_FALSE(doc->isWiringModified());
    EXPECT_FALSE(doc->isModified());
}

TEST_F(WiringModifiedTest, LoadingWithoutAskingReplacesOrLeavesTheWiringWhole)
{
    drag({0, 0}, {1, 0});
    ASSERT_TRUE(writeLineFile(path("four.line"), 3, 4, uint8_t(CircuitryKind::Led),
                              {wiredAt(0, 2, 1, 0), wiredAt(1, 2, 1, 1), wiredAt(2, 2, 1, 2), wiredAt(3, 2, 1, 3)}));
    ASSERT_TRUE(writeLineFile(path("other.line"), 4, 3, uint8_t(CircuitryKind::Led), {wiredAt(0, 0, 0, 0)}));

    EXPECT_FALSE(loadWiringFile(*doc, path("other.line"), prompt, false));
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral(
                                  "Rows or cols no matching or control unlikeliness, Can't use this file.")});
    EXPECT_EQ(chainWord(doc->wiring(), 0), QStringLiteral("ab"));
    EXPECT_TRUE(doc->isWiringModified());

    prompt.shown.clear();
    doc->wiring().setKind(CircuitryKind::None); // not in wiring mode
    EXPECT_TRUE(loadWiringFile(*doc, path("four.line"), prompt, false));
    EXPECT_TRUE(prompt.shown.empty()); // no "replace?" question
    EXPECT_EQ(doc->wiring().kind(), CircuitryKind::Led);
    EXPECT_EQ(chainWord(doc->wiring(), 1), QStringLiteral("ijkl"));
    EXPECT_EQ(doc->wiring().count(), 4);
    EXPECT_EQ(doc->wiring().cellColour(3, 2), portColour(1));
    EXPECT_FALSE(doc->isWiringModified());
}

TEST(WiringFileBeside, TakesTheProjectsNameInItsFolder)
{
    EXPECT_EQ(wiringFileBeside(QStringLiteral("/shows/front.wst")), QStringLiteral("/shows/front.line"));
    EXPECT_EQ(wiringFileBeside(QStringLiteral("/shows/v1.2.wst")), QStringLiteral("/shows/v1.2.line"));
    EXPECT_EQ(wiringFileBeside(QStringLiteral("/shows/plain")), QStringLiteral("/shows/plain.line"));
    EXPECT_EQ(wiringFileBeside(QString()), QStringLiteral("NewFile.line"));
}

} // namespace
