#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes as the whole file at path through a temporary file in the same
// folder renamed over it, so a failure at any step leaves what was there
// untouched. Throws PictoloomError "Cannot create file "%s". %s".
void WriteFileAtomically(const QString &path, const QByteArray &bytes);
