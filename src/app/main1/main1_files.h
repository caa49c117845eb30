#pragma once

#include <QCursor>
#include <QString>

class QWidget;

// The cursor that was in force when the first of the scans now running started;
// it comes back when the last of them ends.
extern QCursor SavedCursor;

// The folder picker, captioned "Select source folder" for both folder buttons:
// the chosen folder with a trailing "/", or empty when the user cancels.
QString PickFolder(QWidget *parent = nullptr);

// The extension list a scan tests names against: for "*" the masks of every
// readable picture type ("*.bmp;*.jpg;..."), otherwise the text as typed.
QString ScanExtensionList(const QString &typed);

// Whether path names an existing folder (a link to one counts). The path keeps
// the bytes of names that are not UTF-8 (see LocalPath).
bool IsExistingFolder(const QString &path);
