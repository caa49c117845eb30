#pragma once

#include <QStringList>

class QMimeData;

// The local files that clipboard data names, in clipboard order and spelled
// as the clipboard holds them. Read from the first of these formats present:
// text/uri-list, x-special/gnome-copied-files, x-special/mate-copied-files,
// plain text starting "x-special/nautilus-clipboard". Data naming no local
// file (text, pictures, remote URLs, nothing at all) gives an empty list.
QStringList clipboardFilePaths(const QMimeData *data);
