#include "compose/copynames.h"
#include "compose/indexcomposer.h"
#include "compose/sheetlayout.h"
#include "picture/jpegpicture.h"
#include "samplepictures.h"

#include <QTemporaryDir>
#include <QTest>

class TestIndexComposer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_photo;   // 4000 x 3000
    QString m_small;   // 400 x 300
    QString m_default; // 100 x 100

    QString jpegFile(const QString &name, int width, int height)
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        SamplePictures::write(path, SamplePictures::jpeg(SamplePictures::halves(width, height), 80));
        return path;
    }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    SheetOptions defaults() const
    {
        SheetOptions options;
        options.headerFont = QFont("Lucida Sans", 18);
        options.windowFont = QFont("Lucida Sans");
        options.windowFont.setPixelSize(13);
        options.backColor = QColor(10, 200, 30);
        options.defaultImage = m_default;
        return options;
    }

    static bool anyPixel(const QImage &image, QRect area, const std::function<bool(QColor)> &test)
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (test(image.pixelColor(x, y)))
                    return true;
        return false;
    }

private slots:
    void initTestCase()
    {
        m_photo = jpegFile("photo.jpg", 4000, 3000);
        m_small = jpegFile("small.jpg", 400, 300);
        m_default = jpegFile("default.jpg", 100, 100);
        DefaultImageName = m_default;
    }

    void layout_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("sides");
        QTest::addColumn<int>("spacer");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("height");
        QTest::addColumn<QPoint>("lastCell");
        QTest::newRow("defaults, 20 files") << 1500 << 8 << 200 << 10 << 0 << 20 << 137 << 3 << 491 << QPoint(200 + 137 * 7, 40 + 137 * 2);
        QTest::newRow("with the header band") << 1500 << 8 << 200 << 10 << 48 << 20 << 137 << 3 << 539 << QPoint(1159, 88 + 274);
        QTest::newRow("9 files in 8 columns") << 1500 << 8 << 200 << 10 << 0 << 9 << 137 << 2 << 354 << QPoint(1159, 177);
        QTest::newRow("spare pixels at the right") << 1000 << 3 << 1 << 10 << 0 << 3 << 332 << 1 << 412 << QPoint(665, 40);
        QTest::newRow("no room") << 100 << 8 << 200 << 10 << 0 << 1 << -38 << 1 << 42 << QPoint(200 - 38 * 7, 40);
    }

    void layout()
    {
        QFETCH(int, width);
        QFETCH(int, columns);
        QFETCH(int, sides);
        QFETCH(int, spacer);
        QFETCH(int, band);
        QFETCH(int, files);
        QFETCH(int, cell);
        QFETCH(int, rows);
        QFETCH(int, height);
        QFETCH(QPoint, lastCell);
        const SheetLayout l = SheetLayout::compute(width, columns, sides, spacer, band, files);
        QCOMPARE(l.cell, cell);
        QCOMPARE(l.rows, rows);
        QCOMPARE(l.height, height);
        QCOMPARE(l.cellOrigin(rows - 1, columns - 1), lastCell);
    }

    void placement_data()
    {
        QTest::addColumn<int>("spacer");
        QTest::addColumn<QSize>("thumbnail");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("photo in the first cell") << 10 << QSize(127, 95) << QPoint(205, 61);
        QTest::newRow("odd spacer, full width") << 11 << QSize(126, 126) << QPoint(206, 46);
        QTest::newRow("empty thumbnail at the centre") << 10 << QSize(0, 0) << QPoint(268, 108);
    }

    void placement()
    {
        QFETCH(int, spacer);
        QFETCH(QSize, thumbnail);
        QFETCH(QPoint, at);
        const SheetLayout l = SheetLayout::compute(1500, 8, 200, spacer, 0, 20);
        QCOMPARE(l.placement(0, 0, thumbnail), at);
        // The odd spacer's thumbnail ends five pixels inside its cell.
        if (spacer == 11)
            QCOMPARE(l.cellOrigin(0, 1).x() - (at.x() + thumbnail.width()), 5);
    }

    void headerFontEmHeight()
    {
        QCOMPARE(EmHeight(QFont("Lucida Sans", 18)), 24);
        QCOMPARE(EmHeight(defaults().windowFont), 13);
    }

    void composesTheSheet()
    {
        QStringList files{m_photo};
        for (int i = 1; i < 20; ++i)
            files << m_small;
        SheetOptions options = defaults();
        TMapRecs records;
        QStringList statuses;
        int placed = 0;
        ComposeCallbacks callbacks;
        callbacks.status = [&](const QString &s) { statuses << s; };
        callbacks.thumbnailPlaced = [&] { ++placed; };
        callbacks.footerSettings = [] { return FooterSettings{200, "/photos"}; };
        const ComposeResult result = ComposeIndex(files, options, records, callbacks);

        QVERIFY(result.error.isEmpty());
        QVERIFY(!result.stopped);
        QCOMPARE(result.sheet.size(), QSize(1500, 491));
        QCOMPARE(records.size(), 20);
        QCOMPARE(placed, 20);
        QCOMPARE(statuses.last(), m_small);
        const TMapRec &first = records.first();
        QCOMPARE(QRect(first.Left, first.Top, first.Width, first.Height), QRect(205, 61, 127, 95));
        QCOMPARE(first.FileName, m_photo);
        QCOMPARE(QSize(first.PopupWidth, first.PopupHeight), QSize(4020, 3020));

        const QImage &sheet = result.sheet;
        QCOMPARE(sheet.pixelColor(10, 10), QColor(10, 200, 30));
        QCOMPARE(sheet.pixelColor(205, 61), QColor(128, 128, 128));
        QCOMPARE(sheet.pixelColor(205 + 126, 61 + 94), QColor(128, 128, 128));
        QVERIFY(sheet.pixelColor(206, 62) != QColor(128, 128, 128));
        // The number "1" with its top-left at (5, 77) inside the thumbnail.
        QVERIFY(anyPixel(sheet, QRect(205 + 5, 61 + 77, 10, 13), [](QColor c) { return c == Qt::white; }));
        QVERIFY(!anyPixel(sheet, QRect(205 + 30, 61 + 77, 10, 13), [](QColor c) { return c == Qt::white; }));
        // The footer at (200, H - 20), drawn in black.
        QVERIFY(anyPixel(sheet, QRect(200, 471, 150, 13), [](QColor c) { return c.value() < 60; }));
        QVERIFY(!anyPixel(sheet, QRect(0, 471, 190, 13), [](QColor c) { return c.value() < 60; }));
    }

    void headerIsCentredBelowItsMargin()
    {
        SheetOptions options = defaults();
        options.header = "HHHH";
        TMapRecs records;
        const ComposeResult result = ComposeIndex({m_small}, options, records, {});
        QCOMPARE(result.sheet.height(), 137 + 80 + 48);
        QCOMPARE(records.first().Top, 88 + 10 + (117 - 95) / 2);
        const auto dark = [](QColor c) { return c.value() < 60; };
        QVERIFY(anyPixel(result.sheet, QRect(700, 24, 100, 24), dark));
        QVERIFY(!anyPixel(result.sheet, QRect(0, 0, 1500, 24), dark));
        QVERIFY(!anyPixel(result.sheet, QRect(0, 24, 600, 24), dark));
    }

    void ninthFileEndsTheRun()
    {
        TMapRecs records;
        const ComposeResult result = ComposeIndex(QStringList(9, m_small), defaults(), records, {});
        QCOMPARE(result.sheet.height(), 354);
        QCOMPARE(records.size(), 9);
        QCOMPARE(QPoint(records.last().Left, records.last().Top), QPoint(205, 40 + 137 + 21));
        QCOMPARE(result.sheet.pixelColor(200 + 137 + 60, 177 + 60), QColor(10, 200, 30));
    }

    void stop_data()
    {
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<bool>("abortedMessage");
        QTest::addColumn<int>("written");
        QTest::newRow("during the first row") << 3 << true << 8;
        QTest::newRow("during the last row") << 17 << false << 20;
    }

    void stop()
    {
        QFETCH(int, stopAfter);
        QFETCH(bool, abortedMessage);
        QFETCH(int, written);
        const TMapRec earlier{1, 2, 3, 4, "earlier", 5, 6};
        TMapRecs records(20, earlier);
        int placed = 0, aborted = 0;
        ComposeCallbacks callbacks;
        callbacks.thumbnailPlaced = [&] { ++placed; };
        callbacks.stopRequested = [&] { return placed >= stopAfter; };
        callbacks.aborted = [&] { ++aborted; };
        const ComposeResult result = ComposeIndex(QStringList(20, m_small), defaults(), records, callbacks);
        QVERIFY(result.stopped);
        QVERIFY(result.sheet.isNull());
        QCOMPARE(aborted, abortedMessage ? 1 : 0);
        QCOMPARE(placed, written);
        for (int i = 0; i < 20; ++i)
            QCOMPARE(records[i] == earlier, i >= written);
    }

    void popupSizes_data()
    {
        QTest::addColumn<bool>("autoDisplay");
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QSize>("popup");
        QTest::newRow("the image's own size") << true << false << QSize(1044, 788);
        QTest::newRow("the shrunk copy's size") << true << true << QSize(820, 620);
        QTest::newRow("fixed size") << false << false << QSize(640, 480);
    }

    void popupSizes()
    {
        QFETCH(bool, autoDisplay);
        QFETCH(bool, copy);
        QFETCH(QSize, popup);
        const QString source = jpegFile("sized/screen.jpg", 1024, 768);
        const QString copies = m_dir.filePath("sized-copies");
        QDir().mkpath(copies);
        ComposeCallbacks callbacks;
        callbacks.thumbnailSettings = [&] {
            ThumbnailSettings s;
            s.autoDisplay = autoDisplay;
            s.popWidth = 640;
            s.popHeight = 480;
            s.copyFiles = copy;
            s.saveFolder = copies; // typed without a trailing separator
            s.doResize = true;
            s.imageSize = 800;
            return s;
        };
        TMapRecs records;
        ComposeIndex({source}, defaults(), records, callbacks);
        QCOMPARE(QSize(records[0].PopupWidth, records[0].PopupHeight), popup);
        QCOMPARE(records[0].FileName, copy ? copies + "/screen.jpg" : source);
    }

    void copiesNeverOverwriteEachOtherOrTheSources()
    {
        const QString a = jpegFile("trip/day1/img.jpg", 300, 200);
        const QString b = jpegFile("trip/day2/img.jpg", 200, 300);
        const QByteArray before = contents(a);
        const QString folder = QFileInfo(a).absolutePath(); // the first source's own folder
        ComposeCallbacks callbacks;
        callbacks.thumbnailSettings = [&] {
            ThumbnailSettings s;
            s.copyFiles = true;
            s.saveFolder = folder + "/";
            return s;
        };
        TMapRecs records;
        const ComposeResult result = ComposeIndex({a, b, b}, defaults(), records, callbacks);
        QVERIFY(result.error.isEmpty());
        QCOMPARE(records[0].FileName, folder + "/img (2).jpg");
        QCOMPARE(records[1].FileName, folder + "/img (3).jpg");
        QCOMPARE(records[2].FileName, folder + "/img (4).jpg");
        QCOMPARE(contents(a), before);
        QCOMPARE(JpegPicture(contents(records[1].FileName)).size(), QSize(200, 300));
    }

    void numberedCopyNamesFitTheFileSystem()
    {
        const QString name = QString(251, QChar(u'y')) + ".jpg"; // 255 bytes
        CopyNamer namer({});
        QCOMPARE(namer.destinationFor("/out", name), "/out/" + name);
        const QString second = namer.destinationFor("/out", name);
        QCOMPARE(second, "/out/" + QString(247, QChar(u'y')) + " (2).jpg");
        QCOMPARE(QFileInfo(second).fileName().toUtf8().size(), 255);
    }

    void unreadableSourceIsReportedAndTheRunGoesOn()
    {
        const QString bad = m_dir.filePath("broken.jpg");
        SamplePictures::write(bad, "not a picture");
        const QString copies = m_dir.filePath("bad-copies");
        QDir().mkpath(copies);
        QStringList problems;
        ComposeCallbacks callbacks;
        callbacks.loadProblem = [&](const QString &p, const QString &) { problems << p; };
        callbacks.thumbnailSettings = [&] {
            ThumbnailSettings s;
            s.copyFiles = true;
            s.saveFolder = copies;
            return s;
        };
        TMapRecs records;
        const ComposeResult result = ComposeIndex({bad, m_small}, defaults(), records, callbacks);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(problems, QStringList{bad});
        QCOMPARE(records[0].FileName, m_default);
        QCOMPARE(QSize(records[0].Width, records[0].Height), QSize(127, 127));
        QCOMPARE(records[1].FileName, copies + "/small.jpg");
        QVERIFY(!QFile::exists(copies + "/broken.jpg"));
    }

    void unwritableDestinationStopsTheRunButKeepsTheDrawnPart()
    {
        ComposeCallbacks callbacks;
        callbacks.thumbnailSettings = [&] {
            ThumbnailSettings s;
            s.copyFiles = true;
            s.saveFolder = m_dir.filePath("no/such/folder");
            return s;
        };
        const TMapRec earlier{1, 2, 3, 4, "earlier", 5, 6};
        TMapRecs records(3, earlier);
        const ComposeResult result = ComposeIndex(QStringList(3, m_small), defaults(), records, callbacks);
        QVERIFY(result.error.startsWith("Cannot create file"));
        QCOMPARE(result.sheet.size(), QSize(1500, 217));
        QVERIFY(result.sheet.pixelColor(205, 61) == QColor(128, 128, 128));
        QCOMPARE(records[1], earlier);
    }

    void missingDefaultLeavesTheCellEmpty()
    {
        const QString bad = m_dir.filePath("gone.jpg");
        SheetOptions options = defaults();
        DefaultImageName = m_dir.filePath("no-default.jpg");
        ComposeCallbacks callbacks;
        callbacks.thumbnailSettings = [] {
            ThumbnailSettings s;
            s.autoDisplay = false;
            return s;
        };
        TMapRecs records;
        const ComposeResult result = ComposeIndex({bad, m_small}, options, records, callbacks);
        DefaultImageName = m_default;
        QVERIFY(result.error.isEmpty());
        QCOMPARE(records[0], (TMapRec{268, 108, 0, 0, bad, 800, 600}));
        QCOMPARE(records[1].FileName, m_small);
    }

    void backgroundImageIsTiledFromTheCorner_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::newRow("tiled") << true;
        QTest::newRow("unreadable gives white") << false;
    }

    void backgroundImageIsTiledFromTheCorner()
    {
        QFETCH(bool, readable);
        QImage tile(10, 10, QImage::Format_RGB32);
        tile.fill(QColor(0, 0, 255));
        tile.setPixel(0, 0, qRgb(255, 0, 0));
        const QString path = m_dir.filePath("tile.png");
        SamplePictures::write(path, readable ? SamplePictures::magick(tile, "PNG") : QByteArray("junk"));
        SheetOptions options = defaults();
        options.useBackImage = true;
        options.backImage = path;
        TMapRecs records;
        const QImage sheet = ComposeIndex({m_small}, options, records, {}).sheet;
        if (readable) {
            QCOMPARE(sheet.pixelColor(0, 0), QColor(255, 0, 0));
            QCOMPARE(sheet.pixelColor(30, 20), QColor(255, 0, 0));
            QCOMPARE(sheet.pixelColor(31, 20), QColor(0, 0, 255));
        } else {
            QCOMPARE(sheet.pixelColor(0, 0), QColor(Qt::white));
        }
    }

    void refusals_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("sides");
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("fits") << 1500 << 200 << 3000 << "";
        QTest::newRow("no room for thumbnails") << 100 << 200 << 1 << "The thumbnails have no room";
        QTest::newRow("taller than a JPEG") << 1500 << 200 << 5000 << "The index picture would be 85705 pixels high";
    }

    void refusals()
    {
        QFETCH(int, width);
        QFETCH(int, sides);
        QFETCH(int, files);
        QFETCH(QString, refusal);
        SheetOptions options = defaults();
        options.width = width;
        options.sides = sides;
        const QString text = SheetRefusal(options, files);
        QVERIFY2(refusal.isEmpty() ? text.isEmpty() : text.startsWith(refusal), qPrintable(text));
        if (files == 5000)
            QVERIFY(text.endsWith("at most 3816 files fit."));
    }
};

QTEST_MAIN(TestIndexComposer)
#include "tst_indexcomposer.moc"
