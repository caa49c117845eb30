#include "error.h"
#include "settings/headerfont.h"
#include "settings/inifile.h"
#include "settings/settingsfile.h"
#include "settings/storedcolor.h"
#include "testfiles.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(StoredSettings)

namespace {

StoredSettings defaultsWith(const std::function<void(StoredSettings &)> &change)
{
    StoredSettings s;
    change(s);
    return s;
}

const QString DefaultSection = QStringLiteral("[Pictoloom_Settings]\r\n"
                                              "Default=\r\n"
                                              "Width=1500\r\n"
                                              "Cols=8\r\n"
                                              "Spacer=10\r\n"
                                              "Sides=200\r\n"
                                              "BackImage=\r\n"
                                              "BackColor=16777215\r\n"
                                              "Quality=60\r\n"
                                              "MAP=1\r\n"
                                              "Browser=1\r\n"
                                              "PopWidth=800\r\n"
                                              "PopHeight=600\r\n"
                                              "Use_Back=0\r\n"
                                              "Numbers=1\r\n");

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("pictoloom.dat"));
        QFile::remove(m_path);
    }

    void firstStartAndClose();
    void readValuesIntoControls_data();
    void readValuesIntoControls();
    void readDefaultsFollowCurrentValues();
    void longDefaultImageIsCut();
    void roundTrip();
    void missingFolderIsReported();
    void headerFont();
    void headerFontConversion();
    void storedColors_data();
    void storedColors();
    void settingsPath_data();
    void settingsPath();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestSettingsFile::firstStartAndClose()
{
    const StoredSettings read = clampedToSpinRanges(readStoredSettings(m_path, StoredSettings()));
    QCOMPARE(read, StoredSettings());
    QCOMPARE(readAll(m_path), QByteArray("\xFF\xFE", 2));

    writeStoredSettings(m_path, read);
    QCOMPARE(readAll(m_path), wide(DefaultSection));
}

void TestSettingsFile::readValuesIntoControls_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<StoredSettings>("expected");

    QTest::newRow("Width above range") << "Width=99999" << defaultsWith([](auto &s) { s.width = 5000; });
    QTest::newRow("Width below range") << "Width=-3" << defaultsWith([](auto &s) { s.width = 100; });
    QTest::newRow("Quality below range") << "Quality=5" << defaultsWith([](auto &s) { s.quality = 10; });
    QTest::newRow("Width not a number") << "Width=abc" << StoredSettings();
    QTest::newRow("Width in hex") << "Width=0x400" << defaultsWith([](auto &s) { s.width = 1024; });
    QTest::newRow("Cols above range") << "Cols=30" << defaultsWith([](auto &s) { s.cols = 25; });
    QTest::newRow("PopHeight above range") << "PopHeight=2001"
                                           << defaultsWith([](auto &s) { s.popHeight = 2000; });
    QTest::newRow("MAP 2") << "MAP=2" << StoredSettings();
    QTest::newRow("MAP 0") << "MAP=0" << defaultsWith([](auto &s) { s.map = false; });
    QTest::newRow("MAP yes") << "MAP=yes" << StoredSettings();
    QTest::newRow("Use_Back 1") << "Use_Back=1" << defaultsWith([](auto &s) { s.useBack = true; });
    QTest::newRow("BackColor") << "BackColor=255" << defaultsWith([](auto &s) { s.backColor = 255; });
    QTest::newRow("Default quoted") << "Default=\"/p/a b.jpg\""
                                    << defaultsWith([](auto &s) { s.defaultImage = "/p/a b.jpg"; });
}

void TestSettingsFile::readValuesIntoControls()
{
    QFETCH(QString, line);
    QFETCH(StoredSettings, expected);
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(wide(QStringLiteral("[Pictoloom_Settings]\r\n") + line + QStringLiteral("\r\n")));
    file.close();
    QCOMPARE(clampedToSpinRanges(readStoredSettings(m_path, StoredSettings())), expected);
}

void TestSettingsFile::readDefaultsFollowCurrentValues()
{
    StoredSettings current;
    current.width = 3000; // fixed read default: stays 1500
    current.quality = 90; // fixed read default: stays 60
    current.defaultImage = QStringLiteral("/x.jpg"); // read default empty
    current.backColor = 42;
    current.map = false;
    current.browser = false;
    current.popWidth = 1234;
    current.popHeight = 321;
    current.useBack = true;
    current.numbers = false;

    StoredSettings expected = current;
    expected.width = 1500;
    expected.quality = 60;
    expected.defaultImage.clear();
    QCOMPARE(readStoredSettings(m_path, current), expected);
}

void TestSettingsFile::longDefaultImageIsCut()
{
    StoredSettings s;
    s.defaultImage = QString(3000, QLatin1Char('d'));
    writeStoredSettings(m_path, s);
    QCOMPARE(readStoredSettings(m_path, StoredSettings()).defaultImage, s.defaultImage.left(2047));
}

void TestSettingsFile::roundTrip()
{
    const StoredSettings s{QStringLiteral("/pics/fallback.png"), 2000, 5, 3, 50,
                           QString::fromUtf8("/pics/gr\xC3\xBCn.jpg"), 0x123456, 95, false, false,
                           1024, 768, true, false};
    writeStoredSettings(m_path, s);
    QCOMPARE(readStoredSettings(m_path, StoredSettings()), s);
    // A second close with the same values changes nothing.
    const QByteArray before = readAll(m_path);
    writeStoredSettings(m_path, s);
    QCOMPARE(readAll(m_path), before);
}

void TestSettingsFile::missingFolderIsReported()
{
    const QString path = m_dir.filePath(QStringLiteral("gone/pictoloom.dat"));
    QVERIFY_THROWS_EXCEPTION(PictoloomError, readStoredSettings(path, StoredSettings()));
    QVERIFY_THROWS_EXCEPTION(PictoloomError, writeStoredSettings(path, StoredSettings()));
}

void TestSettingsFile::headerFont()
{
    writeStoredSettings(m_path, StoredSettings());

    HeaderFontSpec font;
    LoadFont(m_path, HeaderFontSection, font);
    QCOMPARE(font, HeaderFontSpec());
    QCOMPARE(font.name, QStringLiteral("Lucida Sans"));
    QCOMPARE(font.size, 18);

    SaveFont(m_path, HeaderFontSection, font);
    QCOMPARE(readAll(m_path), wide(DefaultSection
                                   + QStringLiteral("[Headerfont]\r\n"
                                                    "Name=Lucida Sans\r\n"
                                                    "CharSet=0\r\n"
                                                    "Color=-16777208\r\n"
                                                    "Size=18\r\n"
                                                    "Style=0\r\n")));

    const HeaderFontSpec chosen{QStringLiteral("DejaVu Serif"), 2, 0x0000FF, 24,
                                HeaderFontSpec::Bold | HeaderFontSpec::Underline};
    SaveFont(m_path, HeaderFontSection, chosen);
    HeaderFontSpec loaded;
    LoadFont(m_path, HeaderFontSection, loaded);
    QCOMPARE(loaded, chosen);

    // Only the low 8 bits of the character set count.
    IniFile(m_path).writeInteger(HeaderFontSection, QStringLiteral("CharSet"), 256 + 128);
    LoadFont(m_path, HeaderFontSection, loaded);
    QCOMPARE(loaded.charSet, 128);
}

void TestSettingsFile::headerFontConversion()
{
    const HeaderFontSpec stored{QStringLiteral("DejaVu Sans"), 0, 0x010203, 20,
                              HeaderFontSpec::Italic | HeaderFontSpec::StrikeOut};
    const QFont font = toQFont(stored);
    QCOMPARE(font.family(), stored.name);
    QCOMPARE(font.pointSize(), 20);
    QVERIFY(!font.bold());
    QVERIFY(font.italic());
    QVERIFY(!font.underline());
    QVERIFY(font.strikeOut());
    const QColor color = headerFontColor(stored, QPalette());
    QCOMPARE(color, QColor(3, 2, 1));
    QCOMPARE(headerFontSpecFrom(font, color), stored);
}

void TestSettingsFile::storedColors_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QColor>("color");
    QTest::newRow("white") << 16777215 << QColor(255, 255, 255);
    QTest::newRow("red") << 255 << QColor(255, 0, 0);
    QTest::newRow("blue") << 0xFF0000 << QColor(0, 0, 255);
    QTest::newRow("mixed") << (3 * 65536 + 2 * 256 + 1) << QColor(1, 2, 3);
}

void TestSettingsFile::storedColors()
{
    QFETCH(int, stored);
    QFETCH(QColor, color);
    QCOMPARE(StoredColor::toColor(stored, QPalette()), color);
    QCOMPARE(StoredColor::fromColor(color), stored);

    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(10, 20, 30));
    QCOMPARE(StoredColor::toColor(StoredColor::WindowText, palette), QColor(10, 20, 30));
}

void TestSettingsFile::settingsPath_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("expected");
    const QString d = m_dir.path();
    const QString config = m_dir.filePath(QStringLiteral("config"));
    QTest::newRow("no extension") << d + "/pictoloom" << d + "/pictoloom.dat";
    QTest::newRow("extension replaced") << d + "/pictoloom.bin" << d + "/pictoloom.dat";
    QTest::newRow("last dot only") << d + "/pic.to.loom" << d + "/pic.to.dat";
    QTest::newRow("dots before the last slash") << d + "/../" + QFileInfo(d).fileName() + "/prog"
                                          << d + "/../" + QFileInfo(d).fileName() + "/prog.dat";
    QTest::newRow("folder not writable") << "/nonexistent-folder/pictoloom"
                                         << config + "/pictoloom/pictoloom.dat";
}

void TestSettingsFile::settingsPath()
{
    QFETCH(QString, program);
    QFETCH(QString, expected);
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
    QCOMPARE(SettingsPathFor(program), expected);
    QVERIFY(QFileInfo(QFileInfo(expected).absolutePath()).isDir());
}

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
