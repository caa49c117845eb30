#include "error.h"
#include "main1/main1.h"
#include "main1/unixsignals.h"
#include "settings/inifile.h"
#include "widgets/colorswatch.h"
#include "widgets/headerfontdialog.h"
#include "widgets/modal.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <csignal>
#include <memory>

namespace {

const QString Section = QStringLiteral("Pictoloom_Settings");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the program writes: FF FE, then UTF-16LE.
QByteArray utf16File(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QString lines(const QStringList &list)
{
    return list.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

const QStringList DefaultSection{
    "[Pictoloom_Settings]", "Default=", "Width=1500", "Cols=8", "Spacer=10", "Sides=200",
    "BackImage=", "BackColor=16777215", "Quality=60", "MAP=1", "Browser=1", "PopWidth=800",
    "PopHeight=600", "Use_Back=0", "Numbers=1"};

} // namespace

class TestSettingsWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TForm1> m_window;
    QStringList m_messages;
    std::function<int(QDialog &)> m_answer;

    QString path() const { return DefaultSettingsPath(); }

    void openWindow()
    {
        m_window = std::make_unique<TForm1>();
        Form1 = m_window.get();
    }

    void closeWindow()
    {
        m_window->close();
        Form1 = nullptr;
        m_window.reset();
    }

    void store(const QString &section, const QString &key, const QString &value)
    {
        IniFile(path()).writeString(section, key, value);
    }

private slots:
    void init()
    {
        QFile::remove(path());
        m_messages.clear();
        m_answer = nullptr;
        Modal::setHook([this](QDialog &dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(&dialog)) {
                m_messages << box->text();
                return int(QMessageBox::Ok);
            }
            return m_answer ? m_answer(dialog) : int(QDialog::Rejected);
        });
    }

    void cleanup()
    {
        Form1 = nullptr;
        m_window.reset();
        Modal::setHook({});
        QFile::remove(path());
    }

    void firstStartMarksTheFileAndCloseWritesTheDefaults()
    {
        openWindow();
        QCOMPARE(m_window->SettingsPath, path());
        QCOMPARE(fileBytes(path()), QByteArray("\xFF\xFE", 2));
        QCOMPARE(m_window->iWidth->value(), 1500);
        closeWindow();
        QCOMPARE(fileBytes(path()), utf16File(lines(DefaultSection)));
        QVERIFY(m_messages.isEmpty());
    }

    void storedValueReachesItsControl_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QVariant>("shown");

        QTest::newRow("width above range") << "Width" << "99999" << "iWidth" << QVariant(5000);
        QTest::newRow("quality below range") << "Quality" << "5" << "Quality" << QVariant(10);
        QTest::newRow("width not a number") << "Width" << "abc" << "iWidth" << QVariant(1500);
        QTest::newRow("width hexadecimal") << "Width" << "0x400" << "iWidth" << QVariant(1024);
        QTest::newRow("width after $") << "Width" << "$400" << "iWidth" << QVariant(1024);
        QTest::newRow("width empty") << "Width" << "" << "iWidth" << QVariant(1500);
        QTest::newRow("cols above range") << "Cols" << "30" << "iCols" << QVariant(25);
        QTest::newRow("spacer") << "Spacer" << "3" << "Space" << QVariant(3);
        QTest::newRow("sides") << "Sides" << "0" << "Sides" << QVariant(1);
        QTest::newRow("pop width below range") << "PopWidth" << "-7" << "PopWidth" << QVariant(100);
        QTest::newRow("pop height not a number") << "PopHeight" << "tall" << "PopHeight" << QVariant(600);
        QTest::newRow("map 2") << "MAP" << "2" << "SaveMap" << QVariant(true);
        QTest::newRow("map 0") << "MAP" << "0" << "SaveMap" << QVariant(false);
        QTest::newRow("map yes") << "MAP" << "yes" << "SaveMap" << QVariant(true);
        QTest::newRow("browser 0") << "Browser" << "0" << "Browser" << QVariant(false);
        QTest::newRow("numbers 0") << "Numbers" << "0" << "AddNumbers" << QVariant(false);
        QTest::newRow("default image") << "Default" << "/pictures/missing.png" << "DefaultPic"
                                       << QVariant("/pictures/missing.png");
        QTest::newRow("default 3000 characters") << "Default" << QString(3000, u'x') << "DefaultPic"
                                                 << QVariant(QString(2047, u'x'));
        QTest::newRow("back image") << "BackImage" << QString::fromUtf8("/fotos/Hintergrund ä.jpg")
                                    << "BackPic" << QVariant(QString::fromUtf8("/fotos/Hintergrund ä.jpg"));
    }

    void storedValueReachesItsControl()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, control);
        QFETCH(QVariant, shown);

        store(Section, key, value);
        openWindow();
        QObject *widget = m_window->findChild<QObject *>(control);
        QVERIFY(widget);
        if (auto *spin = qobject_cast<QSpinBox *>(widget))
            QCOMPARE(spin->value(), shown.toInt());
        else if (auto *box = qobject_cast<QCheckBox *>(widget))
            QCOMPARE(box->isChecked(), shown.toBool());
        else
            QCOMPARE(qobject_cast<QLineEdit *>(widget)->text(), shown.toString());
        QVERIFY(m_messages.isEmpty());
    }

    void useBackTicksAndEnablesTheBackgroundPicture()
    {
        store(Section, "Use_Back", "1");
        openWindow();
        QVERIFY(m_window->UseBack->isChecked());
        QVERIFY(m_window->BackPic->isEnabled());
    }

    void backColorFillsTheSwatch()
    {
        store(Section, "BackColor", QString::number(0x123456)); // blue 0x12, green 0x34, red 0x56
        openWindow();
        QCOMPARE(m_window->BackColor->color(), QColor(0x56, 0x34, 0x12));
    }

    void closeWritesWhatTheControlsHold()
    {
        openWindow();
        m_window->DefaultPic->setText(" /p/d.jpg");
        m_window->iCols->setValue(12);
        m_window->BackColor->setColor(QColor(1, 2, 3));
        m_window->SaveMap->setChecked(false);
        m_window->UseBack->setChecked(true);
        // Text not yet brought into range is written as typed, no number as the minimum.
        m_window->iWidth->selectAll();
        QTest::keyClicks(m_window->iWidth, "5");
        m_window->Quality->selectAll();
        QTest::keyClick(m_window->Quality, Qt::Key_Delete);
        closeWindow();

        QStringList expected = DefaultSection;
        expected[1] = "Default=/p/d.jpg";
        expected[2] = "Width=5";
        expected[3] = "Cols=12";
        expected[7] = QStringLiteral("BackColor=%1").arg(3 * 65536 + 2 * 256 + 1);
        expected[8] = "Quality=10";
        expected[9] = "MAP=0";
        expected[13] = "Use_Back=1";
        QCOMPARE(fileBytes(path()), utf16File(lines(expected)));

        // The next start shows them, the typed width brought into range.
        openWindow();
        QCOMPARE(m_window->DefaultPic->text(), QStringLiteral("/p/d.jpg"));
        QCOMPARE(m_window->iWidth->value(), 100);
        QCOMPARE(m_window->iCols->value(), 12);
        QCOMPARE(m_window->BackColor->color(), QColor(1, 2, 3));
        QVERIFY(!m_window->SaveMap->isChecked());
        QVERIFY(m_window->UseBack->isChecked());
        QVERIFY(m_window->BackPic->isEnabled());
    }

    void unstoredControlsStartAfresh()
    {
        openWindow();
        m_window->Folder->setText("/photos");
        m_window->Header->setText("Summer");
        m_window->CopyFiles->setChecked(true);
        closeWindow();
        openWindow();
        QCOMPARE(m_window->Folder->text(), QString());
        QCOMPARE(m_window->Header->text(), QString());
        QVERIFY(!m_window->CopyFiles->isChecked());
    }

    void otherLinesSurviveTheClose()
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; mine\r\n[pictoloom_settings]\r\nwidth = 2000\r\n[Other]\r\nKey=1\r\n");
        file.close();
        openWindow();
        QCOMPARE(m_window->iWidth->value(), 2000);
        closeWindow();
        // An 8-bit file stays 8-bit; new keys follow the last key of their section.
        QCOMPARE(fileBytes(path()),
                 QByteArray("; mine\r\n[pictoloom_settings]\r\nwidth = 2000\r\nDefault=\r\nCols=8\r\n"
                            "Spacer=10\r\nSides=200\r\nBackImage=\r\nBackColor=16777215\r\nQuality=60\r\n"
                            "MAP=1\r\nBrowser=1\r\nPopWidth=800\r\nPopHeight=600\r\nUse_Back=0\r\n"
                            "Numbers=1\r\n[Other]\r\nKey=1\r\n"));
    }

    void headerFontKeepsItsDefaultWithoutASection()
    {
        store(Section, "Width", "1500");
        openWindow();
        QCOMPARE(m_window->Fontlabel->font().family(), QStringLiteral("Lucida Sans"));
        QCOMPARE(m_window->Fontlabel->font().pointSize(), 18);
        QCOMPARE(m_window->FontlabelColor(), m_window->palette().color(QPalette::WindowText));
        closeWindow();
        QVERIFY(!fileBytes(path()).contains(utf16File("Headerfont").mid(2)));
    }

    void choosingAFontStoresItsFiveKeysAtOnce()
    {
        openWindow();
        QFont chosen(QStringLiteral("DejaVu Serif"), 24);
        chosen.setItalic(true);
        chosen.setUnderline(true);
        m_answer = [&](QDialog &dialog) {
            auto *fonts = qobject_cast<HeaderFontDialog *>(&dialog);
            if (!fonts)
                return int(QDialog::Rejected);
            fonts->setCurrentFont(chosen);
            fonts->setCurrentColor(QColor(0, 128, 255));
            return int(QDialog::Accepted);
        };
        m_window->TntButton6->click();
        // Written before the window closes, with nothing of the other section.
        QCOMPARE(fileBytes(path()),
                 utf16File(lines({"[Headerfont]", "Name=DejaVu Serif", "CharSet=0",
                                  QStringLiteral("Color=%1").arg(255 * 65536 + 128 * 256), "Size=24",
                                  "Style=6"})));
        closeWindow();

        openWindow();
        QCOMPARE(m_window->Fontlabel->font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(m_window->Fontlabel->font().pointSize(), 24);
        QVERIFY(m_window->Fontlabel->font().italic());
        QVERIFY(m_window->Fontlabel->font().underline());
        QVERIFY(!m_window->Fontlabel->font().bold());
        QCOMPARE(m_window->FontlabelColor(), QColor(0, 128, 255));
    }

    void storedFontIsApplied_data()
    {
        QTest::addColumn<QString>("color");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("charSet");
        QTest::addColumn<QColor>("shown");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("strikeOut");

        QTest::newRow("plain red, bold") << "255" << "1" << "0" << QColor(Qt::red) << true << false;
        QTest::newRow("window text, strike-out") << "-16777208" << "8" << "0" << QColor() << false << true;
        QTest::newRow("character set kept") << "0" << "0" << "204" << QColor(Qt::black) << false << false;
    }

    void storedFontIsApplied()
    {
        QFETCH(QString, color);
        QFETCH(QString, style);
        QFETCH(QString, charSet);
        QFETCH(QColor, shown);
        QFETCH(bool, bold);
        QFETCH(bool, strikeOut);

        const QString s = QStringLiteral("Headerfont");
        store(s, "Name", "DejaVu Sans");
        store(s, "CharSet", charSet);
        store(s, "Color", color);
        store(s, "Size", "30");
        store(s, "Style", style);
        openWindow();
        const QFont font = m_window->Fontlabel->font();
        QCOMPARE(font.family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(font.pointSize(), 30);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.strikeOut(), strikeOut);
        QCOMPARE(m_window->FontlabelColor(),
                 shown.isValid() ? shown : m_window->palette().color(QPalette::WindowText));
        QCOMPARE(m_window->FHeaderCharSet, charSet.toInt());

        // Choosing a font again writes the character set back as it was.
        m_answer = [](QDialog &) { return int(QDialog::Accepted); };
        m_window->TntButton6->click();
        QCOMPARE(IniFile(path()).readInteger(s, "CharSet", -1), charSet.toInt());
    }

    void unwritableFileIsReportedAndTheWindowStillCloses()
    {
        openWindow();
        m_window->show();
        m_window->SettingsPath = QStringLiteral("/nonexistent-folder/pictoloom.dat");
        QVERIFY(m_window->close());
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().startsWith(
                     "Cannot create file \"/nonexistent-folder/pictoloom.dat\". "),
                 qPrintable(m_messages.first()));
        QVERIFY(!m_window->isVisible());
    }

    void signalClosesTheWindowAndSaves_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void signalClosesTheWindowAndSaves()
    {
        QFETCH(int, signalNumber);
        openWindow();
        UnixSignalCloser closer(m_window.get());
        m_window->show();
        m_window->iCols->setValue(5);
        // An open dialog is cancelled, so nothing keeps the program running.
        QDialog dialog(m_window.get());
        dialog.show();
        bool rejected = false;
        connect(&dialog, &QDialog::rejected, this, [&] { rejected = true; });

        QCOMPARE(::raise(signalNumber), 0);
        QTRY_VERIFY(!m_window->isVisible());
        QVERIFY(rejected);
        QCOMPARE(IniFile(path()).readInteger(Section, "Cols", -1), 5);
    }

    void secondSignalWatcherIsRefused()
    {
        openWindow();
        UnixSignalCloser closer(m_window.get());
        QVERIFY_THROWS_EXCEPTION(PictoloomError, UnixSignalCloser(m_window.get()));
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
