#include "picture/orientation.h"

#include <QTransform>

#include <cstring>

namespace Orientation {

namespace {

// Reads the TIFF structure inside an EXIF block with bounds checks at every step:
// the data comes straight from the file.
class TiffReader
{
public:
    TiffReader(const unsigned char *data, std::size_t length, bool bigEndian)
        : m_data(data), m_length(length), m_bigEndian(bigEndian)
    {
    }

    bool u16(std::size_t offset, unsigned &value) const
    {
        if (offset + 2 > m_length)
            return false;
        const unsigned a = m_data[offset], b = m_data[offset + 1];
        value = m_bigEndian ? (a << 8 | b) : (b << 8 | a);
        return true;
    }

    bool u32(std::size_t offset, std::size_t &value) const
    {
        unsigned hi, lo;
        if (!u16(offset, m_bigEndian ? hi : lo) || !u16(offset + 2, m_bigEndian ? lo : hi))
            return false;
        value = std::size_t(hi) << 16 | lo;
        return true;
    }

private:
    const unsigned char *m_data;
    std::size_t m_length;
    bool m_bigEndian;
};

} // namespace

int fromExifPayload(const unsigned char *data, std::size_t length)
{
    static const char signature[] = "Exif\0\0";
    if (length < 14 || std::memcmp(data, signature, 6) != 0)
        return 1;
    data += 6;
    length -= 6;
    bool bigEndian;
    if (data[0] == 'M' && data[1] == 'M')
        bigEndian = true;
    else if (data[0] == 'I' && data[1] == 'I')
        bigEndian = false;
    else
        return 1;

    const TiffReader tiff(data, length, bigEndian);
    std::size_t ifd;
    unsigned entries;
    if (!tiff.u32(4, ifd) || !tiff.u16(ifd, entries))
        return 1;
    for (unsigned i = 0; i < entries; ++i) {
        const std::size_t entry = ifd + 2 + std::size_t(i) * 12;
        unsigned tag, type, value;
        if (!tiff.u16(entry, tag))
            return 1;
        if (tag != 0x0112)
            continue;
        if (!tiff.u16(entry + 2, type) || type != 3 || !tiff.u16(entry + 8, value))
            return 1;
        return value >= 1 && value <= 8 ? int(value) : 1;
    }
    return 1;
}

QSize upright(QSize stored, int orientation)
{
    return orientation >= 5 ? stored.transposed() : stored;
}

QImage applied(const QImage &stored, int orientation)
{
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return stored.mirrored(true, true);
    case 4:
        return stored.mirrored(false, true);
    case 5:
        return stored.mirrored(true, false).transformed(QTransform().rotate(270));
    case 6:
        return stored.transformed(QTransform().rotate(90));
    case 7:
        return stored.mirrored(true, false).transformed(QTransform().rotate(90));
    case 8:
        return stored.transformed(QTransform().rotate(270));
    default:
        return stored;
    }
}

} // namespace Orientation
