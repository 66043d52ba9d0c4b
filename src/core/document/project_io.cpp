// The document's open and save steps: read or write the project file and
// tell the user what went wrong through the prompt.
#include "document/project_file.h"

#include "document/document.h"
#include "settings/file_access.h"
#include "settings/prompt.h"

bool openProjectInto(Document &doc, const QString &path, Prompt &prompt, const FrameLoadProgress &progress)
{
    // The file is read into new contents first: a bad file leaves the open
    // document, with any unsaved work, exactly as it was.
    ProjectReadResult result = readProjectFile(path, progress);
    if (!result.ok()) {
        prompt.inform(result.error.message(), PromptIcon::Error);
        return false;
    }
    const bool recovered = result.recovered();
    ProjectData &data = *result.data;
    const QString truncated = recovered ? truncatedMessage(data) : QString();
    {
        Document::UpdateBatch batch(doc);
        doc.replaceContents(data.geometry, std::move(data.frames));
        // A recovered copy has no file of its own yet: Save asks for one.
        doc.setFilePath(recovered ? QString() : path);
        if (recovered)
            doc.setRecoveredFrom(path);
        // Nothing has been edited since the file was read.
        doc.setModified(false);
    }
    if (!truncated.isEmpty())
        prompt.inform(truncated, PromptIcon::Warning);
    return true;
}

bool saveProjectFrom(Document &doc, const QString &path, Prompt &prompt)
{
    QString reason;
    if (!writeProjectFile(path, doc.geometry(), doc.frames(), &reason)) {
        // A fixed text in every language, then the system's reason.
        prompt.inform(withSystemReason(QStringLiteral("Save file failure!"), reason), PromptIcon::Error);
        return false;
    }
    doc.setFilePath(path);
    doc.setModified(false);
    return true;
}
