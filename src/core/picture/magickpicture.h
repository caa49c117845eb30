#pragma once

#include "picture/picture.h"

// A picture GraphicsMagick has already decoded: raster, icon or metafile.
class MagickPicture : public Picture
{
public:
    MagickPicture(PictureKind kind, QImage image) : m_kind(kind), m_image(std::move(image)) {}

    PictureKind kind() const override { return m_kind; }
    QSize size() const override { return m_image.size(); }
    QImage toImage() override { return m_image; }

private:
    PictureKind m_kind;
    QImage m_image;
};
