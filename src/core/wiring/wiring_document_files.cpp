#include "wiring/wiring_document_files.h"

#include "document/document.h"
#include "settings/file_access.h"
#include "settings/prompt.h"
#include "wiring/wiring_files.h"
#include "wiring/wiring_texts.h"

#include <QDir>
#include <QFileInfo>

QString lineFileFilter() { return QStringLiteral("Line file(*.line)"); }

QString wiringFileBeside(const QString &projectPath)
{
    if (projectPath.isEmpty())
        return QStringLiteral("NewFile.line");
    const QFileInfo project(projectPath);
    return project.dir().filePath(project.completeBaseName() + QStringLiteral(".line"));
}

bool saveWiringFile(Document &doc, const QString &path, Prompt &prompt)
{
    const Wiring &w = doc.wiring();
    if (w.count() == 0) {
        prompt.inform(WiringText::noLineData(), PromptIcon::Error);
        return false;
    }
    QString reason;
    if (!writeLineFile(path, w.rows(), w.cols(), uint8_t(CircuitryKind::Led), w.pixels(), &reason)) {
        prompt.inform(withSystemReason(WiringText::saveFileFail(), reason), PromptIcon::Error);
        return false;
    }
    doc.setWiringModified(false);
    return true;
}

bool loadWiringFile(Document &doc, const QString &path, Prompt &prompt, bool askBeforeReplacing)
{
    LineReadResult read = readLineFile(path);
    if (read.error == WiringFileError::CannotOpen) {
        prompt.inform(WiringText::openFileFail(), PromptIcon::Error);
        return false;
    }
    if (read.error == WiringFileError::TooShort) {
        prompt.inform(WiringText::lineFileTooShort(), PromptIcon::Error);
        return false;
    }
    Wiring &w = doc.wiring();
    LineFile &file = *read.file;
    if (file.rows != w.rows() || file.cols != w.cols() || file.kind != uint8_t(CircuitryKind::Led)) {
        prompt.inform(WiringText::lineFileMismatch(), PromptIcon::Error);
        return false;
    }
    if (askBeforeReplacing && w.count() > 0
        && prompt.ask(WiringText::replaceWiringQuestion(), PromptButtons::YesNo, PromptIcon::Question)
               != PromptAnswer::Yes)
        return false;
    const bool incomplete = file.content.incomplete();
    const int complete = int(file.content.records.size());
    std::vector<WiringPixel> records = std::move(file.content.records);
    const int dropped = dropImplausibleRecords(records, w.rows(), w.cols());
    // The kind first: the cell map takes each record's colour for it.
    w.setKind(CircuitryKind::Led);
    w.assign(std::move(records));
    doc.wiringEdited();
    // What is in the wiring now is what the file holds (less what could not
    // be used): nothing of it is unsaved.
    doc.setWiringModified(false);
    if (incomplete)
        prompt.inform(WiringText::lineFileIncomplete(file.content.declaredCount, complete), PromptIcon::Warning);
    if (dropped > 0)
        prompt.inform(WiringText::recordsSkipped(dropped), PromptIcon::Warning);
    return true;
}
