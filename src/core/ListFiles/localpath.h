#pragma once

#include <QByteArray>
#include <QString>

// File names on Linux are bytes; most are UTF-8, but not all. QFile::decodeName
// turns a stray byte into U+FFFD, after which the file can no longer be opened.
// These two functions convert without loss: each byte of an invalid sequence
// becomes the lone surrogate U+DC80..U+DCFF and is turned back into that byte.
namespace LocalPath {

// The name as the program shows and stores it.
QString fromNative(const QByteArray &bytes);

// The bytes to hand to the file system; toNative(fromNative(b)) == b for every b.
QByteArray toNative(const QString &path);

} // namespace LocalPath
