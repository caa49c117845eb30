#include "ListFiles/localpath.h"
#include "compose/maprec.h"
#include "error.h"
#include "mappage/mappage.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// The page's fixed texts, typed out independently of the writer.
const QString headEntry = QStringLiteral(
    "<!DOCTYPE html>\r<html>\r<head>\r\r<title>Created by Pictoloom</title>\r\r"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\r"
    "<script language=\"javascript\" type=\"text/javascript\">\r"
    "function NewWindow(myref,w,h){\r"
    "LeftOffset=(screen.width)?(screen.width-w)/2:100;TopOffset=(screen.height)?(screen.height-h)/2:100;\r"
    "settings='width='+w+',height='+h+',top='+TopOffset+',left='+LeftOffset+',scrollbars=no,location=no,"
    "status=no,menubar=no,toolbar=no,resizable=yes';\r"
    "return window.open(myref,'mywin',settings).focus();}\r"
    "</script>");

QString styleEntry(int halfWidth)
{
    return QStringLiteral("<style type=\"text/css\">img {position:absolute;left:50%;margin-left:-%1px;"
                          "top:-10px } </style>\r</head>\r<body>")
        .arg(halfWidth);
}

QString pictureEntry(const QString &source, int width)
{
    return QStringLiteral("<div style=\"text-align: center\"><img src=\"%1\" width=\"%2\"  alt=\"Pictoloom\" "
                          "usemap=\"#magic\" border=\"0\" /></div>")
        .arg(source)
        .arg(width);
}

QString areaEntry(const QString &coords, const QString &link, const QString &popup)
{
    return QStringLiteral("<area shape=\"rect\" coords=\"%1\" title=\"%2\" onclick=\"NewWindow('%2',%3)\"/>")
        .arg(coords, link, popup);
}

QByteArray expectedPage(const QStringList &entries)
{
    QStringEncoder toUtf16Le(QStringConverter::Utf16LE);
    QByteArray bytes("\xff\xfe", 2);
    for (const QString &entry : entries)
        bytes += toUtf16Le(entry + QStringLiteral("\r\n"));
    return bytes;
}

QStringList pageEntries(const QByteArray &bytes)
{
    QStringDecoder fromUtf16Le(QStringConverter::Utf16LE);
    QString text = fromUtf16Le(bytes.mid(2));
    if (!text.endsWith(QStringLiteral("\r\n")))
        return {};
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TMapRec record(int left, int top, int width, int height, const QString &fileName, int popupWidth,
               int popupHeight)
{
    return TMapRec{left, top, width, height, fileName, popupWidth, popupHeight};
}

} // namespace

class TestMapPage : public QObject
{
    Q_OBJECT

private slots:
    void pageBytes_data();
    void pageBytes();
    void link_data();
    void link();
    void pictureSource_data();
    void pictureSource();
    void pageName_data();
    void pageName();
    void replacesOldPage();
    void pageBesideASheetInAFolderNamedWithOddBytes();
    void failedWriteKeepsOldPage_data();
    void failedWriteKeepsOldPage();
};

void TestMapPage::pageBytes_data()
{
    QTest::addColumn<TMapRecs>("records");
    QTest::addColumn<QStringList>("areas");

    // Paths below are relative to the temporary folder holding the sheet.
    QTest::newRow("two records")
        << TMapRecs{record(10, 35, 120, 90, QStringLiteral("Pics/IMG_01.JPG"), 820, 620),
                    record(140, 35, 64, 120, QStringLiteral("../Photos/A.jpg"), 800, 600)}
        << QStringList{areaEntry(QStringLiteral("10,35,130,125"), QStringLiteral("Pics/IMG_01.JPG"),
                                 QStringLiteral("'820','620'")),
                       areaEntry(QStringLiteral("140,35,204,155"), QStringLiteral("../Photos/A.jpg"),
                                 QStringLiteral("'800','600'"))};
    QTest::newRow("empty table") << TMapRecs{} << QStringList{};
}

void TestMapPage::pageBytes()
{
    QFETCH(TMapRecs, records);
    QFETCH(QStringList, areas);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (TMapRec &rec : records)
        rec.FileName = dir.filePath(rec.FileName);

    const QString page = MapPage::MakeMapFile(dir.filePath(QStringLiteral("Sheet.jpg")), 1501, records);
    QCOMPARE(page, dir.filePath(QStringLiteral("Sheet_index.html")));

    const QStringList entries = QStringList{headEntry, styleEntry(750),
                                            pictureEntry(QStringLiteral("Sheet.jpg"), 1501), QString(),
                                            QStringLiteral("<map id=\"magic\" name=\"magic\">")}
        + areas + QStringList{QStringLiteral("</map>\r</body>\r</html>")};
    const QByteArray bytes = readAll(page);
    QCOMPARE(bytes, expectedPage(entries));
    QCOMPARE(pageEntries(bytes).size(), records.size() + 6);
}

void TestMapPage::link_data()
{
    QTest::addColumn<QString>("jpegPath");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("attribute");

    const QString sheet = QStringLiteral("/out/Sheet.jpg");
    QTest::newRow("same folder") << sheet << QStringLiteral("/out/a.jpg") << QStringLiteral("a.jpg");
    QTest::newRow("sub-folder") << sheet << QStringLiteral("/out/pics/img_01.jpg")
                                << QStringLiteral("pics/img_01.jpg");
    QTest::newRow("sibling") << sheet << QStringLiteral("/photos/a.jpg") << QStringLiteral("../photos/a.jpg");
    QTest::newRow("deeper sibling") << QStringLiteral("/out/2024/sheets/Sheet.jpg")
                                    << QStringLiteral("/out/photos/trip/a-1_b.jpg")
                                    << QStringLiteral("../../photos/trip/a-1_b.jpg");
    QTest::newRow("dot segments") << QStringLiteral("/out/x/../Sheet.jpg") << QStringLiteral("/out/./y/../a.jpg")
                                  << QStringLiteral("a.jpg");
    QTest::newRow("upper case") << QStringLiteral("/Out/Sheet.jpg") << QStringLiteral("/Out/Pics/IMG_01.JPG")
                                << QStringLiteral("Pics/IMG_01.JPG");
    QTest::newRow("folders differing in case") << QStringLiteral("/Out/Sheet.jpg")
                                               << QStringLiteral("/out/a.jpg") << QStringLiteral("../out/a.jpg");
    QTest::newRow("blank") << sheet << QStringLiteral("/out/my photo.jpg") << QStringLiteral("my%20photo.jpg");
    QTest::newRow("apostrophe") << sheet << QStringLiteral("/out/it's.jpg") << QStringLiteral("it%27s.jpg");
    QTest::newRow("backslash") << sheet << QStringLiteral("/out/a\\') b.jpg")
                               << QStringLiteral("a%5C%27)%20b.jpg");
    QTest::newRow("double quote") << sheet << QStringLiteral("/out/say\"hi\".jpg")
                                  << QStringLiteral("say&quot;hi&quot;.jpg");
    QTest::newRow("ampersand") << sheet << QStringLiteral("/out/a&b.jpg") << QStringLiteral("a&amp;b.jpg");
    QTest::newRow("angle brackets") << sheet << QStringLiteral("/out/<b>.jpg") << QStringLiteral("&lt;b&gt;.jpg");
    QTest::newRow("hash") << sheet << QStringLiteral("/out/n#1.jpg") << QStringLiteral("n%231.jpg");
    QTest::newRow("percent") << sheet << QStringLiteral("/out/100%20.jpg") << QStringLiteral("100%2520.jpg");
    QTest::newRow("question mark") << sheet << QStringLiteral("/out/why?.jpg") << QStringLiteral("why%3F.jpg");
    QTest::newRow("colon before first slash") << sheet << QStringLiteral("/out/c:x/a:b.jpg")
                                              << QStringLiteral("c%3Ax/a:b.jpg");
    QTest::newRow("control character") << sheet << QStringLiteral("/out/a\tb\x7f.jpg")
                                       << QStringLiteral("a%09b%7F.jpg");
    QTest::newRow("unicode") << sheet << QString::fromUtf8("/out/Café/日本.jpg")
                             << QStringLiteral("Caf%C3%A9/%E6%97%A5%E6%9C%AC.jpg");
    QTest::newRow("unreached record") << sheet << QString() << QString();
}

void TestMapPage::link()
{
    QFETCH(QString, jpegPath);
    QFETCH(QString, fileName);
    QFETCH(QString, attribute);

    const TMapRecs records{record(1, 2, 3, 4, fileName, 800, 600)};
    const QStringList entries = pageEntries(MapPage::pageBytes(jpegPath, 100, records));
    QCOMPARE(entries.size(), 7);
    QCOMPARE(entries[5], areaEntry(QStringLiteral("1,2,4,6"), attribute, QStringLiteral("'800','600'")));
}

void TestMapPage::pictureSource_data()
{
    QTest::addColumn<QString>("jpegPath");
    QTest::addColumn<QString>("source");

    QTest::newRow("case kept") << QStringLiteral("/out/My_Sheet-2.JPG") << QStringLiteral("My_Sheet-2.JPG");
    QTest::newRow("awkward") << QString::fromUtf8("/out/a b#'&\"ü:.jpg")
                             << QStringLiteral("a%20b%23%27&amp;&quot;%C3%BC%3A.jpg");
}

void TestMapPage::pictureSource()
{
    QFETCH(QString, jpegPath);
    QFETCH(QString, source);

    const QStringList entries = pageEntries(MapPage::pageBytes(jpegPath, 640, {}));
    QCOMPARE(entries.size(), 6);
    QCOMPARE(entries[2], pictureEntry(source, 640));
}

void TestMapPage::pageName_data()
{
    QTest::addColumn<QString>("jpegPath");
    QTest::addColumn<QString>("pagePath");

    QTest::newRow("Sheet.jpg") << QStringLiteral("/out/Sheet.jpg") << QStringLiteral("/out/Sheet_index.html");
    QTest::newRow("a.b.jpg") << QStringLiteral("/out/a.b.jpg") << QStringLiteral("/out/a.b_index.html");
    QTest::newRow("Sheet") << QStringLiteral("/out/Sheet") << QStringLiteral("/out/Sheet_index.html");
    QTest::newRow("dotted folder") << QStringLiteral("/out/v1.2/Sheet")
                                   << QStringLiteral("/out/v1.2/Sheet_index.html");
    QTest::newRow("case kept") << QStringLiteral("/Out/SHEET.JPG") << QStringLiteral("/Out/SHEET_index.html");
}

void TestMapPage::pageName()
{
    QFETCH(QString, jpegPath);
    QFETCH(QString, pagePath);

    QCOMPARE(MapPage::pagePath(jpegPath), pagePath);
}

void TestMapPage::replacesOldPage()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString jpeg = dir.filePath(QStringLiteral("Sheet.jpg"));
    const QString page = dir.filePath(QStringLiteral("Sheet_index.html"));
    QVERIFY(writeFile(page, QByteArray(100000, 'x')));

    const TMapRecs records{record(0, 0, 10, 10, dir.filePath(QStringLiteral("a.jpg")), 800, 600)};
    QCOMPARE(MapPage::MakeMapFile(jpeg, 200, records), page);
    QCOMPARE(readAll(page), MapPage::pageBytes(jpeg, 200, records));
}

void TestMapPage::pageBesideASheetInAFolderNamedWithOddBytes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray folder = QFile::encodeName(dir.path()) + "/odd\xff";
    QCOMPARE(::mkdir(folder.constData(), 0755), 0);
    const QString jpeg = LocalPath::fromNative(folder + "/Sheet.jpg");
    const TMapRecs records{record(0, 0, 10, 10, LocalPath::fromNative(folder + "/a.jpg"), 800, 600)};
    MapPage::MakeMapFile(jpeg, 200, records);
    struct stat info;
    QCOMPARE(::stat((folder + "/Sheet_index.html").constData(), &info), 0);
    QCOMPARE(qint64(info.st_size), qint64(MapPage::pageBytes(jpeg, 200, records).size()));
}

void TestMapPage::failedWriteKeepsOldPage_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<bool>("oldPage");

    QTest::newRow("read-only folder") << true << true;
    QTest::newRow("missing folder") << false << false;
}

void TestMapPage::failedWriteKeepsOldPage()
{
    QFETCH(bool, readOnlyFolder);
    QFETCH(bool, oldPage);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("out"));
    if (readOnlyFolder)
        QVERIFY(QDir().mkdir(folder));
    const QString jpeg = folder + QStringLiteral("/Sheet.jpg");
    const QString page = folder + QStringLiteral("/Sheet_index.html");
    const QByteArray old("old page");
    if (oldPage)
        QVERIFY(writeFile(page, old));

    if (readOnlyFolder) {
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        // A privileged user writes into read-only folders all the same.
        if (QFile probe(folder + QStringLiteral("/probe")); probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("this user can write into read-only folders");
        }
    }

    const TMapRecs records{record(0, 0, 10, 10, folder + QStringLiteral("/a.jpg"), 800, 600)};
    QString message;
    try {
        MapPage::MakeMapFile(jpeg, 200, records);
    } catch (const PictoloomError &error) {
        message = error.message();
    }
    if (readOnlyFolder)
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(page);
    QVERIFY2(message.startsWith(prefix) && message.size() > prefix.size(), qPrintable(message));
    if (oldPage)
        QCOMPARE(readAll(page), old);
    QCOMPARE(QDir(readOnlyFolder ? folder : dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
             oldPage ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestMapPage)
#include "tst_mappage.moc"
