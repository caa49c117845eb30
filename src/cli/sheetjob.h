#pragma once

#include "compose/sheetoptions.h"

#include <QString>
#include <QStringList>

// Everything one run of the tool does, as the command line asked for it.
struct SheetJob
{
    QStringList sources;          // folders and picture files, absolute, in the order given
    QString sheetPath;            // absolute
    QString extensions = QStringLiteral(".jpg.jpeg"); // as the scanner takes it
    bool subFolders = false;
    SheetOptions options;         // defaultImage empty: the built-in placeholder
    ThumbnailSettings thumbnails; // per-thumbnail settings, fixed for the run
    int quality = 60;
    bool writeMap = true;
    bool quiet = false;
};
