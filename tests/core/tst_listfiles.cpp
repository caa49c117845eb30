#include "ListFiles/listfiles.h"
#include "ListFiles/localpath.h"
#include "error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace {

struct ScanLog
{
    QStringList entries;
    bool ended = false;
    bool destroyed = false;
};

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

void touchAll(const QString &folder, const QStringList &names)
{
    QVERIFY(QDir().mkpath(folder));
    for (const QString &name : names)
        touch(folder + QLatin1Char('/') + name);
}

void makeLink(const QString &target, const QString &link)
{
    QVERIFY2(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData())
                 == 0,
             qPrintable(link));
}

// Starts a scanner that appends to log; the scanner must not be touched afterwards
// except through its destroyed signal.
std::shared_ptr<ScanLog> startScan(QObject *receiver, const QString &path,
                                   const QString &extensions, bool fullPath, bool subFolders)
{
    auto log = std::make_shared<ScanLog>();
    auto *scanner = new tListFiles(
        path, {receiver, [log](const QString &entry) { log->entries << entry; }}, extensions,
        fullPath, subFolders, [log] { log->ended = true; });
    // Safe: the scanner is freed on this thread, which has not processed events yet.
    QObject::connect(scanner, &QObject::destroyed, [log] { log->destroyed = true; });
    return log;
}

// A whole scan: waits for its end notice and for the scanner to free itself.
QStringList scan(const QString &path, const QString &extensions, bool fullPath = true,
                 bool subFolders = false)
{
    QObject receiver;
    const auto log = startScan(&receiver, path, extensions, fullPath, subFolders);
    if (!QTest::qWaitFor([&] { return log->destroyed; }, 30000))
        return {QStringLiteral("<scan did not end>")};
    if (!log->ended)
        return {QStringLiteral("<no end notice>")};
    return log->entries;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// The names of a folder in the order the file system lists them.
QStringList listingOrder(const QString &folder)
{
    QStringList names;
    DIR *dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            names << name;
    }
    closedir(dir);
    return names;
}

} // namespace

class TestListFiles : public QObject
{
    Q_OBJECT

private slots:
    void extensionMatches_data();
    void extensionMatches();
    void fileTest_data();
    void fileTest();
    void pathForms_data();
    void pathForms();
    void folderNamedLikeFile_data();
    void folderNamedLikeFile();
    void preOrder();
    void nothingToList_data();
    void nothingToList();
    void twoScansListTwice();
    void links_data();
    void links();
    void fifoIsListedNotOpened();
    void nonUtf8NameStillOpens();
    void nameCodecRoundTrips_data();
    void nameCodecRoundTrips();
    void refusedEntryEndsWalk();
    void stopAllWhileHandOverWaits();
    void receiverDestroyedMidScan();
    void noReceiverIsRefused();
};

void TestListFiles::extensionMatches_data()
{
    QTest::addColumn<QString>("lowerName");
    QTest::addColumn<QString>("extensions");
    QTest::addColumn<bool>("passes");

    const QString jpegs = QStringLiteral(".jpg.jpeg");
    QTest::newRow("jpg") << "a.jpg" << jpegs << true;
    QTest::newRow("jpeg") << "b.jpeg" << jpegs << true;
    QTest::newRow("substring jp") << "f.jp" << jpegs << true;
    QTest::newRow("substring j") << "f.j" << jpegs << true;
    QTest::newRow("png") << "c.png" << jpegs << false;
    QTest::newRow("peg is not a substring at a dot") << "x.peg" << jpegs << false;
    QTest::newRow("no extension") << "e" << jpegs << false;
    QTest::newRow("last dot counts") << "a.jpg.png" << jpegs << false;
    QTest::newRow("dot only fails") << "x." << jpegs << false;
    QTest::newRow("capital list") << "a.jpg" << ".JPG" << false;
    QTest::newRow("star") << "c.png" << "*" << true;
    QTest::newRow("star, no extension") << "e" << "*" << true;
    QTest::newRow("star, dot only fails") << "x." << "*" << false;
    QTest::newRow("space before star") << "a.jpg" << " *" << false;
    QTest::newRow("mask list") << "a.jpg" << "*.bmp;*.jpg" << true;
    QTest::newRow("mask list, other type") << "a.txt" << "*.bmp;*.jpg" << false;
    QTest::newRow("dot before slash is no extension") << "dir.jpg/file" << jpegs << false;
}

void TestListFiles::extensionMatches()
{
    QFETCH(QString, lowerName);
    QFETCH(QString, extensions);
    QFETCH(bool, passes);
    QCOMPARE(tListFiles::ExtensionMatches(lowerName, extensions), passes);
}

void TestListFiles::fileTest_data()
{
    QTest::addColumn<QString>("extensions");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("jpeg list keeps the case") << ".jpg.jpeg" << QStringList{"A.JPG", "b.jpeg", "f.jp"};
    QTest::newRow("star") << "*" << QStringList{"A.JPG", "b.jpeg", "c.png", "e", "f.jp"};
    QTest::newRow("capital list") << ".JPG" << QStringList{};
}

// Hidden (leading-dot) files are skipped; the others are tested lower-cased and
// listed as the file system spells them.
void TestListFiles::fileTest()
{
    QFETCH(QString, extensions);
    QFETCH(QStringList, expected);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    touchAll(root.path(), {"A.JPG", "b.jpeg", "c.png", ".d.jpg", "e", "f.jp"});

    QStringList full;
    for (const QString &name : std::as_const(expected))
        full << root.path() + QLatin1Char('/') + name;
    QCOMPARE(sorted(scan(root.path(), extensions)), sorted(full));
}

void TestListFiles::pathForms_data()
{
    QTest::addColumn<bool>("trailingSeparator");
    QTest::addColumn<bool>("fullPath");

    QTest::newRow("full, no separator") << false << true;
    QTest::newRow("full, separator") << true << true;
    QTest::newRow("bare, no separator") << false << false;
    QTest::newRow("bare, separator") << true << false;
}

void TestListFiles::pathForms()
{
    QFETCH(bool, trailingSeparator);
    QFETCH(bool, fullPath);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    touchAll(root.path(), {"a.jpg"});
    touchAll(root.path() + "/.hidden", {"in.jpg"});

    const QString given = root.path() + (trailingSeparator ? "/" : "");
    const QStringList expected = fullPath
        ? QStringList{root.path() + "/.hidden/in.jpg", root.path() + "/a.jpg"}
        : QStringList{"a.jpg", "in.jpg"};
    QCOMPARE(sorted(scan(given, ".jpg", fullPath, true)), sorted(expected));
}

void TestListFiles::folderNamedLikeFile_data()
{
    QTest::addColumn<bool>("subFolders");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("descended") << true << QStringList{"x.jpg/inner.jpg"};
    QTest::newRow("listed like a file") << false << QStringList{"x.jpg"};
}

void TestListFiles::folderNamedLikeFile()
{
    QFETCH(bool, subFolders);
    QFETCH(QStringList, expected);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    touchAll(root.path() + "/x.jpg", {"inner.jpg"});

    QStringList full;
    for (const QString &name : std::as_const(expected))
        full << root.path() + QLatin1Char('/') + name;
    QCOMPARE(scan(root.path(), ".jpg", true, subFolders), full);
}

// A sub-folder's files land where the sub-folder was met in its parent's listing.
void TestListFiles::preOrder()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    touchAll(root.path(), {"a.jpg", "z.jpg"});
    touchAll(root.path() + "/s", {"s1.jpg", "s2.jpg", "s3.jpg"});
    touchAll(root.path() + "/s/t", {"t1.jpg"});

    QStringList expected;
    const std::function<void(const QString &)> expect = [&](const QString &folder) {
        for (const QString &name : listingOrder(folder)) {
            const QString path = folder + QLatin1Char('/') + name;
            if (QFileInfo(path).isDir())
                expect(path);
            else
                expected << path;
        }
    };
    expect(root.path());
    QCOMPARE(expected.size(), 6);
    QCOMPARE(scan(root.path(), ".jpg", true, true), expected);
}

void TestListFiles::nothingToList_data()
{
    QTest::addColumn<QString>("relativePath");

    QTest::newRow("empty folder") << "empty";
    QTest::newRow("missing folder") << "missing";
    QTest::newRow("a file, not a folder") << "file.jpg";
    QTest::newRow("empty path") << "";
}

// The end notice comes however little the scan finds.
void TestListFiles::nothingToList()
{
    QFETCH(QString, relativePath);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(QDir(root.path()).mkdir("empty"));
    touch(root.path() + "/file.jpg");

    const QString path = relativePath.isEmpty() ? QString() : root.path() + "/" + relativePath;
    QCOMPARE(scan(path, "*", true, true), QStringList{});
}

void TestListFiles::twoScansListTwice()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QStringList names;
    for (int i = 0; i < 50; ++i)
        names << QStringLiteral("p%1.jpg").arg(i);
    touchAll(root.path(), names);

    QObject receiver;
    const auto first = startScan(&receiver, root.path(), ".jpg", false, false);
    const auto second = startScan(&receiver, root.path(), ".jpg", false, false);
    QVERIFY(QTest::qWaitFor([&] { return first->destroyed && second->destroyed; }, 30000));
    QVERIFY(first->ended && second->ended);
    QCOMPARE(sorted(first->entries), sorted(names));
    QCOMPARE(sorted(second->entries), sorted(names));
}

void TestListFiles::links_data()
{
    QTest::addColumn<bool>("subFolders");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("sub-folders") << true
                                 << QStringList{"a.jpg", "linked.jpg", "sub/b.jpg", "tolinked/c.jpg"};
    QTest::newRow("one folder") << false << QStringList{"a.jpg", "linked.jpg"};
}

// Links to files and folders are followed, links back up the walk are not
// walked again, and a link to nothing is left out.
void TestListFiles::links()
{
    QFETCH(bool, subFolders);
    QFETCH(QStringList, expected);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    QTemporaryDir outside;
    QVERIFY(outside.isValid());
    const QString r = root.path();
    touchAll(r, {"a.jpg"});
    touchAll(r + "/sub", {"b.jpg"});
    touchAll(outside.path(), {"c.jpg"});
    makeLink(r, r + "/sub/up");
    makeLink(".", r + "/self");
    makeLink(r + "/missing.jpg", r + "/gone.jpg");
    makeLink(r + "/a.jpg", r + "/linked.jpg");
    makeLink(outside.path(), r + "/tolinked");

    QStringList full;
    for (const QString &name : std::as_const(expected))
        full << r + QLatin1Char('/') + name;
    QCOMPARE(sorted(scan(r, ".jpg", true, subFolders)), sorted(full));
}

// Listing a FIFO must not open it: opening one without a writer would block the walk.
void TestListFiles::fifoIsListedNotOpened()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString fifo = root.path() + "/pipe.jpg";
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);

    QCOMPARE(scan(root.path(), ".jpg", true, true), QStringList{fifo});
}

void TestListFiles::nonUtf8NameStillOpens()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QByteArray rawPath = QFile::encodeName(root.path()) + "/caf\xe9.jpg";
    const int fd = ::open(rawPath.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        QSKIP("this file system refuses names that are not UTF-8");
    // QTemporaryDir cannot remove a name it cannot spell.
    const auto removeFile = qScopeGuard([&] { ::unlink(rawPath.constData()); });
    QCOMPARE(::write(fd, "x", 1), ssize_t(1));
    ::close(fd);

    const QStringList entries = scan(root.path(), ".jpg");
    QCOMPARE(entries.size(), 1);
    const QByteArray back = LocalPath::toNative(entries.first());
    QCOMPARE(back, rawPath);
    const int reopened = ::open(back.constData(), O_RDONLY);
    QVERIFY(reopened >= 0);
    char byte = 0;
    QCOMPARE(::read(reopened, &byte, 1), ssize_t(1));
    ::close(reopened);
    QCOMPARE(byte, 'x');
}

void TestListFiles::nameCodecRoundTrips_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    QTest::newRow("ascii") << QByteArray("/tmp/a.jpg") << QString("/tmp/a.jpg");
    QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9.jpg") << QString::fromUtf8("caf\xc3\xa9.jpg");
    QTest::newRow("outside the BMP") << QByteArray("\xf0\x9f\x93\xb7.jpg")
                                     << QString::fromUtf8("\xf0\x9f\x93\xb7.jpg");
    QTest::newRow("latin-1 byte") << QByteArray("caf\xe9.jpg") << QString();
    QTest::newRow("overlong slash") << QByteArray("a\xc0\xaf" "b") << QString();
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xb2\x80") << QString();
    QTest::newRow("cut-off sequence") << QByteArray("x\xe2\x82") << QString();
    QTest::newRow("valid then stray") << QByteArray("\xf0\x9f\x93\xb7\xff") << QString();
}

void TestListFiles::nameCodecRoundTrips()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);

    const QString text = LocalPath::fromNative(bytes);
    if (!shown.isNull())
        QCOMPARE(text, shown);
    QCOMPARE(LocalPath::toNative(text), bytes);
}

// A list that refuses an entry ends the walk; what it took stays, the end notice runs.
void TestListFiles::refusedEntryEndsWalk()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    touchAll(root.path(), {"1.jpg", "2.jpg", "3.jpg", "4.jpg"});

    QObject receiver;
    auto log = std::make_shared<ScanLog>();
    int calls = 0;
    auto *scanner = new tListFiles(
        root.path(),
        {&receiver,
         [&](const QString &entry) {
             if (++calls == 2)
                 throw PictoloomError("full");
             log->entries << entry;
         }},
        ".jpg", true, false, [log] { log->ended = true; });
    QObject::connect(scanner, &QObject::destroyed, [log] { log->destroyed = true; });

    QVERIFY(QTest::qWaitFor([&] { return log->destroyed; }, 30000));
    QVERIFY(log->ended);
    QCOMPARE(calls, 2);
    QCOMPARE(log->entries.size(), 1);
}

// Closing the window: the worker is blocked in a hand-over that this thread has
// not served yet. Stopping and waiting while serving events must not deadlock.
void TestListFiles::stopAllWhileHandOverWaits()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QStringList names;
    for (int i = 0; i < 200; ++i)
        names << QStringLiteral("p%1.jpg").arg(i);
    touchAll(root.path(), names);

    QObject receiver;
    const auto log = startScan(&receiver, root.path(), ".jpg", true, true);
    QVERIFY(tListFiles::AnyRunning());
    tListFiles::StopAll();
    tListFiles::WaitAll([] { QCoreApplication::processEvents(); });
    QVERIFY(!tListFiles::AnyRunning());
    // No hand-over was served before the stop, and none is after it.
    QCOMPARE(log->entries, QStringList{});
    QVERIFY(QTest::qWaitFor([&] { return log->destroyed; }, 30000));
    QVERIFY(log->ended);
}

// The list's owner goes away during a scan: the worker must not hang or touch it.
void TestListFiles::receiverDestroyedMidScan()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    touchAll(root.path(), {"1.jpg", "2.jpg", "3.jpg", "4.jpg"});

    auto *receiver = new QObject;
    auto log = std::make_shared<ScanLog>();
    int calls = 0;
    auto *scanner = new tListFiles(
        root.path(),
        {receiver,
         [&](const QString &) {
             ++calls;
             delete receiver;
         }},
        ".jpg", true, false, [log] { log->ended = true; });
    QObject::connect(scanner, &QObject::destroyed, [log] { log->destroyed = true; });

    QVERIFY(QTest::qWaitFor([&] { return log->destroyed; }, 30000));
    QCOMPARE(calls, 1);
    QVERIFY(!log->ended);
}

void TestListFiles::noReceiverIsRefused()
{
    QVERIFY_THROWS_EXCEPTION(
        PictoloomError, new tListFiles("/tmp", {nullptr, [](const QString &) {}}, "*", true, false));
    QVERIFY(!tListFiles::AnyRunning());
}

QTEST_GUILESS_MAIN(TestListFiles)
#include "tst_listfiles.moc"
