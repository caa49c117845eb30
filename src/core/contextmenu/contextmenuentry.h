#pragma once

#include <QString>
#include <QStringList>

// The folder context-menu entry, kept as the per-user folder actions of the
// file managers under $XDG_DATA_HOME (default ~/.local/share): a KDE service
// menu, a Nautilus script, a Nemo action and a FileManager-Actions entry (Caja,
// PCManFM). They are written and removed together as one entry.

inline const QString ContextMenuEntryName = QStringLiteral("Pictoloom");
inline const QString ContextMenuCaption = QStringLiteral("Create an index with Pictoloom");

// The files of the entry, whether they exist or not. Nautilus shows a script
// under its file name, so that file is named after the caption.
QStringList contextMenuEntryFiles(const QString &entryName = ContextMenuEntryName,
                                  const QString &caption = ContextMenuCaption);

// True when any of the entry's files exists, whatever program it names.
bool ContextMenuEntryExists(const QString &entryName = ContextMenuEntryName,
                            const QString &caption = ContextMenuCaption);

// Removes the entry when it exists and returns 0; otherwise writes it for
// programPath and returns -1. A file that cannot be removed is left silently.
// When a file cannot be written, the others are still written and
// PictoloomError "Failed to set data for '%s'" names the first that failed.
int ToggleContextMenuEntry(const QString &programPath,
                           const QString &entryName = ContextMenuEntryName,
                           const QString &caption = ContextMenuCaption);
