#pragma once
// Writes test files byte for byte, so a test states exactly what is on disk.

#include "qstring_print.h"
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>
#include <ostream>


inline QString writeTestFile(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    EXPECT_EQ(file.write(bytes), bytes.size());
    return path;
}

inline QByteArray readTestFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// GBK bytes of a few texts, so tests need no converter of their own.
inline const QByteArray kGbkSimplifiedChinese("\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4"); // 简体中文
inline const QByteArray kGbkFileFormatError("\xCE\xC4\xBC\xFE\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3"); // 文件格式错误
