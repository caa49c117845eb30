#pragma once

// Pictures made at run time for the tests, in every format the readers take.

#include "picture/jpegcodec.h"
#include "picture/pictureregistry.h"

#include <QByteArray>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QString>

#include <magick/api.h>

namespace SamplePictures {

// Left half red, right half blue: orientation and stretching both show in it.
inline QImage halves(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, x < width / 2 ? qRgb(220, 20, 20) : qRgb(20, 20, 220));
    return image;
}

inline QByteArray jpeg(const QImage &image, int quality = 95)
{
    return JpegCodec::encode(image, quality);
}

// Encodes with GraphicsMagick's writer for coder ("PNG", "TGA", ...).
inline QByteArray magick(const QImage &image, const char *coder)
{
    PictureRegistry::formats(); // brings GraphicsMagick up
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray tight;
    for (int y = 0; y < rgb.height(); ++y)
        tight.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
    ExceptionInfo exception;
    GetExceptionInfo(&exception);
    Image *constituted = ConstituteImage(rgb.width(), rgb.height(), "RGB", CharPixel,
                                         tight.constData(), &exception);
    ImageInfo *info = CloneImageInfo(nullptr);
    qstrncpy(info->magick, coder, sizeof info->magick);
    qstrncpy(constituted->magick, coder, sizeof constituted->magick);
    size_t length = 0;
    void *blob = ImageToBlob(info, constituted, &length, &exception);
    QByteArray bytes(static_cast<const char *>(blob), qsizetype(length));
    MagickFree(blob);
    DestroyImageInfo(info);
    DestroyImage(constituted);
    DestroyExceptionInfo(&exception);
    return bytes;
}

inline QByteArray qtEncoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write fixture %s", qPrintable(path));
}

// A JPEG with an EXIF block whose orientation tag says how to turn it upright.
inline QByteArray withOrientation(const QByteArray &jpegBytes, int orientation)
{
    QByteArray tiff("MM\0\x2a\0\0\0\x08", 8);
    tiff += QByteArray("\0\x01", 2);                                   // one entry
    tiff += QByteArray("\x01\x12\0\x03\0\0\0\x01", 8);                 // orientation, SHORT, 1
    tiff += char(0);
    tiff += char(orientation);
    tiff += QByteArray(2, '\0');
    tiff += QByteArray(4, '\0');                                       // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xff\xe1", 2);
    const int length = int(payload.size()) + 2;
    segment += char(length >> 8);
    segment += char(length & 0xff);
    segment += payload;
    return jpegBytes.left(2) + segment + jpegBytes.mid(2);
}


// Little- and big-endian byte writers for the formats no installed writer makes.
inline void le16(QByteArray &out, int v) { out += char(v & 0xff); out += char((v >> 8) & 0xff); }
inline void le32(QByteArray &out, quint32 v) { le16(out, int(v & 0xffff)); le16(out, int(v >> 16)); }
inline void be16(QByteArray &out, int v) { out += char((v >> 8) & 0xff); out += char(v & 0xff); }
inline void be32(QByteArray &out, quint32 v) { be16(out, int(v >> 16)); be16(out, int(v & 0xffff)); }

// A placeable Windows metafile of width x height points holding one rectangle
// over its top-left quarter; the rest is empty, so it renders white there.
inline QByteArray windowsMetafile(int width, int height)
{
    QByteArray out;
    const int words[10] = {0xCDD7, 0x9AC6, 0, 0, 0, width, height, 72, 0, 0};
    int checksum = 0;
    for (int w : words)
        checksum ^= w;
    for (int w : words)
        le16(out, w);
    le16(out, checksum);
    QByteArray records;
    le32(records, 7);
    le16(records, 0x041B); // rectangle: bottom, right, top, left
    le16(records, height / 2);
    le16(records, width / 2);
    le16(records, 0);
    le16(records, 0);
    le32(records, 3);
    le16(records, 0); // end of file
    le16(out, 1);
    le16(out, 9);
    le16(out, 0x0300);
    le32(out, quint32((18 + records.size()) / 2));
    le16(out, 0);
    le32(out, 7);
    le16(out, 0);
    return out + records;
}

// A Dr. Halo picture: each row's left half grey 50, right half grey 200.
inline QByteArray drHalo(int width, int height)
{
    QByteArray out;
    le16(out, width);
    le16(out, height);
    le16(out, 0);
    for (int y = 0; y < height; ++y) {
        const QByteArray row = QByteArray() + char(0x80 | (width / 2)) + char(50)
                               + char(0x80 | (width - width / 2)) + char(char(200)) + char(0);
        le16(out, int(row.size()));
        out += row;
    }
    return out;
}

// An Alias/Wavefront picture filled with one colour.
inline QByteArray aliasWavefront(int width, int height, QRgb colour)
{
    QByteArray header;
    for (int i = 0; i < 2; ++i) {
        be16(header, 0);
        be16(header, width - 1);
        be16(header, 0);
        be16(header, height - 1);
    }
    for (int v : {1, 0, 3, 0, 0, -2}) // frame, storage, channels, matte, aux, revision
        be16(header, v);
    header += QByteArray("2.2").leftJustified(16, '\0') + QByteArray(24 * 4 + 4 + 128 + 128 + 64 + 32 + 32 + 20 + 24 + 8, '\0');
    header += QByteArray("rgb").leftJustified(32, '\0');
    header += QByteArray(2 + 12 + 32, '\0');
    for (int v : {8, 0, 8, 0, 0})
        be16(header, v);
    header += QByteArray(32 + 36 + 4, '\0');

    QByteArray row;
    for (int v : {qRed(colour), qGreen(colour), qBlue(colour)}) {
        be16(row, 2);
        row += char(width - 1); // a run of width copies
        row += char(v);
    }
    QByteArray out = header;
    const quint32 first = quint32(header.size() + 4 * height);
    for (int y = 0; y < height; ++y)
        be32(out, first + quint32(y * row.size()));
    for (int y = 0; y < height; ++y)
        out += row;
    return out;
}

} // namespace SamplePictures
