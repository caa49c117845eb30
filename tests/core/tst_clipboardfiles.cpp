#include "clipboard/clipboardfiles.h"

#include <QImage>
#include <QMimeData>
#include <QTest>

using Payload = QList<std::pair<QString, QByteArray>>;
Q_DECLARE_METATYPE(Payload)

class TestClipboardFiles : public QObject
{
    Q_OBJECT

private slots:
    void paths_data();
    void paths();
    void noData();
};

void TestClipboardFiles::paths_data()
{
    QTest::addColumn<Payload>("payload");
    QTest::addColumn<QStringList>("expected");

    const QString uriList = QStringLiteral("text/uri-list");
    const QString gnome = QStringLiteral("x-special/gnome-copied-files");
    const QString mate = QStringLiteral("x-special/mate-copied-files");
    const QString text = QStringLiteral("text/plain");

    QTest::newRow("uri-list, order and case kept")
        << Payload{{uriList, "file:///home/u/b.png\r\nfile:///home/u/a.JPG\r\nfile:///home/u/c%20d.jpeg\r\n"}}
        << QStringList{"/home/u/b.png", "/home/u/a.JPG", "/home/u/c d.jpeg"};
    QTest::newRow("uri-list, UTF-8 names")
        << Payload{{uriList, "file:///t/gr%C3%BCn.jpg\r\n"}} << QStringList{QString::fromUtf8("/t/gr\xC3\xBCn.jpg")};
    QTest::newRow("uri-list, remote and comment lines left out")
        << Payload{{uriList, "# copied\r\nhttp://example.com/a.jpg\r\nfile://otherhost/b.jpg\r\n"
                             "file://localhost/c.jpg\r\nsftp://h/d.jpg\r\n"}}
        << QStringList{"/c.jpg"};
    QTest::newRow("gnome-copied-files, copy")
        << Payload{{gnome, "copy\nfile:///p/a.jpg\nfile:///p/b%23.jpg"}}
        << QStringList{"/p/a.jpg", "/p/b#.jpg"};
    QTest::newRow("gnome-copied-files, cut, final line end and NUL")
        << Payload{{gnome, QByteArray("cut\nfile:///p/a.jpg\n\0", 22)}} << QStringList{"/p/a.jpg"};
    QTest::newRow("mate-copied-files")
        << Payload{{mate, "copy\nfile:///m/x.jpg\n"}} << QStringList{"/m/x.jpg"};
    QTest::newRow("old Nautilus text")
        << Payload{{text, "x-special/nautilus-clipboard\ncopy\nfile:///n/a.jpg\nfile:///n/b.jpg\n"}}
        << QStringList{"/n/a.jpg", "/n/b.jpg"};
    QTest::newRow("uri-list preferred over gnome-copied-files")
        << Payload{{gnome, "copy\nfile:///g.jpg\n"}, {uriList, "file:///u.jpg\r\n"}}
        << QStringList{"/u.jpg"};
    QTest::newRow("gnome preferred over old Nautilus text")
        << Payload{{text, "x-special/nautilus-clipboard\ncopy\nfile:///t.jpg\n"},
                   {gnome, "copy\nfile:///g.jpg\n"}}
        << QStringList{"/g.jpg"};
    QTest::newRow("plain text naming a file") << Payload{{text, "/home/u/a.jpg"}} << QStringList{};
    QTest::newRow("a picture") << Payload{{QStringLiteral("image/png"), "\x89PNG"}} << QStringList{};
    QTest::newRow("remote files only") << Payload{{gnome, "copy\nsmb://server/a.jpg\n"}} << QStringList{};
}

void TestClipboardFiles::paths()
{
    QFETCH(Payload, payload);
    QFETCH(QStringList, expected);
    QMimeData data;
    for (const auto &[format, bytes] : payload)
        data.setData(format, bytes);
    QCOMPARE(clipboardFilePaths(&data), expected);
}

void TestClipboardFiles::noData()
{
    QCOMPARE(clipboardFilePaths(nullptr), QStringList());
    const QMimeData empty;
    QCOMPARE(clipboardFilePaths(&empty), QStringList());
}

QTEST_GUILESS_MAIN(TestClipboardFiles)
#include "tst_clipboardfiles.moc"
