#include "contextmenu/contextmenuentry.h"
#include "main1/main1.h"
#include "openedurls.h"
#include "widgets/modal.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

class TestShell : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dataHome;
    std::unique_ptr<TForm1> m_window;
    QStringList m_messages;
    OpenedUrls m_shell;

    void openWindow()
    {
        m_window = std::make_unique<TForm1>();
        Form1 = m_window.get();
    }

    static bool anyEntryFile()
    {
        const QStringList paths = contextMenuEntryFiles();
        return std::any_of(paths.cbegin(), paths.cend(),
                           [](const QString &path) { return QFileInfo::exists(path); });
    }

    static QString besideProgram() { return QCoreApplication::applicationDirPath() + "/pictoloom.rtf"; }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void init()
    {
        // Each test gets its own data folder, so the user's menus stay untouched.
        m_dataHome = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dataHome->isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome->path()));
        QFile::remove(DefaultSettingsPath());
        m_messages.clear();
        Modal::setHook([this](QDialog &dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(&dialog))
                m_messages << box->text();
            return int(QMessageBox::Ok);
        });
        m_shell.urls.clear();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_shell, "open");
    }

    void cleanup()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        Form1 = nullptr;
        m_window.reset();
        Modal::setHook({});
        QFile::remove(DefaultSettingsPath());
        QFile::remove(besideProgram());
        QDir(besideProgram()).removeRecursively();
        m_dataHome.reset();
        qunsetenv("XDG_DATA_HOME");
    }

    void buttonAddsThenRemovesTheEntry()
    {
        openWindow();
        QVERIFY(!m_window->JvLED1->isOn());

        m_window->TntButton4->click();
        QVERIFY(m_window->JvLED1->isOn());
        const QStringList paths = contextMenuEntryFiles();
        for (const QString &path : paths) {
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            const QString text = QString::fromUtf8(file.readAll());
            QVERIFY2(text.contains(QCoreApplication::applicationFilePath()), qPrintable(text));
            QVERIFY2(text.contains(ContextMenuCaption), qPrintable(text));
        }

        // A later start finds the entry.
        m_window.reset();
        openWindow();
        QVERIFY(m_window->JvLED1->isOn());

        m_window->TntButton4->click();
        QVERIFY(!m_window->JvLED1->isOn());
        QVERIFY(!anyEntryFile());
        QVERIFY(m_messages.isEmpty());
    }

    void entryOfAMovedProgramCountsAsPresent()
    {
        const QString stale = contextMenuEntryFiles().at(2);
        writeFile(stale, "[Nemo Action]\nExec=\"/old/place/pictoloom\" %F\n");
        openWindow();
        QVERIFY(m_window->JvLED1->isOn());

        m_window->TntButton4->click();
        QVERIFY(!m_window->JvLED1->isOn());
        QVERIFY(!anyEntryFile());

        m_window->TntButton4->click();
        QVERIFY(m_window->JvLED1->isOn());
        QFile file(stale);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(!text.contains("/old/place"));
        QVERIFY(text.contains(QFile::encodeName(QCoreApplication::applicationFilePath())));
    }

    void entryThatCannotBeWrittenIsReportedAndTheLampStaysOff()
    {
        // A file where the data folder should be: nothing can be made under it.
        const QString blocked = m_dataHome->filePath("blocked");
        writeFile(blocked, "x");
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocked));
        openWindow();
        m_window->TntButton4->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().startsWith("Failed to set data for '"), qPrintable(m_messages.first()));
        QVERIFY(!m_window->JvLED1->isOn());
    }

    void readmeButtonOpensTheReadme_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("opened");

        QTest::newRow("none") << "" << false;
        QTest::newRow("beside the program") << "beside" << true;
        QTest::newRow("a folder of that name") << "folder" << false;
        QTest::newRow("installed data folder") << "data" << true;
    }

    void readmeButtonOpensTheReadme()
    {
        QFETCH(QString, where);
        QFETCH(bool, opened);

        QString path;
        if (where == "beside")
            path = besideProgram();
        else if (where == "data")
            path = m_dataHome->filePath("pictoloom/pictoloom.rtf");
        if (!path.isEmpty())
            writeFile(path, "{\\rtf1 readme}");
        if (where == "folder")
            QVERIFY(QDir().mkpath(besideProgram()));

        openWindow();
        m_window->TntButton7->click();
        QCOMPARE(m_shell.urls, opened ? QList<QUrl>{QUrl::fromLocalFile(path)} : QList<QUrl>{});
        QVERIFY(m_messages.isEmpty());
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
