// Runs pictoloom-sheet as a user would, on folders made here, and checks what it leaves.

#include "picture/jpegcodec.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct ToolRun
{
    int exitCode = -1;
    QString errors;
};

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    return image;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QString pageText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll().mid(2); // after the byte-order mark
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);
}

// The link texts of the page's areas, in order.
QStringList areaLinks(const QString &page)
{
    static const QRegularExpression area(QStringLiteral("<area [^>]*title=\"([^\"]*)\""));
    QStringList links;
    for (auto it = area.globalMatch(page); it.hasNext();)
        links += it.next().captured(1);
    return links;
}

QSize jpegSize(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return JpegCodec::readHeader(file.readAll()).size;
}

} // namespace

class TestSheetTool : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void exitStatus_data();
    void exitStatus();
    void sheetSize_data();
    void sheetSize();
    void pageAreasFollowTheSources_data();
    void pageAreasFollowTheSources();
    void unreadableFileIsReportedAndDrawn();
    void earlierSheetInASourceFolderIsLeftOut();
    void popupSizeAndCopies();
    void settingsFileGivesTheDefaults();
    void helpNamesEveryOption();

private:
    ToolRun runTool(const QStringList &arguments);
    QString source() const { return m_folder.filePath(QStringLiteral("source")); }
    QString output(const QString &name) const { return m_folder.filePath(QStringLiteral("out/") + name); }

    QTemporaryDir m_folder;
};

ToolRun TestSheetTool::runTool(const QStringList &arguments)
{
    QProcess process;
    // The tool must find its own way without a display or a chosen platform.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_folder.path());
    process.start(QStringLiteral(PICTOLOOM_SHEET_TOOL), arguments);
    ToolRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A fresh folder per test: 7 JPEGs of different shapes, a PNG, and a sub-folder with one JPEG.
void TestSheetTool::init()
{
    QVERIFY(m_folder.isValid());
    QDir root(m_folder.path());
    root.removeRecursively();
    QVERIFY(root.mkpath(QStringLiteral("source/sub")));
    QVERIFY(root.mkpath(QStringLiteral("out")));
    const QSize sizes[] = {{400, 300}, {300, 400}, {640, 480}, {200, 200}, {1000, 100}, {320, 240}, {123, 456}};
    for (int i = 0; i < 7; ++i)
        writeBytes(source() + QStringLiteral("/%1.jpg").arg(i + 1),
                   JpegCodec::encode(gradient(sizes[i].width(), sizes[i].height()), 90));
    QVERIFY(gradient(300, 200).save(source() + QStringLiteral("/picture.png")));
    writeBytes(source() + QStringLiteral("/sub/deep.jpg"), JpegCodec::encode(gradient(200, 100), 90));
}

void TestSheetTool::exitStatus_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("defaults") << QStringList() << "out/s.jpg" << 0 << "";
    QTest::newRow("missing output folder") << QStringList() << "out/missing/s.jpg" << 1 << "Cannot create file";
    QTest::newRow("output under a file") << QStringList() << "source/1.jpg/s.jpg" << 1 << "Cannot create file";
    QTest::newRow("output is a folder") << QStringList() << "out" << 2 << "--output";
    QTest::newRow("width too small") << QStringList{"--width", "99"} << "out/s.jpg" << 2 << "--width takes a whole number from 100 to 5000";
    QTest::newRow("width too large") << QStringList{"--width", "5001"} << "out/s.jpg" << 2 << "--width takes a whole number from 100 to 5000";
    QTest::newRow("width not a number") << QStringList{"--width", "wide"} << "out/s.jpg" << 2 << "--width";
    QTest::newRow("cols") << QStringList{"--cols", "26"} << "out/s.jpg" << 2 << "--cols takes a whole number from 1 to 25";
    QTest::newRow("space") << QStringList{"--space", "0"} << "out/s.jpg" << 2 << "--space takes a whole number from 1 to 20";
    QTest::newRow("sides") << QStringList{"--sides", "501"} << "out/s.jpg" << 2 << "--sides takes a whole number from 1 to 500";
    QTest::newRow("quality") << QStringList{"--quality", "9"} << "out/s.jpg" << 2 << "--quality takes a whole number from 10 to 100";
    QTest::newRow("popup side") << QStringList{"--popup", "99x600"} << "out/s.jpg" << 2 << "--popup takes a whole number from 100 to 2000";
    QTest::newRow("popup form") << QStringList{"--popup", "big"} << "out/s.jpg" << 2 << "--popup takes WxH";
    QTest::newRow("jobs") << QStringList{"--jobs", "0"} << "out/s.jpg" << 2 << "--jobs takes a whole number from 1 to 256";
    QTest::newRow("resize alone") << QStringList{"--resize", "800"} << "out/s.jpg" << 2 << "needs --copy-to";
    QTest::newRow("copy-to missing") << QStringList{"--copy-to", "nowhere"} << "out/s.jpg" << 2 << "--copy-to";
    QTest::newRow("colour") << QStringList{"--background-color", "red"} << "out/s.jpg" << 2 << "#RRGGBB";
    QTest::newRow("header font") << QStringList{"--header-font", "Sans,huge"} << "out/s.jpg" << 2 << "--header-font";
    QTest::newRow("default image missing") << QStringList{"--default-image", "none.jpg"} << "out/s.jpg" << 2 << "--default-image";
    QTest::newRow("unknown option") << QStringList{"--colour"} << "out/s.jpg" << 2 << "colour";
    QTest::newRow("no room for thumbnails") << QStringList{"--width", "400", "--sides", "200"} << "out/s.jpg" << 2 << "--width 400 --cols 8 --sides 200 --space 10: The thumbnails have no room";
    QTest::newRow("no files found") << QStringList{"--extensions", ".tif"} << "out/s.jpg" << 1 << "no picture files";
}

void TestSheetTool::exitStatus()
{
    QFETCH(QStringList, options);
    QFETCH(QString, sheet);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    const ToolRun run = runTool(options + QStringList{QStringLiteral("source"), QStringLiteral("-o"), sheet});
    QCOMPARE(run.exitCode, exitCode);
    if (message.isEmpty())
        QCOMPARE(run.errors, QString());
    else
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    // A failed run leaves nothing behind.
    QCOMPARE(QFileInfo::exists(m_folder.filePath(sheet)), exitCode == 0 || QFileInfo(m_folder.filePath(sheet)).isDir());
}

void TestSheetTool::sheetSize_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QSize>("size");

    // Cell (1500 - 400) / 8 = 137, one row, margins of 40 above and below.
    QTest::newRow("defaults") << QStringList() << QSize(1500, 137 + 80);
    // Cell (1000 - 200) / 3 = 266, three rows for seven files.
    QTest::newRow("three columns") << QStringList{"--width", "1000", "--cols", "3", "--sides", "100"}
                                   << QSize(1000, 3 * 266 + 80);
    QTest::newRow("one column") << QStringList{"--width", "100", "--cols", "1", "--sides", "1", "--space", "20"}
                                << QSize(100, 7 * 98 + 80);
}

void TestSheetTool::sheetSize()
{
    QFETCH(QStringList, options);
    QFETCH(QSize, size);

    const ToolRun run = runTool(options + QStringList{QStringLiteral("source"), QStringLiteral("-o"), QStringLiteral("out/s.jpg")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(jpegSize(output(QStringLiteral("s.jpg"))), size);
}

void TestSheetTool::pageAreasFollowTheSources_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("links");

    const QStringList jpegs{"../source/1.jpg", "../source/2.jpg", "../source/3.jpg", "../source/4.jpg",
                            "../source/5.jpg", "../source/6.jpg", "../source/7.jpg"};
    auto sorted = [](QStringList list) {
        list.sort();
        return list;
    };
    QTest::newRow("folder") << QStringList{"source"} << jpegs;
    QTest::newRow("every type") << QStringList{"--extensions", "*", "source"}
                                << sorted(jpegs + QStringList{"../source/picture.png"});
    QTest::newRow("sub-folders") << QStringList{"--subfolders", "source"}
                                 << sorted(jpegs + QStringList{"../source/sub/deep.jpg"});
    QTest::newRow("files in the order given")
        << QStringList{"source/3.jpg", "source/picture.png", "source/1.jpg"}
        << QStringList{"../source/3.jpg", "../source/picture.png", "../source/1.jpg"};
}

void TestSheetTool::pageAreasFollowTheSources()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, links);

    const ToolRun run = runTool(arguments + QStringList{QStringLiteral("-o"), QStringLiteral("out/s.jpg")});
    QCOMPARE(run.exitCode, 0);
    QStringList found = areaLinks(pageText(output(QStringLiteral("s_index.html"))));
    // A folder's files come in the file system's order, which no test can fix.
    if (arguments.contains(QStringLiteral("source")))
        found.sort();
    QCOMPARE(found, links);

    QCOMPARE(runTool(arguments + QStringList{"--no-map", "-o", "out/bare.jpg"}).exitCode, 0);
    QVERIFY(QFileInfo::exists(output(QStringLiteral("bare.jpg"))));
    QVERIFY(!QFileInfo::exists(output(QStringLiteral("bare_index.html"))));
}

void TestSheetTool::unreadableFileIsReportedAndDrawn()
{
    writeBytes(source() + QStringLiteral("/broken.jpg"), "not a picture");
    // As the tool names it: absolute, against the real current folder.
    const QString broken = QFileInfo(source()).canonicalFilePath() + QStringLiteral("/broken.jpg");

    const ToolRun run = runTool({QStringLiteral("source/1.jpg"), QStringLiteral("source/broken.jpg"),
                                 QStringLiteral("-o"), QStringLiteral("out/s.jpg")});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith(QStringLiteral("File loading problem: ") + broken + QStringLiteral(", ")),
             qPrintable(lines.first()));
    QVERIFY(lines.first().size() > QStringLiteral("File loading problem: , ").size() + broken.size());

    // The built-in placeholder stands in its cell and is written where its area's link leads.
    const QStringList links = areaLinks(pageText(output(QStringLiteral("s_index.html"))));
    QCOMPARE(links, (QStringList{QStringLiteral("../source/1.jpg"), QStringLiteral("s_default.jpg")}));
    QCOMPARE(jpegSize(output(QStringLiteral("s_default.jpg"))).isValid(), true);

    // Quiet: nothing but errors that end the run.
    const ToolRun quiet = runTool({QStringLiteral("--quiet"), QStringLiteral("source/broken.jpg"),
                                   QStringLiteral("-o"), QStringLiteral("out/q.jpg")});
    QCOMPARE(quiet.exitCode, 0);
    QCOMPARE(quiet.errors, QString());

    // The user's own default image is linked where it is, nothing is written beside the sheet.
    const ToolRun own = runTool({QStringLiteral("--default-image"), QStringLiteral("source/2.jpg"),
                                 QStringLiteral("source/broken.jpg"), QStringLiteral("-o"), QStringLiteral("out/own.jpg")});
    QCOMPARE(own.exitCode, 0);
    QCOMPARE(areaLinks(pageText(output(QStringLiteral("own_index.html")))), QStringList{QStringLiteral("../source/2.jpg")});
    QVERIFY(!QFileInfo::exists(output(QStringLiteral("own_default.jpg"))));
}

void TestSheetTool::earlierSheetInASourceFolderIsLeftOut()
{
    writeBytes(source() + QStringLiteral("/broken.jpg"), "not a picture");
    const QStringList arguments{QStringLiteral("source"), QStringLiteral("-o"), QStringLiteral("source/index.jpg")};
    QCOMPARE(runTool(arguments).exitCode, 0);
    QVERIFY(QFileInfo::exists(source() + QStringLiteral("/index_default.jpg")));
    QCOMPARE(runTool(arguments).exitCode, 0);
    const QStringList links = areaLinks(pageText(source() + QStringLiteral("/index_index.html")));
    QCOMPARE(links.size(), 8);
    QVERIFY(!links.contains(QStringLiteral("index.jpg")));
    QCOMPARE(links.count(QStringLiteral("index_default.jpg")), 1); // the broken file's cell
}

void TestSheetTool::popupSizeAndCopies()
{
    const QString page = output(QStringLiteral("s_index.html"));
    QCOMPARE(runTool({QStringLiteral("source/3.jpg"), QStringLiteral("-o"), QStringLiteral("out/s.jpg")}).exitCode, 0);
    // auto: the picture's own size and 20 more each way.
    QVERIFY(pageText(page).contains(QStringLiteral("NewWindow('../source/3.jpg','660','500')")));

    QCOMPARE(runTool({QStringLiteral("--popup"), QStringLiteral("300x200"), QStringLiteral("source/3.jpg"),
                      QStringLiteral("-o"), QStringLiteral("out/s.jpg")}).exitCode, 0);
    QVERIFY(pageText(page).contains(QStringLiteral("NewWindow('../source/3.jpg','300','200')")));

    QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("out/copies")));
    QCOMPARE(runTool({QStringLiteral("--copy-to"), QStringLiteral("out/copies"), QStringLiteral("--resize"),
                      QStringLiteral("320"), QStringLiteral("source/3.jpg"), QStringLiteral("-o"),
                      QStringLiteral("out/s.jpg")}).exitCode, 0);
    QCOMPARE(jpegSize(output(QStringLiteral("copies/3.jpg"))), QSize(320, 240));
    QVERIFY(pageText(page).contains(QStringLiteral("NewWindow('copies/3.jpg','340','260')")));
}

void TestSheetTool::settingsFileGivesTheDefaults()
{
    StoredSettings stored;
    stored.width = 9000; // out of the window's range: taken as its spin edit would, 5000
    stored.cols = 2;
    stored.sides = 100;
    stored.map = false;
    const QString settings = m_folder.filePath(QStringLiteral("pictoloom.dat"));
    writeStoredSettings(settings, stored);

    QCOMPARE(runTool({QStringLiteral("--settings"), settings, QStringLiteral("source/1.jpg"), QStringLiteral("-o"),
                      QStringLiteral("out/s.jpg")}).exitCode, 0);
    QCOMPARE(jpegSize(output(QStringLiteral("s.jpg"))), QSize(5000, 2400 + 80));
    QVERIFY(!QFileInfo::exists(output(QStringLiteral("s_index.html"))));

    // The options given beside it win.
    QCOMPARE(runTool({QStringLiteral("--settings"), settings, QStringLiteral("--width"), QStringLiteral("600"),
                      QStringLiteral("source/1.jpg"), QStringLiteral("-o"), QStringLiteral("out/s.jpg")}).exitCode, 0);
    QCOMPARE(jpegSize(output(QStringLiteral("s.jpg"))), QSize(600, 200 + 80));

    const ToolRun missing = runTool({QStringLiteral("--settings"), QStringLiteral("none.dat"), QStringLiteral("source"),
                                     QStringLiteral("-o"), QStringLiteral("out/s.jpg")});
    QCOMPARE(missing.exitCode, 2);
    QVERIFY(!QFileInfo::exists(m_folder.filePath(QStringLiteral("none.dat"))));
}

void TestSheetTool::helpNamesEveryOption()
{
    QProcess process;
    process.start(QStringLiteral(PICTOLOOM_SHEET_TOOL), {QStringLiteral("--help")});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    const QString help = QString::fromUtf8(process.readAllStandardOutput());
    for (const char *option : {"--output", "--width", "--cols", "--space", "--sides", "--header", "--header-font",
                               "--background-color", "--background-image", "--quality", "--no-numbers",
                               "--default-image", "--extensions", "--subfolders", "--popup", "--copy-to",
                               "--resize", "--no-map", "--settings", "--jobs", "--quiet"})
        QVERIFY2(help.contains(QString::fromLatin1(option)), option);
}

QTEST_GUILESS_MAIN(TestSheetTool)
#include "tst_sheettool.moc"
