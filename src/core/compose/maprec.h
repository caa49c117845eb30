#pragma once

#include <QList>
#include <QString>

#include <cstdint>

// One image-map area: a thumbnail's rectangle on the sheet, the image it opens
// and the size of the pop-up window that shows it.
struct TMapRec
{
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    QString FileName;
    int32_t PopupWidth = 0;
    int32_t PopupHeight = 0;

    friend bool operator==(const TMapRec &, const TMapRec &) = default;
};

using TMapRecs = QList<TMapRec>;
