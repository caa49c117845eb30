#pragma once

// Reading fixtures back and building the bytes of the program's own files.

#include <QByteArray>
#include <QFile>
#include <QString>

// The whole file, or nothing when it cannot be read.
inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes of a file in the program's own encoding: FF FE, then UTF-16LE.
inline QByteArray wide(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}
