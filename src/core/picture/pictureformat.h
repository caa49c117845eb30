#pragma once

#include <QString>

// How a reader treats a kind of file: JPEG pictures decode at a chosen scale,
// icons and metafiles are drawn onto white, everything else is plain raster.
enum class PictureKind { Raster, Jpeg, Icon, Metafile };

struct PictureFormat
{
    QString extension;   // lower case, without the dot
    PictureKind kind;
    QString description; // as shown in the open dialog's filter
};
