#include "shell/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
const QString kGroup = QStringLiteral("RecentFiles");
constexpr int kMaxShownLength = 60;
} // namespace

QString RecentFiles::defaultStorePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Brightloom/recent-files.conf");
}

RecentFiles::RecentFiles(const QString &storePath) : m_storePath(storePath)
{
    QSettings store(m_storePath, QSettings::IniFormat);
    store.beginGroup(kGroup);
    for (int i = 1; i <= kMaxEntries; ++i) {
        const QString f = store.value(QStringLiteral("File%1").arg(i)).toString();
        if (!f.isEmpty() && !m_files.contains(f))
            m_files << f;
    }
}

void RecentFiles::add(const QString &path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(full);
    m_files.prepend(full);
    while (m_files.size() > kMaxEntries)
        m_files.removeLast();
    save();
}

void RecentFiles::remove(const QString &path)
{
    if (m_files.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        save();
}

QString RecentFiles::menuText(int index) const
{
    QString shown = QDir::toNativeSeparators(m_files.value(index));
    const QString home = QDir::homePath();
    if (!home.isEmpty() && shown.startsWith(home + QLatin1Char('/')))
        shown = QLatin1Char('~') + shown.mid(home.size());
    if (shown.size() > kMaxShownLength)
        shown = QStringLiteral("...") + shown.right(kMaxShownLength - 3);
    // "&&" keeps an ampersand of the file name from becoming a mnemonic.
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

void RecentFiles::save() const
{
    QDir().mkpath(QFileInfo(m_storePath).absolutePath());
    QSettings store(m_storePath, QSettings::IniFormat);
    store.remove(kGroup);
    store.beginGroup(kGroup);
    for (int i = 0; i < m_files.size(); ++i)
        store.setValue(QStringLiteral("File%1").arg(i + 1), m_files[i]);
}
