#include "document/save_suggestion.h"

#include "document/document.h"

#include <QDir>
#include <QFileInfo>

QString saveSuggestion(const QString &projectPath, const QString &suffix)
{
    if (projectPath.isEmpty())
        return QString();
    const QFileInfo project(projectPath);
    // "park.v2.wst" keeps "park.v2": only the last extension is the type.
    return QDir(project.absolutePath()).filePath(project.completeBaseName() + QLatin1Char('.') + suffix);
}

QString projectPathForSaves(const Document &doc)
{
    return !doc.filePath().isEmpty() ? doc.filePath() : doc.recoveredFrom();
}

QString saveSuggestion(const Document &doc, const QString &suffix)
{
    return saveSuggestion(projectPathForSaves(doc), suffix);
}
