#include "error.h"
#include "settings/inifile.h"
#include "testfiles.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); m_path = m_dir.filePath(QStringLiteral("x.dat")); QFile::remove(m_path); }

    void missingFileIsCreatedWithTheMarkOnly();
    void fileThatCannotBeCreated();
    void readString_data();
    void readString();
    void readStringIsLimited();
    void readInteger_data();
    void readInteger();
    void readBool_data();
    void readBool();
    void writeString_data();
    void writeString();
    void writingTheStoredValueLeavesTheFileAlone();
    void failedWriteKeepsTheFile();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestIniFile::missingFileIsCreatedWithTheMarkOnly()
{
    const IniFile ini(m_path);
    QCOMPARE(readAll(m_path), QByteArray("\xFF\xFE", 2));
    QCOMPARE(ini.readString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")),
             QStringLiteral("d"));
    QCOMPARE(readAll(m_path).size(), 2);
}

void TestIniFile::fileThatCannotBeCreated()
{
    const QString path = m_dir.filePath(QStringLiteral("missing/x.dat"));
    try {
        IniFile ini(path);
        QFAIL("no error raised");
    } catch (const PictoloomError &e) {
        const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(path);
        QVERIFY2(e.message().startsWith(prefix), qPrintable(e.message()));
        QVERIFY(e.message().size() > prefix.size());
    }
}

void TestIniFile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString S = QStringLiteral("S");
    const QString K = QStringLiteral("K");
    QTest::newRow("plain") << QByteArray("[S]\r\nK=v\r\n") << S << K << "v";
    QTest::newRow("names ignore case") << QByteArray("[pictoloom_SETTINGS]\r\nwidth=5\r\n")
                                       << "Pictoloom_Settings" << "Width" << "5";
    QTest::newRow("blanks around names and =") << QByteArray(" [ S ] \r\n Quality = 5 \r\n")
                                               << S << "Quality" << "5";
    QTest::newRow("blanks and tabs trimmed") << QByteArray("[S]\r\nK=\t v w \t\r\n") << S << K << "v w";
    QTest::newRow("double quotes removed") << QByteArray("[S]\r\nK=\" a \"\r\n") << S << K << " a ";
    QTest::newRow("single quotes removed") << QByteArray("[S]\r\nK='a'\r\n") << S << K << "a";
    QTest::newRow("one pair only") << QByteArray("[S]\r\nK=\"\"a\"\"\r\n") << S << K << "\"a\"";
    QTest::newRow("unmatched quotes kept") << QByteArray("[S]\r\nK=\"a'\r\n") << S << K << "\"a'";
    QTest::newRow("lone quote kept") << QByteArray("[S]\r\nK=\"\r\n") << S << K << "\"";
    QTest::newRow("empty value") << QByteArray("[S]\r\nK=\r\n") << S << K << "";
    QTest::newRow("missing key") << QByteArray("[S]\r\nA=1\r\n") << S << K << "default";
    QTest::newRow("missing section") << QByteArray("[T]\r\nK=1\r\n") << S << K << "default";
    QTest::newRow("key before any section") << QByteArray("K=1\r\n[S]\r\n") << S << K << "default";
    QTest::newRow("first duplicate key") << QByteArray("[S]\r\nK=1\r\nk=2\r\n") << S << K << "1";
    QTest::newRow("second duplicate section unseen")
        << QByteArray("[S]\r\nA=1\r\n[s]\r\nK=2\r\n") << S << K << "default";
    QTest::newRow("value holding =") << QByteArray("[S]\r\nK=a=b\r\n") << S << K << "a=b";
    QTest::newRow("LF line ends") << QByteArray("[S]\nK=v\n") << S << K << "v";
    QTest::newRow("no final line end") << QByteArray("[S]\r\nK=v") << S << K << "v";
    QTest::newRow("UTF-8") << QByteArray("[S]\r\nK=Gr\xC3\xBC\xC3\x9F" "e\r\n") << S << K
                           << QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e");
    QTest::newRow("Windows-1252") << QByteArray("[S]\r\nK=Gr\xFC\xDF" "e \x80\r\n") << S << K
                                  << QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
    QTest::newRow("UTF-8 mark of an editor") << QByteArray("\xEF\xBB\xBF[S]\r\nK=v\r\n") << S << K << "v";
    QTest::newRow("UTF-16") << wide(QString::fromUtf8("[S]\r\nK=\xD0\x96\r\n")) << S << K
                            << QString::fromUtf8("\xD0\x96");
}

void TestIniFile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    writeAll(m_path, file);
    const IniFile ini(m_path);
    QCOMPARE(ini.readString(section, key, QStringLiteral("default")), expected);
    QCOMPARE(readAll(m_path), file);
}

void TestIniFile::readStringIsLimited()
{
    const QString value(3000, QLatin1Char('x'));
    writeAll(m_path, wide(QStringLiteral("[S]\r\nK=") + value + QStringLiteral("\r\n")));
    const IniFile ini(m_path);
    QCOMPARE(ini.readString(QStringLiteral("S"), QStringLiteral("K"), QString()), value.left(2047));
    QCOMPARE(ini.readString(QStringLiteral("S"), QStringLiteral("missing"), value).size(), 2047);
}

void TestIniFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("expected");

    QTest::newRow("decimal") << QByteArray("1500") << 1500;
    QTest::newRow("negative") << QByteArray("-16777208") << -16777208;
    QTest::newRow("plus sign") << QByteArray("+7") << 7;
    QTest::newRow("blanks") << QByteArray("  42 ") << 42;
    QTest::newRow("dollar hex") << QByteArray("$1F") << 31;
    QTest::newRow("0x hex") << QByteArray("0x400") << 1024;
    QTest::newRow("0X hex") << QByteArray("0Xff") << 255;
    QTest::newRow("hex wraps to 32 bits") << QByteArray("$FFFFFFFF") << -1;
    QTest::newRow("smallest int") << QByteArray("-2147483648") << int(-2147483647 - 1);
    QTest::newRow("too large") << QByteArray("2147483648") << -99;
    QTest::newRow("letters") << QByteArray("abc") << -99;
    QTest::newRow("trailing letters") << QByteArray("12abc") << -99;
    QTest::newRow("prefix alone") << QByteArray("$") << -99;
    QTest::newRow("hex digits without prefix") << QByteArray("1F") << -99;
    QTest::newRow("empty") << QByteArray("") << -99;
}

void TestIniFile::readInteger()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, expected);
    writeAll(m_path, "[S]\r\nK=" + stored + "\r\n");
    QCOMPARE(IniFile(m_path).readInteger(QStringLiteral("S"), QStringLiteral("K"), -99), expected);
}

void TestIniFile::readBool_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("defaultValue");
    QTest::addColumn<bool>("expected");

    QTest::newRow("2") << QByteArray("2") << false << true;
    QTest::newRow("0") << QByteArray("0") << true << false;
    QTest::newRow("yes keeps default true") << QByteArray("yes") << true << true;
    QTest::newRow("yes keeps default false") << QByteArray("yes") << false << false;
}

void TestIniFile::readBool()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, defaultValue);
    QFETCH(bool, expected);
    writeAll(m_path, "[S]\r\nK=" + stored + "\r\n");
    QCOMPARE(IniFile(m_path).readBool(QStringLiteral("S"), QStringLiteral("K"), defaultValue), expected);
}

void TestIniFile::writeString_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QString S = QStringLiteral("S");
    const QString K = QStringLiteral("K");
    QTest::newRow("first key of a new file: header right after the mark")
        << QByteArray("\xFF\xFE", 2) << S << K << "v" << wide("[S]\r\nK=v\r\n");
    QTest::newRow("UTF-16 new key after the last key of its section")
        << wide("[S]\r\nA=1\r\n\r\n[T]\r\nX=1\r\n") << S << K << "v"
        << wide("[S]\r\nA=1\r\nK=v\r\n\r\n[T]\r\nX=1\r\n");
    QTest::newRow("UTF-16 new section at the end, no blank line")
        << wide("[T]\r\nX=1\r\n") << S << K << QString::fromUtf8("\xD0\x96")
        << wide(QString::fromUtf8("[T]\r\nX=1\r\n[S]\r\nK=\xD0\x96\r\n"));
    QTest::newRow("new section after an unterminated last line")
        << QByteArray("[T]\r\nX=1") << S << K << "v" << QByteArray("[T]\r\nX=1\r\n[S]\r\nK=v\r\n");
    QTest::newRow("new key into a section without keys")
        << QByteArray("[S]\r\n[T]\r\n") << S << K << "v" << QByteArray("[S]\r\nK=v\r\n[T]\r\n");
    QTest::newRow("stored spelling kept")
        << QByteArray("[s]\r\n qUALITY = 5 \r\n") << S << "Quality" << "7"
        << QByteArray("[s]\r\nqUALITY=7\r\n");
    QTest::newRow("blanks around the value trimmed")
        << QByteArray("[S]\r\n") << S << K << "  a b  " << QByteArray("[S]\r\nK=a b\r\n");
    QTest::newRow("empty value") << QByteArray("[S]\r\nK=1\r\n") << S << K << ""
                                 << QByteArray("[S]\r\nK=\r\n");
    QTest::newRow("first duplicate key rewritten")
        << QByteArray("[S]\r\nK=1\r\nK=2\r\n") << S << K << "3" << QByteArray("[S]\r\nK=3\r\nK=2\r\n");
    QTest::newRow("first duplicate section written")
        << QByteArray("[S]\r\nA=1\r\n[S]\r\nK=2\r\n") << S << K << "3"
        << QByteArray("[S]\r\nA=1\r\nK=3\r\n[S]\r\nK=2\r\n");
    QTest::newRow("other lines untouched")
        << QByteArray("; note\r\n[S]\r\nA = 1\n  odd line\r\nK=1\r\n\r\n[T] \r\nK=1\n")
        << S << K << "2"
        << QByteArray("; note\r\n[S]\r\nA = 1\n  odd line\r\nK=2\r\n\r\n[T] \r\nK=1\n");
    QTest::newRow("LF line end kept on a rewritten line")
        << QByteArray("[S]\nK=1\nB=2\n") << S << K << "3" << QByteArray("[S]\nK=3\nB=2\n");
    QTest::newRow("UTF-8 file stays UTF-8")
        << QByteArray("[S]\r\nA=\xC3\xA9\r\n") << S << K << QString::fromUtf8("\xC3\xBC")
        << QByteArray("[S]\r\nA=\xC3\xA9\r\nK=\xC3\xBC\r\n");
    QTest::newRow("Windows-1252 file stays Windows-1252")
        << QByteArray("[S]\r\nA=\xE9\r\n") << S << K << QString::fromUtf8("\xC3\xBC\xE2\x82\xAC")
        << QByteArray("[S]\r\nA=\xE9\r\nK=\xFC\x80\r\n");
    QTest::newRow("Windows-1252 file, text beyond the page goes in as UTF-8")
        << QByteArray("[S]\r\nA=\xE9\r\n") << S << K << QString::fromUtf8("\xD0\x96")
        << QByteArray("[S]\r\nA=\xE9\r\nK=\xD0\x96\r\n");
}

void TestIniFile::writeString()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    writeAll(m_path, before);
    IniFile ini(m_path);
    ini.writeString(section, key, value);
    QCOMPARE(readAll(m_path), after);
    QCOMPARE(ini.readString(section, key, QStringLiteral("default")), value.trimmed());
}

void TestIniFile::writingTheStoredValueLeavesTheFileAlone()
{
    const QByteArray before("[S]\r\n K = v \r\nN=12\r\n");
    writeAll(m_path, before);
    const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    IniFile ini(m_path);
    ini.writeString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v "));
    ini.writeInteger(QStringLiteral("S"), QStringLiteral("N"), 12);
    QCOMPARE(readAll(m_path), before);
    QCOMPARE(QFileInfo(m_path).fileTime(QFileDevice::FileModificationTime), old);
}

void TestIniFile::failedWriteKeepsTheFile()
{
    const QByteArray before = wide("[S]\r\nK=1\r\n");
    writeAll(m_path, before);
    IniFile ini(m_path);
    const QString expected = QStringLiteral("Unable to write to %1").arg(m_path);

    // A line break would plant a second line in the file.
    try {
        ini.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("a\nB=2"));
        QFAIL("no error raised");
    } catch (const PictoloomError &e) {
        QCOMPARE(e.message(), expected);
    }
    QCOMPARE(readAll(m_path), before);

    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    try {
        ini.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("2"));
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFAIL("no error raised");
    } catch (const PictoloomError &e) {
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(e.message(), expected);
    }
    QCOMPARE(readAll(m_path), before);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
