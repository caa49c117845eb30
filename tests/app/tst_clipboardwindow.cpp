#include "ClipNote/clipnote.h"
#include "main1/main1.h"
#include "widgets/modal.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

QStringList entries(const FileListBox *list)
{
    QStringList paths;
    for (int i = 0; i < list->count(); ++i)
        paths << list->item(i)->text();
    return paths;
}

QMimeData *uriList(const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    auto *data = new QMimeData;
    data->setUrls(urls);
    return data;
}

QMimeData *gnomeCopiedFiles(const QByteArray &payload)
{
    auto *data = new QMimeData;
    data->setData(QStringLiteral("x-special/gnome-copied-files"), payload);
    return data;
}

void copy(QMimeData *data)
{
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
    QCoreApplication::processEvents();
}

} // namespace

class TestClipboardWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TForm1> m_window;
    QStringList m_messages;

    void watch() { m_window->TntButton5->click(); }

private slots:
    void init()
    {
        QFile::remove(DefaultSettingsPath());
        QGuiApplication::clipboard()->clear();
        m_messages.clear();
        Modal::setHook([this](QDialog &dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(&dialog))
                m_messages << box->text();
            return int(QMessageBox::Ok);
        });
        m_window = std::make_unique<TForm1>();
        Form1 = m_window.get();
    }

    void cleanup()
    {
        Form1 = nullptr;
        m_window.reset();
        Modal::setHook({});
        QFile::remove(DefaultSettingsPath());
    }

    void buttonSwitchesTheWatchAndItsLamp()
    {
        QVERIFY(!m_window->JvLED2->isOn());
        watch();
        QVERIFY(m_window->JvLED2->isOn());
        QVERIFY(m_window->ClipNote1);
        QVERIFY(m_window->ClipNote1->Active());
        QCOMPARE(m_window->ClipNote1->parent(), m_window.get());
        watch();
        QVERIFY(!m_window->JvLED2->isOn());
        QVERIFY(!m_window->ClipNote1->Active());
    }

    void copiedFilesAreAdded_data()
    {
        QTest::addColumn<QString>("extensions");
        QTest::addColumn<QStringList>("copied");
        QTest::addColumn<QStringList>("added");

        const QStringList abc{"/p/a.JPG", "/p/b.png", "/p/c.jpeg"};
        QTest::newRow("listed, in clipboard order, case kept")
            << ".jpg.jpeg" << abc << QStringList{"/p/a.JPG", "/p/c.jpeg"};
        QTest::newRow("no leading-dot rule") << ".jpg" << QStringList{"/p/.x.jpg"} << QStringList{"/p/.x.jpg"};
        QTest::newRow("substring of the list") << ".jpeg" << QStringList{"/p/a.jp", "/p/b.jpe"}
                                               << QStringList{"/p/a.jp", "/p/b.jpe"};
        QTest::newRow("no extension") << ".jpg" << QStringList{"/p/jpg", "/p.jpg/file"} << QStringList{};
        QTest::newRow("star: every readable type")
            << "*" << QStringList{"/p/a.JPG", "/p/b.png", "/p/c.xyz", "/p/d"}
            << QStringList{"/p/a.JPG", "/p/b.png"};
        QTest::newRow("blanks and non-ASCII") << ".jpg" << QStringList{QString::fromUtf8("/p/Ökö ß 1.jpg")}
                                              << QStringList{QString::fromUtf8("/p/Ökö ß 1.jpg")};
    }

    void copiedFilesAreAdded()
    {
        QFETCH(QString, extensions);
        QFETCH(QStringList, copied);
        QFETCH(QStringList, added);

        m_window->Extensions->setText(extensions);
        m_window->files->addItem("/earlier.jpg");
        watch();
        copy(uriList(copied));
        QCOMPARE(entries(m_window->files), QStringList{"/earlier.jpg"} + added);
        QCOMPARE(m_window->TntLabel7->text(), QString::number(1 + added.size()));
        QVERIFY(m_messages.isEmpty());
    }

    void gnomeCopiedFilesAreAdded()
    {
        watch();
        copy(gnomeCopiedFiles("copy\nfile:///p/one.jpg\nfile:///p/two%20words.JPEG\nfile:///p/skip.gif"));
        QCOMPARE(entries(m_window->files), (QStringList{"/p/one.jpg", "/p/two words.JPEG"}));
        QCOMPARE(m_window->TntLabel7->text(), QStringLiteral("2"));
    }

    void dataNamingNoLocalFileAddsNothingButRefreshesTheCount()
    {
        m_window->files->addItem("/earlier.jpg"); // not counted yet
        watch();
        auto *text = new QMimeData;
        text->setText("/p/a.jpg");
        copy(text);
        QCOMPARE(m_window->TntLabel7->text(), QStringLiteral("1"));

        auto *remote = new QMimeData;
        remote->setUrls({QUrl("https://example.org/a.jpg"), QUrl("file://otherhost/p/b.jpg")});
        copy(remote);
        auto *picture = new QMimeData;
        picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
        copy(picture);
        copy(gnomeCopiedFiles("cut\n"));

        QCOMPARE(entries(m_window->files), QStringList{"/earlier.jpg"});
        QVERIFY(m_messages.isEmpty());
    }

    void nothingIsAddedWhileNotWatching()
    {
        copy(uriList({"/p/a.jpg"}));
        watch();
        QVERIFY(m_window->files->count() == 0); // switching on adds nothing by itself
        watch();
        copy(uriList({"/p/b.jpg"}));
        QCOMPARE(m_window->files->count(), 0);
        QCOMPARE(m_window->TntLabel7->text(), QStringLiteral("0"));
    }

    void copyingTwiceListsTwiceWithTheExtensionsOfTheMoment()
    {
        watch();
        copy(uriList({"/p/a.jpg", "/p/b.png"}));
        m_window->Extensions->setText(".png");
        copy(uriList({"/p/a.jpg", "/p/b.png"}));
        m_window->Extensions->setText(".jpg.png");
        copy(uriList({"/p/a.jpg", "/p/b.png"}));
        QCOMPARE(entries(m_window->files),
                 (QStringList{"/p/a.jpg", "/p/b.png", "/p/a.jpg", "/p/b.png"}));
        QCOMPARE(m_window->TntLabel7->text(), QStringLiteral("4"));
    }
};

QTEST_MAIN(TestClipboardWindow)
#include "tst_clipboardwindow.moc"
