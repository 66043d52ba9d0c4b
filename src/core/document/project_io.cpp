// The document's open and save steps: read or write the project file and
// tell the user what went wrong through the prompt.
#include "document/project_file.h"

#include "document/document.h"
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
    ProjectData &data = *result.data;
    const QString truncated = data.truncated ? truncatedMessage(data) : QString();
    {
        Document::UpdateBatch batch(doc);
        doc.replaceContents(data.geometry, std::move(data.frames));
        doc.setFilePath(path);
        // Nothing has been edited since the file was read.
        doc.setModified(false);
    }
    if (!truncated.isEmpty())
        prompt.inform(truncated, PromptIcon::Warning);
    return true;
}

bool saveProjectFrom(Document &doc, const QString &path, Prompt &prompt)
{
    if (!writeProjectFile(path, doc.geometry(), doc.frames())) {
        // A fixed text in every language.
        prompt.inform(QStringLiteral("Save file failure!"), PromptIcon::Error);
        return false;
    }
    doc.setFilePath(path);
    doc.setModified(false);
    return true;
}
