#include "settings/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>

namespace {

QMutex g_lock;
QString g_override;

QString executableFolder()
{
    {
        QMutexLocker locker(&g_lock);
        if (!g_override.isEmpty())
            return g_override;
    }
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // The command-line tool and the tests may run before (or without) an
    // application object.
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

} // namespace

void setProgramFolderOverride(const QString &folder)
{
    QMutexLocker locker(&g_lock);
    g_override = folder;
}

QString settingsFolder()
{
    const QString exe = executableFolder();
    // A portable copy or a build tree keeps its settings beside the program;
    // an installed program in a read-only folder keeps them per user.
    if (QFileInfo::exists(QDir(exe).filePath(QStringLiteral("Brightloom.ini"))) || QFileInfo(exe).isWritable())
        return exe;
    const QString perUser =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Brightloom");
    QDir().mkpath(perUser);
    return perUser;
}

QString settingsFilePath()
{
    return QDir(settingsFolder()).filePath(QStringLiteral("Brightloom.ini"));
}

QString programFilePath(const QString &name)
{
    const QString besideProgram = QDir(executableFolder()).filePath(name);
    if (QFileInfo::exists(besideProgram))
        return besideProgram;
    return QDir(QStringLiteral(BRIGHTLOOM_DATA_DIR)).filePath(name);
}
