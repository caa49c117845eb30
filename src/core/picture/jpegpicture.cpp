#include "picture/jpegpicture.h"

#include "picture/jpegcodec.h"
#include "picture/orientation.h"

JpegPicture::JpegPicture(QByteArray data)
    : m_data(std::move(data))
{
    const JpegCodec::Header header = JpegCodec::readHeader(m_data);
    m_storedSize = header.size;
    m_orientation = header.orientation;
}

QSize JpegPicture::size() const
{
    return Orientation::upright(m_storedSize, m_orientation);
}

void JpegPicture::setScaleDenominator(int denominator)
{
    m_denominator = denominator;
}

QImage JpegPicture::toImage()
{
    return Orientation::applied(JpegCodec::decode(m_data, m_denominator), m_orientation);
}
