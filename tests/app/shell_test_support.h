#pragma once
// A whole editor for widget tests: settings and recent files in a temporary
// folder, the language files of the source tree, and a scripted prompt.

#include "common/command_registry.h"
#include "scripted_prompt.h"
#include "settings/language.h"
#include "shell/document_commands.h"
#include "shell/editor_application.h"
#include "shell/main_window.h"
#include "shell/new_grid_dialog.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
#include <memory>

struct TestEditor
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    std::unique_ptr<EditorApplication> app;

    TestEditor() : TestEditor([](EditorOptions &) {}) {}
    // `configure` changes the options (or writes the settings file) before
    // the editor starts.
    explicit TestEditor(const std::function<void(EditorOptions &)> &configure)
    {
        Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
        EditorOptions options;
        options.settingsPath = dir.filePath(QStringLiteral("Brightloom.ini"));
        options.recentFilesPath = dir.filePath(QStringLiteral("recent.conf"));
        options.prompt = &prompt;
        configure(options);
        app = std::make_unique<EditorApplication>(options);
    }

    MainWindow &window() { return app->window(); }
    Document &doc() { return app->document(); }
    CommandRegistry &commands() { return app->context().commands; }

    // File > New with the dialog filled in and confirmed; returns whether a
    // new document was made. `rows` etc. are typed as text.
    bool newGrid(const QString &rows, const QString &cols, const QString &cellWidth = QStringLiteral("20"),
                 const QString &cellHeight = QStringLiteral("20"))
    {
        bool confirmed = false;
        window().documents().runNewGridDialog = [&](NewGridDialog &d) {
            d.rowsEdit()->setText(rows);
            d.colsEdit()->setText(cols);
            d.cellWidthEdit()->setText(cellWidth);
            d.cellHeightEdit()->setText(cellHeight);
            d.confirmButton()->click();
            confirmed = d.result() == QDialog::Accepted;
            return confirmed;
        };
        commands().trigger(57600); // File > New
        return confirmed;
    }

    // A document of `frames` frames of a rows x cols grid, frame i filled
    // with colour i + 1, frame 0 current.
    void makeFrames(int rows, int cols, int frames)
    {
        newGrid(QString::number(rows), QString::number(cols));
        Document &d = doc();
        for (int i = 1; i < frames; ++i)
            d.insertFrameAfterCurrent(Frame(size_t(rows) * size_t(cols), ColorValue(i + 1)));
        d.goToFrame(0);
        d.storeFrame(Frame(size_t(rows) * size_t(cols), 1));
    }

    QStringList menuTitles()
    {
        QStringList titles;
        for (QAction *a : window().menuBar()->actions())
            titles << a->text();
        return titles;
    }

    QMenu *menu(int index) { return window().menuBar()->actions().value(index)->menu(); }

    // The texts of a menu's items, separators as "-", hidden items left out.
    QStringList itemTexts(int menuIndex)
    {
        QStringList texts;
        for (QAction *a : menu(menuIndex)->actions()) {
            if (!a->isVisible())
                continue;
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return texts;
    }
};
