#pragma once
// Byte-exact files and built-in texts for the palette tests.

#include "qstring_print.h"
#include "settings/language.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>


inline QString writeBytes(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(folder).filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    EXPECT_EQ(f.write(bytes), bytes.size());
    return path;
}

// One 11-byte palette record written by hand, independent of the writer.
inline QByteArray paletteRecord(quint32 number, char flag, quint32 colour)
{
    QByteArray r(11, '\0');
    qToLittleEndian<quint32>(number, r.data());
    r[4] = 1;
    r[5] = 1;
    r[6] = flag;
    qToLittleEndian<quint32>(colour, r.data() + 7);
    return r;
}

class BuiltInTexts
{
public:
    explicit BuiltInTexts(int code)
    {
        Language::setFolder(m_dir.path());
        Language::setCode(code);
    }
    ~BuiltInTexts()
    {
        Language::setFolder(QString());
        Language::setCode(Language::English);
    }

private:
    QTemporaryDir m_dir;
};
