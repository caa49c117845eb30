#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole picture file. Only regular files are read: a folder, a FIFO or a
// device is refused without ever blocking on it. Throws PictoloomError with the
// system's reason.
QByteArray readPictureFile(const QString &path);
