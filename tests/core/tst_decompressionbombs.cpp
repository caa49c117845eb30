// Files whose header claims far more pixels than their bytes could hold. Each
// must be refused with a reason before the readers allocate for that claim.
#include "error.h"
#include "picture/jpegcodec.h"
#include "picture/magickreader.h"

#include "samplepictures.h"

#include <QTest>

namespace {

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void pngChunk(QByteArray &out, const char *type, const QByteArray &data)
{
    SamplePictures::be32(out, quint32(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    out += typed;
    SamplePictures::be32(out, crc32(typed));
}

// A valid PNG header of width x height RGB pixels, then a few rows of data.
QByteArray pngBomb(quint32 width, quint32 height)
{
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    SamplePictures::be32(header, width);
    SamplePictures::be32(header, height);
    header += QByteArray("\x08\x02\x00\x00\x00", 5);
    pngChunk(out, "IHDR", header);
    pngChunk(out, "IDAT", qCompress(QByteArray(64 * 1024, '\0')).mid(4));
    pngChunk(out, "IEND", {});
    return out;
}

// A GIF whose screen and only image are width x height.
QByteArray gifBomb(int width, int height)
{
    QByteArray out("GIF89a", 6);
    SamplePictures::le16(out, width);
    SamplePictures::le16(out, height);
    out += QByteArray("\x00\x00\x00", 3);
    out += char(0x2c);
    SamplePictures::le16(out, 0);
    SamplePictures::le16(out, 0);
    SamplePictures::le16(out, width);
    SamplePictures::le16(out, height);
    out += char(0);
    out += QByteArray("\x08\x02\x00\x01\x00\x3b", 6);
    return out;
}

// A BMP header of width x height 24-bit pixels and no pixel data.
QByteArray bmpBomb(int width, int height)
{
    QByteArray out("BM", 2);
    SamplePictures::le32(out, 54);
    SamplePictures::le32(out, 0);
    SamplePictures::le32(out, 54);
    SamplePictures::le32(out, 40);
    SamplePictures::le32(out, quint32(width));
    SamplePictures::le32(out, quint32(height));
    SamplePictures::le16(out, 1);
    SamplePictures::le16(out, 24);
    for (int i = 0; i < 6; ++i)
        SamplePictures::le32(out, 0);
    return out;
}

// jpeg with the size in its frame header replaced.
QByteArray resized(QByteArray jpeg, int width, int height)
{
    qsizetype sof = jpeg.indexOf("\xff\xc2");
    if (sof < 0)
        sof = jpeg.indexOf("\xff\xc0");
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xff);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xff);
    return jpeg;
}

QByteArray progressiveSample()
{
    QFile file(QStringLiteral(PICTOLOOM_TEST_DATA "/progressive-halves-16x12.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The first scan of a progressive file repeated count times: a few bytes each,
// a full pass over the picture each.
QByteArray withRepeatedScan(const QByteArray &progressive, int count)
{
    const qsizetype sos = progressive.indexOf("\xff\xda");
    const qsizetype next = progressive.indexOf("\xff\xda", sos + 2);
    const QByteArray scan = progressive.mid(sos, next - sos);
    return progressive.left(sos) + scan.repeated(count) + progressive.mid(sos);
}

} // namespace

class TestDecompressionBombs : public QObject
{
    Q_OBJECT

private slots:
    void jpegRefusedBeforeDecoding_data();
    void jpegRefusedBeforeDecoding();
    void magickRefusedBeforeDecoding_data();
    void magickRefusedBeforeDecoding();
};

void TestDecompressionBombs::jpegRefusedBeforeDecoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<QString>("reason");

    const QByteArray progressive = progressiveSample();
    QVERIFY(!progressive.isEmpty());
    const QByteArray baseline = SamplePictures::jpeg(SamplePictures::halves(64, 48));
    const QString tooLarge = QStringLiteral("Image too large (65000 x 65000 pixels)");
    // At 1/8 the picture would fit, but a progressive file is held whole.
    for (const int denominator : {1, 2, 4, 8})
        QTest::addRow("progressive 65000 x 65000 at 1/%d", denominator)
            << resized(progressive, 65000, 65000) << denominator << tooLarge;
    QTest::newRow("baseline 65000 x 65000 at 1/1") << resized(baseline, 65000, 65000) << 1 << tooLarge;
    QTest::newRow("progressive with 2000 scans")
        << withRepeatedScan(progressive, 2000) << 1 << QStringLiteral("Too many scans in the JPEG file");
}

void TestDecompressionBombs::jpegRefusedBeforeDecoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, denominator);
    QFETCH(QString, reason);
    try {
        JpegCodec::decode(bytes, denominator);
        QFAIL("decoded");
    } catch (const PictoloomError &error) {
        QCOMPARE(error.message(), reason);
    }
}

void TestDecompressionBombs::magickRefusedBeforeDecoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("coder");
    QTest::addColumn<QString>("reason");

    const QString limit = QStringLiteral("limit");
    QTest::newRow("png 60000 x 60000") << pngBomb(60000, 60000) << QByteArray("PNG") << limit;
    QTest::newRow("png 20000 x 20000") << pngBomb(20000, 20000) << QByteArray("PNG") << limit;
    // GraphicsMagick hands its width limit to libpng, which names the header.
    QTest::newRow("png 70000 x 1") << pngBomb(70000, 1) << QByteArray("PNG") << QStringLiteral("Invalid IHDR data");
    QTest::newRow("gif 65535 x 65535") << gifBomb(65535, 65535) << QByteArray("GIF") << limit;
    QTest::newRow("bmp 60000 x 60000") << bmpBomb(60000, 60000) << QByteArray("BMP") << limit;
}

void TestDecompressionBombs::magickRefusedBeforeDecoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, coder);
    QFETCH(QString, reason);
    try {
        MagickReader::read(bytes, coder.constData());
        QFAIL("decoded");
    } catch (const PictoloomError &error) {
        // The reason names the limit, not some damage the file does not have.
        QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(TestDecompressionBombs)
#include "tst_decompressionbombs.moc"
