#include "shell/document_commands.h"

#include "common/app_context.h"
#include "document/document.h"
#include "document/new_grid.h"
#include "document/project_file.h"
#include "settings/language.h"
#include "settings/prompt.h"
#include "shell/new_grid_dialog.h"
#include "shell/playback_controller.h"
#include "shell/recent_files.h"
#include "wiring/wiring_document_files.h"

#include <QFileInfo>

namespace {

QString projectFilter()
{
    return pairedText(QStringLiteral("Brightloom files (*.wst)"), QStringLiteral("Brightloom 文件 (*.wst)"))
        + QStringLiteral(";;") + pairedText(QStringLiteral("All files (*)"), QStringLiteral("所有文件 (*)"));
}

} // namespace

DocumentCommands::DocumentCommands(AppContext &ctx, PlaybackController &playback, RecentFiles &recent,
                                   QObject *parent)
    : QObject(parent), m_ctx(ctx), m_playback(playback), m_recent(recent)
{
    runNewGridDialog = [](NewGridDialog &dialog) { return dialog.exec() == QDialog::Accepted; };
}

QString DocumentCommands::documentName() const
{
    const Document &doc = m_ctx.doc;
    if (!doc.recoveredFrom().isEmpty()) {
        // What could be read of a damaged file: saved only under a name the
        // user chooses.
        const QString builtIn = QStringLiteral("%s（已恢复）");
        return formatText(LanguageText("Message", "RecoveredTitle", builtIn), builtIn,
                          {QFileInfo(doc.recoveredFrom()).fileName()});
    }
    const QString &path = doc.filePath();
    return path.isEmpty() ? QStringLiteral("NewFile") : QFileInfo(path).fileName();
}

bool DocumentCommands::maybeSave()
{
    if (m_ctx.doc.isModified()) {
        const QString builtIn = QStringLiteral("是否保存对 %s 的修改？");
        const QString question =
            formatText(lookedUpText("Message", "SaveModified", builtIn), builtIn, {documentName()});
        switch (m_ctx.prompt.ask(question, PromptButtons::YesNoCancel, PromptIcon::Warning)) {
        case PromptAnswer::Yes:
            if (!save())
                return false;
            break;
        case PromptAnswer::No:
            break;
        default:
            return false;
        }
    }
    // Asked after the project, so that a project just saved under a new
    // name gives the wiring file its name.
    return maybeSaveWiring();
}

bool DocumentCommands::maybeSaveWiring()
{
    const Document &doc = m_ctx.doc;
    // An empty wiring holds nothing to lose (and no file can hold it).
    if (!doc.isWiringModified() || doc.wiring().count() == 0)
        return true;
    const QString builtIn = QStringLiteral("%s 的线路定义有未保存的修改，是否保存为线路文件（.line）？");
    const QString question =
        formatText(lookedUpText("Message", "SaveWiringModified", builtIn), builtIn, {documentName()});
    switch (m_ctx.prompt.ask(question, PromptButtons::YesNoCancel, PromptIcon::Warning)) {
    case PromptAnswer::Yes:
        return saveWiring();
    case PromptAnswer::No:
        // The records stay in the editor, still unsaved: a later close asks
        // again rather than lose them silently.
        return true;
    default:
        return false;
    }
}

bool DocumentCommands::saveWiring()
{
    Document &doc = m_ctx.doc;
    const QString project = !doc.filePath().isEmpty() ? doc.filePath() : doc.recoveredFrom();
    const QString path =
        m_ctx.prompt.chooseSaveFile(lookedUpText("Message", "SaveWiringTitle", QStringLiteral("保存线路")),
                                    lineFileFilter(), wiringFileBeside(project), QStringLiteral("line"));
    if (path.isEmpty())
        return false;
    return saveWiringFile(doc, path, m_ctx.prompt);
}

void DocumentCommands::offerWiringBeside(const QString &projectPath)
{
    const QString linePath = wiringFileBeside(projectPath);
    if (!QFileInfo(linePath).isFile())
        return;
    AppSettings &settings = m_ctx.settings;
    if (!settings.loadWiringBesideProject) {
        const QString builtIn = QStringLiteral("项目旁有线路文件 %s，是否载入？");
        const QString question = formatText(lookedUpText("Message", "LoadWiringBeside", builtIn), builtIn,
                                             {QFileInfo(linePath).fileName()});
        bool always = false;
        const QString option = lookedUpText("Message", "LoadWiringAlways", QStringLiteral("总是载入项目旁的线路文件"));
        if (m_ctx.prompt.askWithOption(question, PromptButtons::YesNo, option, always, PromptIcon::Question)
            != PromptAnswer::Yes)
            return;
        // Kept in the settings: from now on the wiring comes without asking.
        if (always)
            settings.loadWiringBesideProject = true;
    }
    loadWiringFile(m_ctx.doc, linePath, m_ctx.prompt, false);
}

bool DocumentCommands::newDocument()
{
    m_playback.stop();
    if (!maybeSave())
        return false;
    Document &doc = m_ctx.doc;
    NewGridDialog dialog(doc.geometry(), m_ctx.prompt,
                         [&doc](const NewGridValues &v) { return createNewDocument(doc, v); }, m_ctx.window);
    // A cancelled dialog leaves frames, geometry, file name and modified
    // mark as they were.
    if (!runNewGridDialog(dialog))
        return false;
    doc.setFilePath(QString());
    doc.setModified(true);
    emit titleChanged();
    emit documentReady();
    return true;
}

bool DocumentCommands::openWithDialog()
{
    m_playback.stop();
    if (!maybeSave())
        return false;
    const QString path = m_ctx.prompt.chooseOpenFile(pairedText(QStringLiteral("Open"), QStringLiteral("打开")),
                                                     projectFilter());
    if (path.isEmpty())
        return false;
    return openFile(path, false);
}

bool DocumentCommands::openFile(const QString &path, bool askToSaveFirst, bool offerWiringBeside)
{
    m_playback.stop();
    if (askToSaveFirst && !maybeSave())
        return false;
    const bool opened = openProjectInto(m_ctx.doc, path, m_ctx.prompt, loadProgress);
    if (loadProgress)
        loadProgress(0);
    if (!opened) {
        // A recent entry whose file is gone is dropped from the list.
        if (!QFileInfo::exists(path))
            m_recent.remove(path);
        emit titleChanged();
        return false;
    }
    m_recent.add(path);
    emit titleChanged();
    emit documentReady();
    if (offerWiringBeside)
        this->offerWiringBeside(path);
    return true;
}

bool DocumentCommands::save()
{
    if (m_ctx.doc.filePath().isEmpty())
        return saveAs();
    const QString path = m_ctx.doc.filePath();
    if (!saveProjectFrom(m_ctx.doc, path, m_ctx.prompt))
        return false;
    m_recent.add(path);
    emit titleChanged();
    return true;
}

bool DocumentCommands::saveAs()
{
    const Document &doc = m_ctx.doc;
    // A recovered copy is offered a name of its own beside the damaged file,
    // never the damaged file itself.
    const QString suggested = !doc.recoveredFrom().isEmpty() ? recoveredProjectName(doc.recoveredFrom())
                              : doc.filePath().isEmpty()     ? QStringLiteral("NewFile.wst")
                                                             : doc.filePath();
    const QString path = m_ctx.prompt.chooseSaveFile(
        pairedText(QStringLiteral("Save As"), QStringLiteral("另存为")), projectFilter(), suggested, QStringLiteral("wst"));
    if (path.isEmpty())
        return false;
    if (!saveProjectFrom(m_ctx.doc, path, m_ctx.prompt))
        return false;
    m_recent.add(path);
    emit titleChanged();
    return true;
}
