#pragma once
// The four most recently opened or saved projects, newest first, kept in a
// settings file of the user's configuration folder so that every copy of
// the program shares them.

#include <QString>
#include <QStringList>

class RecentFiles
{
public:
    static constexpr int kMaxEntries = 4;

    // Where the list is kept when nothing else is said:
    // $XDG_CONFIG_HOME/Brightloom/recent-files.conf.
    static QString defaultStorePath();

    explicit RecentFiles(const QString &storePath);

    const QStringList &files() const { return m_files; }
    // Moves the file to the top (adding it when new) and drops the oldest
    // beyond four.
    void add(const QString &path);
    void remove(const QString &path);

    // The menu text of entry `index`: "&1 name", long paths shortened in
    // the middle.
    QString menuText(int index) const;

private:
    void save() const;

    QString m_storePath;
    QStringList m_files;
};
