#include "error.h"
#include "picture/jpegpicture.h"
#include "picture/pictureregistry.h"
#include "samplepictures.h"
#include "thumbnail/thumbnail.h"

#include <QTemporaryDir>
#include <QTest>

#include <limits>

class TestThumbnail : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString jpegFile(const QString &name, int width, int height)
    {
        const QString path = m_dir.filePath(name);
        SamplePictures::write(path, SamplePictures::jpeg(SamplePictures::halves(width, height), 80));
        return path;
    }

    QString pngFile(const QString &name, const QImage &image)
    {
        const QString path = m_dir.filePath(name);
        SamplePictures::write(path, SamplePictures::magick(image, "PNG"));
        return path;
    }

private slots:
    void mulDiv_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("result");
        QTest::newRow("photo height") << 3000 << 152 << 4000 << 114;
        QTest::newRow("half rounds up") << 1 << 1 << 2 << 1;
        QTest::newRow("negative half rounds down") << -1 << 1 << 2 << -1;
        QTest::newRow("three halves") << 3 << 1 << 2 << 2;
        QTest::newRow("below half") << 4 << 1 << 10 << 0;
        QTest::newRow("64-bit product") << 2000000000 << 3 << 4 << 1500000000;
        QTest::newRow("zero divisor") << 5 << 5 << 0 << -1;
        QTest::newRow("overflow") << std::numeric_limits<int>::max() << 4 << 1 << -1;
    }

    void mulDiv()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        QFETCH(int, result);
        QCOMPARE(MulDiv(a, b, c), result);
    }

    void fitsIntoTheSquare_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("asJpeg");
        QTest::addColumn<QSize>("thumbnail");
        QTest::addColumn<int>("denominator");
        QTest::newRow("12 MP photo") << QSize(4000, 3000) << true << QSize(152, 114) << 8;
        QTest::newRow("portrait") << QSize(600, 800) << false << QSize(114, 152) << 0;
        QTest::newRow("small is enlarged") << QSize(100, 100) << false << QSize(152, 152) << 0;
        QTest::newRow("jpeg just above the square") << QSize(300, 300) << true << QSize(152, 152) << 1;
        QTest::newRow("jpeg at a quarter") << QSize(640, 480) << true << QSize(152, 114) << 4;
        QTest::newRow("raster with no height") << QSize(2000, 1) << false << QSize(0, 0) << 0;
    }

    void fitsIntoTheSquare()
    {
        QFETCH(QSize, picture);
        QFETCH(bool, asJpeg);
        QFETCH(QSize, thumbnail);
        QFETCH(int, denominator);
        const QString path = asJpeg ? jpegFile("fit.jpg", picture.width(), picture.height())
                                    : pngFile("fit.png", SamplePictures::halves(picture.width(), picture.height()));
        auto read = PictureRegistry::read(path);
        QImage target;
        GraphicToThumbnail(*read, target, 152);
        QCOMPARE(target.size(), thumbnail);
        if (asJpeg)
            QCOMPARE(static_cast<JpegPicture &>(*read).scaleDenominator(), denominator);
        if (!thumbnail.isEmpty()) {
            QVERIFY(target.pixelColor(2, thumbnail.height() / 2).red() > 150);
            QVERIFY(target.pixelColor(thumbnail.width() - 3, thumbnail.height() / 2).blue() > 150);
        }
    }

    void jpegWithNoFittedHeightFails()
    {
        QImage target;
        QString used;
        QVERIFY_THROWS_EXCEPTION(PictoloomError,
                                 FileToThumbnail(jpegFile("line.jpg", 2000, 1), target, 152, used, {}));
        QVERIFY(target.isNull());
    }

    void unreadableFileIsReportedAndReplaced_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown extension") << "notes.xyz" << "Unknown picture file extension (.xyz)";
        QTest::newRow("missing file") << "gone.jpg" << "No such file or directory";
    }

    void unreadableFileIsReportedAndReplaced()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        DefaultImageName = pngFile("default.png", SamplePictures::halves(50, 100));
        const QString path = m_dir.filePath(name);
        if (name.endsWith(".xyz"))
            SamplePictures::write(path, "x");
        QStringList problems;
        QImage target;
        QString used;
        FileToThumbnail(path, target, 100, used, [&](const QString &p, const QString &r) {
            problems << p + " | " + r;
        });
        QCOMPARE(problems, QStringList(path + " | " + reason));
        QCOMPARE(used, DefaultImageName);
        QCOMPARE(target.size(), QSize(50, 100));
    }

    void failingFallbackPropagatesAndKeepsThePath()
    {
        DefaultImageName = m_dir.filePath("no-default.png");
        QImage target;
        QString used;
        const QString path = m_dir.filePath("also-missing.png");
        QVERIFY_THROWS_EXCEPTION(PictoloomError, FileToThumbnail(path, target, 100, used, {}));
        QCOMPARE(used, path);
        QVERIFY(target.isNull());
    }

    void copyAsJpeg_data()
    {
        QTest::addColumn<QSize>("source");
        QTest::addColumn<bool>("shrink");
        QTest::addColumn<int>("maxSide");
        QTest::addColumn<QString>("destinationName");
        QTest::addColumn<QSize>("written");
        QTest::newRow("shrunk to 800") << QSize(1024, 768) << true << 800 << "a.jpg" << QSize(800, 600);
        QTest::newRow("portrait shrunk") << QSize(768, 1024) << true << 800 << "b.jpg" << QSize(600, 800);
        QTest::newRow("small stays") << QSize(640, 480) << true << 800 << "c.jpg" << QSize(640, 480);
        QTest::newRow("no maximum") << QSize(640, 480) << true << 0 << "d.jpg" << QSize(640, 480);
        QTest::newRow("no shrink") << QSize(1024, 768) << false << 0 << "e.jpg" << QSize(1024, 768);
        QTest::newRow("png name holds jpeg") << QSize(300, 200) << true << 800 << "f.png" << QSize(300, 200);
    }

    void copyAsJpeg()
    {
        QFETCH(QSize, source);
        QFETCH(bool, shrink);
        QFETCH(int, maxSide);
        QFETCH(QString, destinationName);
        QFETCH(QSize, written);
        const QString from = pngFile("source.png", SamplePictures::halves(source.width(), source.height()));
        QDir(m_dir.path()).mkpath("copies");
        const QString to = m_dir.filePath("copies/" + destinationName);
        CopyAsJpeg(from, to, maxSide, shrink);
        QFile file(to);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xff\xd8\xff"));
        const QImage copy = JpegPicture(bytes).toImage();
        QCOMPARE(copy.size(), written);
        QVERIFY(copy.pixelColor(3, written.height() / 2).red() > 150);
    }

    void copyAsJpegNeverOverwritesItsSource()
    {
        const QString path = pngFile("precious.png", SamplePictures::halves(20, 20));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QVERIFY_THROWS_EXCEPTION(PictoloomError, CopyAsJpeg(path, path, 0, false));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void copyToAMissingFolderFails()
    {
        const QString from = jpegFile("ok.jpg", 40, 30);
        QVERIFY_THROWS_EXCEPTION(PictoloomError, CopyAsJpeg(from, m_dir.filePath("nowhere/ok.jpg"), 800, true));
    }

    void iconsAndMetafilesAreDrawnOnWhite()
    {
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                icon.setPixel(x, y, qRgb(0, 0, 255));
        const QString iconPath = m_dir.filePath("transparent.ico");
        SamplePictures::write(iconPath, SamplePictures::qtEncoded(icon, "ICO"));
        const QString metafilePath = m_dir.filePath("drawing.wmf");
        SamplePictures::write(metafilePath, SamplePictures::windowsMetafile(40, 40));

        for (const QString &path : {iconPath, metafilePath}) {
            QImage target;
            QString used;
            FileToThumbnail(path, target, 80, used, {});
            QCOMPARE(target.size(), QSize(80, 80));
            QCOMPARE(target.pixelColor(70, 70), QColor(Qt::white));
        }
        QVERIFY(LoadBitmap(iconPath).pixelColor(2, 2).blue() > 200);
    }

    void loadBitmapAndDimensions()
    {
        const QString path = m_dir.filePath("turned.jpg");
        SamplePictures::write(path, SamplePictures::withOrientation(SamplePictures::jpeg(SamplePictures::halves(60, 20)), 6));
        QCOMPARE(ReadImageDimensions(path), QSize(20, 60));
        QCOMPARE(LoadBitmap(path).size(), QSize(20, 60));
        QVERIFY(LoadBitmap(m_dir.filePath("missing.png")).isNull());
        QVERIFY_THROWS_EXCEPTION(PictoloomError, ReadImageDimensions(m_dir.filePath("missing.png")));
    }

    void smoothStretchAveragesCoveredPixels()
    {
        QImage stripes(8, 2, QImage::Format_RGB32);
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 2; ++y)
                stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        QImage target(2, 1, QImage::Format_RGB32);
        SmoothStretch(stripes, target);
        QCOMPARE(target.size(), QSize(2, 1));
        QVERIFY(qAbs(target.pixelColor(0, 0).red() - 128) < 20);
    }
};

QTEST_GUILESS_MAIN(TestThumbnail)
#include "tst_thumbnail.moc"
