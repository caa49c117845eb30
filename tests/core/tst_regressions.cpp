// Inputs the fuzzers and the sanitizer build found faults with, kept so the
// faults stay fixed. Each fixture in the test data folder is named after its fault.
#include "ListFiles/localpath.h"
#include "error.h"
#include "mappage/maplink.h"
#include "picture/jpegcodec.h"
#include "picture/magickreader.h"
#include "settings/inifile.h"
#include "testfiles.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include <dirent.h>
#include <sys/stat.h>

namespace {

// A writable copy of a fixture in dir.
QString copyOfFixture(const QTemporaryDir &dir, const QString &name)
{
    const QString copy = dir.filePath(name);
    if (!QFile::copy(QStringLiteral(PICTOLOOM_TEST_DATA "/") + name, copy))
        return {};
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

// The names in a folder as bytes; QDir cannot list a name that is not UTF-8.
QList<QByteArray> entriesOf(const QByteArray &folder)
{
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(folder.constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
                names.append(entry->d_name);
        }
        ::closedir(dir);
    }
    return names;
}

} // namespace

class TestRegressions : public QObject
{
    Q_OBJECT

private slots:
    void iniUtf16StrayLastByte_data();
    void iniUtf16StrayLastByte();
    void nonUtf8NameKeepsItsBytes_data();
    void nonUtf8NameKeepsItsBytes();
    void avifDeclaredTallerThanCoded_data();
    void avifDeclaredTallerThanCoded();
};

void TestRegressions::iniUtf16StrayLastByte_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("replaces the unterminated last line") << "Last" << "Key";
    QTest::newRow("adds to the last section") << "Last" << "New";
    QTest::newRow("adds a section") << "Fresh" << "Key";
}

// A UTF-16 file with an odd byte count: text written after the stray byte used
// to land one byte off and read back as other characters.
void TestRegressions::iniUtf16StrayLastByte()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QTemporaryDir dir;
    const QString path = copyOfFixture(dir, QStringLiteral("ini-utf16-stray-last-byte.ini"));
    QVERIFY(!path.isEmpty());
    const QByteArray before = readAll(path);
    const QString value = QStringLiteral("Grüße ✓");

    IniFile ini(path);
    ini.writeString(section, key, value);
    QCOMPARE(ini.readString(section, key, QString()), value);
    QCOMPARE(ini.readString(QStringLiteral("Other"), QStringLiteral("Name"), QString()), QStringLiteral("1"));
    // Only the stray byte and the rewritten line may differ.
    const QByteArray after = readAll(path);
    QVERIFY(after.startsWith(before.first(before.indexOf(QByteArray("[\0L", 3)))));
    QCOMPARE(after.size() % 2, 0);
}

void TestRegressions::nonUtf8NameKeepsItsBytes_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("link");
    QTest::newRow("stray bytes") << QByteArray("bad\xff\xfeutf8.jpg") << "bad%FF%FEutf8.jpg";
    QTest::newRow("Latin-1 in a sub-folder") << QByteArray("caf\xe9/d\xe9j\xe0 vu.jpg") << "caf%E9/d%E9j%E0%20vu.jpg";
    const QByteArray longName = QByteArray(250, 'n') + "\xff.jpg";
    QTest::newRow("255 bytes") << longName << QString(QString(250, QLatin1Char('n')) + "%FF.jpg");
}

// A file name that is not UTF-8 used to become "?" in the page's link and
// U+FFFD in the copy's name, so the page opened nothing.
void TestRegressions::nonUtf8NameKeepsItsBytes()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, link);
    QTemporaryDir dir;
    const QByteArray native = QFile::encodeName(dir.path()) + '/' + name;
    const QString path = LocalPath::fromNative(native);
    QCOMPARE(MapLink::linkFor(dir.path(), path), link);

    if (name.contains('/'))
        QVERIFY(::mkdir(native.left(native.lastIndexOf('/')).constData(), 0755) == 0);
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    JpegCodec::writeFile(image, 90, path);
    image.fill(Qt::blue);
    JpegCodec::writeFile(image, 90, path); // replaces it
    struct stat info {};
    QCOMPARE(::stat(native.constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0644));
    QByteArray written;
    if (std::FILE *file = std::fopen(native.constData(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            written.append(buffer, qsizetype(n));
        std::fclose(file);
    }
    QCOMPARE(QColor(JpegCodec::decode(written, 1).pixel(1, 1)).blue() > 200, true);
    // Nothing else was left in the folder: no temporary file, no misspelt copy.
    QCOMPARE(entriesOf(native.left(native.lastIndexOf('/'))), QList<QByteArray>{native.mid(native.lastIndexOf('/') + 1)});
}

void TestRegressions::avifDeclaredTallerThanCoded_data()
{
    QTest::addColumn<QByteArray>("coder");
    QTest::newRow("AVIF") << QByteArray("AVIF");
    QTest::newRow("HEIF") << QByteArray("HEIF");
}

// The container says 16 x 17164, the coded picture is 16 x 12: GraphicsMagick's
// readers copied 17164 rows out of a 12-row buffer and crashed.
void TestRegressions::avifDeclaredTallerThanCoded()
{
    QFETCH(QByteArray, coder);
    QFile file(QStringLiteral(PICTOLOOM_TEST_DATA "/avif-declared-taller-than-coded.avif"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    try {
        const QImage image = MagickReader::read(bytes, coder.constData());
        QCOMPARE(image.size(), QSize(16, 12));
    } catch (const PictoloomError &error) {
        QVERIFY(!error.message().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestRegressions)
#include "tst_regressions.moc"
