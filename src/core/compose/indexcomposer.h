#pragma once

#include "compose/maprec.h"
#include "compose/sheetoptions.h"
#include "thumbnail/thumbnail.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

// How a run talks to whoever started it. Every callback is called on the
// thread that called ComposeIndex; none is required.
struct ComposeCallbacks
{
    std::function<ThumbnailSettings()> thumbnailSettings;
    std::function<bool()> stopRequested;
    LoadProblemHandler loadProblem;                 // may wait for the user
    std::function<void(const QString &)> status;    // the path just placed
    std::function<void()> thumbnailPlaced;          // one step of progress
    std::function<void()> idle;                     // while waiting for a decoder
    std::function<void()> aborted;                  // a stop noticed at the start of a row
    std::function<FooterSettings()> footerSettings;
};

struct ComposeResult
{
    QImage sheet;  // null when a stop was requested or no sheet could be made
    QString error; // the text of an error that ended the run early, if any
    bool stopped = false;
};

// Why a run with these options and this many files cannot start, or empty.
// Nothing has changed when this refuses.
QString SheetRefusal(const SheetOptions &options, int files);

// Composes the index sheet of files into a new picture and fills mapRecs, one
// record per file (resized to files.size(); records a stopped run does not
// reach keep their contents).
ComposeResult ComposeIndex(const QStringList &files, const SheetOptions &options, TMapRecs &mapRecs,
                           const ComposeCallbacks &callbacks);

// The footer line's text for today's date and the source folder.
QString FooterText(const QString &folder);
