#pragma once

#include "picture/pictureformat.h"

#include <QImage>
#include <QSize>

// A picture as read from a file. It knows its kind and its full pixel size
// before its pixels are produced.
class Picture
{
public:
    virtual ~Picture() = default;

    virtual PictureKind kind() const = 0;
    virtual QSize size() const = 0;

    // The pixels, opaque RGB in QImage::Format_RGB32 (icons and metafiles
    // already drawn on white).
    // Throws PictoloomError when the data cannot be decoded.
    virtual QImage toImage() = 0;
};
