#pragma once
// File > New, Open, Save and Save As, the recent files, a file named on the
// command line or dropped on the window, and the "save changes?" question
// before the document is replaced or the window closes.
//
// Every step that replaces the frames stops playback first.

#include <QObject>
#include <QString>
#include <functional>

struct AppContext;
class NewGridDialog;
class PlaybackController;
class RecentFiles;

class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    DocumentCommands(AppContext &ctx, PlaybackController &playback, RecentFiles &recent,
                     QObject *parent = nullptr);

    // File > New: the new-grid dialog; true when a new document was made.
    bool newDocument();
    // File > Open with the file dialog.
    bool openWithDialog();
    // Opens a project (recent file, command line, drop). A file that cannot
    // be read is reported and the open document stays as it was.
    // `offerWiringBeside`: X.line beside X.wst is offered once it opened.
    bool openFile(const QString &path, bool askToSaveFirst = true, bool offerWiringBeside = true);
    bool save();
    bool saveAs();
    // Asks whether to save a modified document, then whether to save a
    // wiring with unsaved changes as a ".line" file (the wiring is not part
    // of the project file); false when the user cancelled (or saving
    // failed) and the step must not go on.
    bool maybeSave();
    // The wiring's Save As: a ".line" file, suggested beside the project
    // under its name. False when cancelled or not written.
    bool saveWiring();

    // "NewFile" or the file's name, as the window title shows it.
    QString documentName() const;

    // Runs the new-grid dialog; returns whether it was confirmed. The
    // default is a modal exec(); tests drive the dialog's widgets instead.
    std::function<bool(NewGridDialog &)> runNewGridDialog;
    // Frame-load progress for the status bar (0..49, then 0 at the end).
    std::function<void(int)> loadProgress;

signals:
    // New or Open put a document in place: the window shows the full menu,
    // its bars and the canvas at actual size.
    void documentReady();
    // The name or the file of the document changed.
    void titleChanged();

private:
    bool maybeSaveWiring();
    // After X.wst opened: X.line beside it is offered (or loaded at once
    // when the user chose "always").
    void offerWiringBeside(const QString &projectPath);

    AppContext &m_ctx;
    PlaybackController &m_playback;
    RecentFiles &m_recent;
};
