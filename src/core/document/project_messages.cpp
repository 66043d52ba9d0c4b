// The texts around project files: layout names and the messages a reader's
// result turns into.
#include "document/project_file.h"

#include "settings/language.h"

#include <QDir>
#include <QFileInfo>

QString projectFormatName(ProjectFormat f)
{
    switch (f) {
    case ProjectFormat::Wst1:
        return QStringLiteral("WST1");
    case ProjectFormat::Vissp:
        return QStringLiteral("VISSP");
    case ProjectFormat::Vissp2:
        return QStringLiteral("VISSP2");
    }
    return QString();
}

QString FileError::text() const
{
    return LanguageText(section.toUtf8().constData(), key.toUtf8().constData(), defaultText);
}

QString FileError::message() const
{
    if (detail.isEmpty())
        return text();
    return text() + QLatin1Char('\n') + detail;
}

QString truncatedMessage(const ProjectData &data)
{
    const QString builtIn = QStringLiteral("文件不完整：只读到 %d 帧（共 %d 帧）。");
    return formatText(LanguageText("Message", "FileTruncated", builtIn), builtIn,
                      {int(data.frames.size()), data.declaredFrames});
}

QString recoveredProjectName(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.completeBaseName().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(name + QStringLiteral(" (recovered).wst"));
}
