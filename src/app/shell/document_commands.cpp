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
    if (!m_ctx.doc.isModified())
        return true;
    const QString builtIn = QStringLiteral("是否保存对 %s 的修改？");
    const QString question =
        formatText(lookedUpText("Message", "SaveModified", builtIn), builtIn, {documentName()});
    switch (m_ctx.prompt.ask(question, PromptButtons::YesNoCancel, PromptIcon::Warning)) {
    case PromptAnswer::Yes:
        return save();
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
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

bool DocumentCommands::openFile(const QString &path, bool askToSaveFirst)
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
