#include "error.h"
#include "picture/jpegpicture.h"
#include "picture/picture.h"
#include "picture/pictureregistry.h"
#include "samplepictures.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestPictureRegistry : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString fixture(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        SamplePictures::write(path, bytes);
        return path;
    }

    static QByteArray sampleFor(const QString &extension)
    {
        using namespace SamplePictures;
        const QImage image = halves(16, 12);
        static const QHash<QString, const char *> magickCoder = {
            {"bmp", "BMP"}, {"rle", "BMP"}, {"dib", "BMP"}, {"gif", "GIF"}, {"png", "PNG"},
            {"tif", "TIFF"}, {"tiff", "TIFF"}, {"fax", "FAX"}, {"tga", "TGA"}, {"win", "TGA"},
            {"vst", "TGA"}, {"vda", "TGA"}, {"icb", "TGA"}, {"pcx", "PCX"}, {"pcc", "PCX"},
            {"sgi", "SGI"}, {"rgb", "SGI"}, {"rgba", "SGI"}, {"bw", "SGI"}, {"ppm", "PPM"},
            {"pgm", "PGM"}, {"pbm", "PBM"}, {"pcd", "PCD"}, {"webp", "WEBP"}, {"jxl", "JXL"},
        };
        if (magickCoder.contains(extension))
            return magick(image, magickCoder.value(extension));
        if (extension == "jpg" || extension == "jpeg" || extension == "jpe" || extension == "jfif")
            return jpeg(image);
        if (extension == "ico")
            return qtEncoded(image, "ICO");
        if (extension == "wmf")
            return windowsMetafile(16, 12);
        if (extension == "cut")
            return drHalo(16, 12);
        if (extension == "rla" || extension == "rpf")
            return aliasWavefront(16, 12, qRgb(200, 30, 30));
        // No writer for these is installed: tiny committed samples.
        const QString committed = extension == "avif" ? "halves-16x12.avif" : "halves-16x12.heic";
        QFile file(QStringLiteral(PICTOLOOM_TEST_DATA "/") + committed);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private slots:
    void everyRegisteredTypeReadsASample_data()
    {
        QTest::addColumn<QString>("extension");
        for (const QString &extension : PictureRegistry::extensions())
            QTest::newRow(qPrintable(extension)) << extension;
    }

    void everyRegisteredTypeReadsASample()
    {
        QFETCH(QString, extension);
        const QString path = fixture("sample." + extension, sampleFor(extension));
        const auto picture = PictureRegistry::read(path);
        const QImage image = picture->toImage();
        QVERIFY(!image.isNull());
        QCOMPARE(image.format(), QImage::Format_RGB32);
        QCOMPARE(picture->size(), image.size());
        // Photo-CD and fax pages have fixed widths; every other sample keeps its size.
        if (extension != "pcd" && extension != "fax")
            QCOMPARE(image.size(), QSize(16, 12));
    }

    void knowsTheTableAndItsNames()
    {
        const QStringList extensions = PictureRegistry::extensions();
        for (const char *expected : {"bmp", "jpg", "jpeg", "jpe", "jfif", "png", "gif", "tif", "tiff", "ico", "wmf"})
            QVERIFY2(extensions.contains(expected), expected);
        // PostScript and scripts are never read, whatever the installed readers offer.
        for (const char *refused : {"eps", "ps", "pdf", "svg", "mvg", "msl", "txt"})
            QVERIFY2(!extensions.contains(refused), refused);
        QCOMPARE(QStringList(extensions).removeDuplicates(), 0);

        QStringList descriptions;
        for (const PictureFormat &f : PictureRegistry::formats())
            descriptions << f.description;
        for (const char *alias : {"Bitmaps", "Icons", "Metafiles", "JPEG Image File"})
            QVERIFY2(descriptions.contains(alias), alias);

        const QStringList filter = PictureRegistry::openDialogFilter().split(";;");
        QVERIFY(filter.first().startsWith("All (*.bmp *.rle *.dib *.ico *.wmf *.jpg "));
        QCOMPARE(filter.at(1), QString("Windows bitmaps (*.bmp)"));
        QCOMPARE(filter.size(), PictureRegistry::formats().size() + 1);
        QCOMPARE(PictureRegistry::jpegDialogFilter(),
                 QString("All (*.jpg *.jpeg *.jpe *.jfif);;JPG images (*.jpg);;JPEG images (*.jpeg);;"
                         "JPE images (*.jpe);;JFIF images (*.jfif);;JPEG Image File (*.jpg);;"
                         "JPEG Image File (*.jpeg)"));
        QCOMPARE(PictureRegistry::maskList().first(), QString("*.bmp"));
        QCOMPARE(PictureRegistry::maskList().size(), extensions.size());
    }

    void extensionChoosesTheReaderWithoutRegardToCase()
    {
        const QString path = fixture("UPPER.PnG", SamplePictures::magick(SamplePictures::halves(8, 4), "PNG"));
        QCOMPARE(PictureRegistry::read(path)->size(), QSize(8, 4));
        QVERIFY(PictureRegistry::isReadable("JPG"));
    }

    void badInputIsAFailureWithAReason_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");

        const QByteArray goodJpeg = SamplePictures::jpeg(SamplePictures::halves(64, 48));
        QByteArray corrupt = goodJpeg;
        for (qsizetype i = 200; i < corrupt.size() - 2; ++i)
            corrupt[i] = char(0xff);
        // A 65000 x 65000 header in front of almost no data.
        QByteArray bomb = goodJpeg;
        const qsizetype sof = bomb.indexOf("\xff\xc0");
        bomb[sof + 5] = char(0xfd); bomb[sof + 6] = char(0xe8);
        bomb[sof + 7] = char(0xfd); bomb[sof + 8] = char(0xe8);

        QTest::newRow("unknown extension") << "photo.xyz" << goodJpeg << "Unknown picture file extension (.xyz)";
        QTest::newRow("no extension") << "photo" << goodJpeg << "Unknown picture file extension (.)";
        QTest::newRow("empty file") << "empty.jpg" << QByteArray() << "The file is empty";
        QTest::newRow("truncated jpeg") << "cut.jpg" << goodJpeg.left(goodJpeg.size() / 2) << "Premature end of JPEG file";
        QTest::newRow("corrupt jpeg") << "corrupt.jpg" << corrupt << "";
        QTest::newRow("huge declared jpeg") << "bomb.jpg" << bomb << "";
        QTest::newRow("postscript named jpg") << "evil.jpg" << QByteArray("%!PS-Adobe-3.0\nshowpage\n") << "Not a JPEG file";
        QTest::newRow("svg named png") << "evil.png" << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'/>") << "";
        QTest::newRow("png named bmp") << "misnamed.bmp" << SamplePictures::magick(SamplePictures::halves(8, 4), "PNG") << "";
        QTest::newRow("text named tga") << "notes.tga" << QByteArray("hello") << "";
    }

    void badInputIsAFailureWithAReason()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = fixture(name, bytes);
        try {
            PictureRegistry::read(path)->toImage();
            QFAIL("read succeeded");
        } catch (const PictoloomError &error) {
            QVERIFY(!error.message().isEmpty());
            if (!reason.isEmpty())
                QVERIFY2(error.message().startsWith(reason), qPrintable(error.message()));
        }
    }

    void specialFilesAreRefusedWithoutBlocking_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("missing") << "missing";
    }

    void specialFilesAreRefusedWithoutBlocking()
    {
        QFETCH(QString, kind);
        const QString path = m_dir.filePath(kind + ".png");
        if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QVERIFY_THROWS_EXCEPTION(PictoloomError, PictureRegistry::read(path));
    }

    void jpegVariantsDecodeToRgb_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("cmyk") << "cmyk-halves-16x12.jpg";
        QTest::newRow("progressive") << "progressive-halves-16x12.jpg";
        QTest::newRow("greyscale") << "grey-halves-16x12.jpg";
    }

    void jpegVariantsDecodeToRgb()
    {
        QFETCH(QString, file);
        const auto picture = PictureRegistry::read(QStringLiteral(PICTOLOOM_TEST_DATA "/") + file);
        const QImage image = picture->toImage();
        QCOMPARE(image.size(), QSize(16, 12));
        const QColor left = image.pixelColor(2, 6), right = image.pixelColor(13, 6);
        if (file.startsWith("grey")) {
            QVERIFY(qAbs(left.red() - left.blue()) < 8);
        } else {
            QVERIFY2(left.red() > 150 && left.blue() < 100, qPrintable(left.name()));
            QVERIFY2(right.blue() > 150 && right.red() < 100, qPrintable(right.name()));
        }
    }

    void jpegScaledDecodeAndOrientation_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("denominator");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("redPixel");
        QTest::newRow("upright, full") << 1 << 1 << QSize(64, 32) << QPoint(8, 16);
        QTest::newRow("upright, 1/8") << 1 << 8 << QSize(8, 4) << QPoint(1, 2);
        QTest::newRow("turned right") << 6 << 1 << QSize(32, 64) << QPoint(16, 8);
        QTest::newRow("turned left, 1/2") << 8 << 2 << QSize(16, 32) << QPoint(8, 28);
        QTest::newRow("upside down") << 3 << 1 << QSize(64, 32) << QPoint(56, 16);
    }

    void jpegScaledDecodeAndOrientation()
    {
        QFETCH(int, orientation);
        QFETCH(int, denominator);
        QFETCH(QSize, size);
        QFETCH(QPoint, redPixel);
        const QByteArray bytes = SamplePictures::withOrientation(
            SamplePictures::jpeg(SamplePictures::halves(64, 32)), orientation);
        JpegPicture picture(bytes);
        QCOMPARE(picture.size(), size * denominator);
        picture.setScaleDenominator(denominator);
        const QImage image = picture.toImage();
        QCOMPARE(image.size(), size);
        QVERIFY2(image.pixelColor(redPixel).red() > 150, qPrintable(image.pixelColor(redPixel).name()));
        QCOMPARE(picture.data(), bytes);
    }

    void encodesBaselineJpegAtTheQualityAsked()
    {
        const QImage image = SamplePictures::halves(40, 30);
        const QByteArray low = JpegCodec::encode(image, 10), high = JpegCodec::encode(image, 100);
        QVERIFY(low.startsWith("\xff\xd8"));
        QVERIFY(low.contains("\xff\xc0")); // baseline frame marker
        QVERIFY(!low.contains("\xff\xc2"));
        QVERIFY(low.size() < high.size());
        QCOMPARE(JpegPicture(high).toImage().pixelColor(5, 5).red() > 200, true);
        QVERIFY_THROWS_EXCEPTION(PictoloomError, JpegCodec::encode(QImage(), 90));
    }
};

QTEST_GUILESS_MAIN(TestPictureRegistry)
#include "tst_pictureregistry.moc"
