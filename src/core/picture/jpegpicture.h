#pragma once

#include "picture/picture.h"

#include <QByteArray>

// A JPEG file as read: it keeps the compressed bytes (so a JPEG can be saved again
// unchanged), reports its upright full size at once, and decodes at 1/1, 1/2, 1/4
// or 1/8 of that size, whichever was chosen last.
class JpegPicture : public Picture
{
public:
    // Reads the header; throws PictoloomError when the data is not a readable JPEG.
    explicit JpegPicture(QByteArray data);

    PictureKind kind() const override { return PictureKind::Jpeg; }
    QSize size() const override;
    QImage toImage() override;

    // 1, 2, 4 or 8.
    void setScaleDenominator(int denominator);
    int scaleDenominator() const { return m_denominator; }

    const QByteArray &data() const { return m_data; }
    int orientation() const { return m_orientation; }

private:
    QByteArray m_data;
    QSize m_storedSize;
    int m_orientation = 1;
    int m_denominator = 1;
};
