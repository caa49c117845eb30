#pragma once

#include <QString>
#include <QStringList>

// What a path names on disk. Paths are the lossless form of LocalPath, so
// names that are not valid UTF-8 are found as well.
enum class PathKind { Missing, Folder, File };
PathKind pathKind(const QString &path);

// path made absolute against the current folder and cleaned of "." and "..".
QString absolutePath(const QString &path);

// The picture files of the sources, in the order given: a folder contributes
// what a scan of it finds (extension list, sub-folders on request, file-system
// order), a file itself. Runs the scans one after the other and needs a
// running application object, whose thread receives the scanners' hand-overs.
// A scan leaves out the paths in outputs, so that an earlier run's sheet in a
// source folder does not become a thumbnail of the next one.
QStringList collectPictureFiles(const QStringList &sources, const QString &extensions, bool subFolders,
                                const QStringList &outputs);
