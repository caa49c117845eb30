#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// What a run reads once, when it starts.
struct SheetOptions
{
    int width = 1500;   // W
    int columns = 8;    // C
    int sides = 200;    // S
    int spacer = 10;    // P
    QString header;     // empty: no header band
    QFont headerFont;
    QColor headerColor = Qt::black;
    bool useBackImage = false;
    QString backImage;
    QColor backColor = Qt::white;
    QFont windowFont;   // numbers and footer
    QColor footerColor = Qt::black;
    QString defaultImage;
    int jobs = 0;       // decoding threads; 0 = one per core
};

// What a run reads again for every thumbnail, so edits made during a run take
// effect from the next thumbnail.
struct ThumbnailSettings
{
    bool addNumbers = true;
    bool copyFiles = false;
    QString saveFolder;
    bool doResize = false;
    int imageSize = 800;
    bool autoDisplay = true;
    int popWidth = 800;
    int popHeight = 600;
};

// What the footer reads when the run ends.
struct FooterSettings
{
    int sides = 200;
    QString folder;
};
