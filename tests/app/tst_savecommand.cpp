#include "dialoganswers.h"
#include "main1/delay.h"
#include "main1/main1.h"
#include "main1/maprecs.h"
#include "openedurls.h"
#include "picture/jpegcodec.h"
#include "picture/pictureregistry.h"
#include "testfiles.h"
#include "widgets/modal.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

// A sheet with detail everywhere, so the JPEG's size follows its quality.
QImage sheet(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x * y) % 256));
    return image;
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

int areaCount(const QByteArray &page)
{
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(page.constData() + 2),
                                            (page.size() - 2) / 2);
    return int(text.count(QStringLiteral("<area ")));
}

} // namespace

class TestSaveCommand : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TForm1> m_window;
    OpenedUrls m_shell;
    DialogAnswers m_ui;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    void showSheet(const QImage &image, int records)
    {
        m_window->TntImage1->setImage(image);
        MapRecs.clear();
        for (int i = 0; i < records; ++i)
            MapRecs.append({10 + i * 60, 20, 50, 40, path(QStringLiteral("pics/p%1.jpg").arg(i)), 820, 620});
    }

    void save(const QString &answer)
    {
        m_ui.answer = answer;
        QTest::mouseClick(m_window->SaveBtn, Qt::LeftButton);
    }

private slots:
    void init()
    {
        QFile::remove(DefaultSettingsPath());
        m_ui.clear();
        m_shell.urls.clear();
        m_ui.install();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_shell, "open");
        MapRecs.clear();
        m_window = std::make_unique<TForm1>();
        Form1 = m_window.get();
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
    }

    void cleanup()
    {
        Form1 = nullptr;
        m_window.reset();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        Modal::setHook({});
        QFile::remove(DefaultSettingsPath());
    }

    void withoutIndexPictureNothingHappens()
    {
        save(path("Sheet.jpg"));
        QCOMPARE(m_ui.fileDialogs, 0);
        QVERIFY(m_ui.messages.isEmpty());
        QVERIFY(QDir(m_dir.path()).isEmpty());
    }

    void cancelWritesNothing()
    {
        showSheet(sheet(300, 200), 2);
        save({});
        QCOMPARE(m_ui.fileDialogs, 1);
        QVERIFY(QDir(m_dir.path()).isEmpty());
        QVERIFY(!m_window->BrowseBtn->isEnabled());
        QVERIFY(m_shell.urls.isEmpty());
    }

    void dialogStartsInTheChosenFolder_data()
    {
        QTest::addColumn<bool>("copyFiles");
        QTest::addColumn<QString>("expected");
        QTest::newRow("source folder") << false << "source";
        QTest::newRow("destination folder") << true << "dest";
    }

    void dialogStartsInTheChosenFolder()
    {
        QFETCH(bool, copyFiles);
        QFETCH(QString, expected);
        QVERIFY(QDir().mkpath(path("source")));
        QVERIFY(QDir().mkpath(path("dest")));
        m_window->Folder->setText(path("source"));
        m_window->SaveFolder->setText(path("dest"));
        m_window->CopyFiles->setChecked(copyFiles);
        showSheet(sheet(300, 200), 1);
        save({});
        QCOMPARE(m_ui.folder, path(expected));
        QCOMPARE(m_ui.filters, PictureRegistry::jpegDialogFilter().split(QStringLiteral(";;")));
    }

    // Earlier files of the same names are replaced without a question.
    void writesSheetAndPage_data()
    {
        QTest::addColumn<bool>("saveMap");
        QTest::addColumn<bool>("browser");
        QTest::newRow("page, opened") << true << true;
        QTest::newRow("page, not opened") << true << false;
        QTest::newRow("no page") << false << true;
    }

    void writesSheetAndPage()
    {
        QFETCH(bool, saveMap);
        QFETCH(bool, browser);
        const QString jpeg = path("Sheet.jpg");
        const QString page = path("Sheet_index.html");
        writeAll(jpeg, "old sheet");
        writeAll(page, "old page");
        const QImage picture = sheet(640, 360);
        showSheet(picture, 3);
        m_window->Quality->setValue(37);
        m_window->SaveMap->setChecked(saveMap);
        m_window->Browser->setChecked(browser);

        save(jpeg);

        QVERIFY2(m_ui.messages.isEmpty(), qPrintable(m_ui.messages.join('\n')));
        const QByteArray written = readAll(jpeg);
        QCOMPARE(written, JpegCodec::encode(picture, 37));
        QCOMPARE(JpegCodec::readHeader(written).size, picture.size());
        QVERIFY(written.contains("\xff\xc0")); // baseline frame
        QVERIFY(!written.contains("\xff\xc2"));

        const QByteArray pageBytes = readAll(page);
        if (!saveMap) {
            QCOMPARE(pageBytes, QByteArray("old page"));
            QVERIFY(!m_window->BrowseBtn->isEnabled());
            QVERIFY(m_shell.urls.isEmpty());
            return;
        }
        QVERIFY(pageBytes.startsWith("\xff\xfe"));
        QCOMPARE(areaCount(pageBytes), 3);
        QVERIFY(m_window->BrowseBtn->isEnabled());
        QCOMPARE(m_window->BrowseBtn->statusTip(), page);
        const QList<QUrl> opened = browser ? QList<QUrl>{QUrl::fromLocalFile(page)} : QList<QUrl>{};
        QCOMPARE(m_shell.urls, opened);

        // "Browse last" opens the page again.
        QTest::mouseClick(m_window->BrowseBtn, Qt::LeftButton);
        QCOMPARE(m_shell.urls, opened + QList<QUrl>{QUrl::fromLocalFile(page)});
    }

    void qualityChangesTheFile()
    {
        showSheet(sheet(400, 300), 1);
        m_window->SaveMap->setChecked(false);
        m_window->Quality->setValue(20);
        save(path("low.jpg"));
        m_window->Quality->setValue(95);
        save(path("high.jpg"));
        QVERIFY(QFileInfo(path("low.jpg")).size() > 0);
        QVERIFY(QFileInfo(path("low.jpg")).size() < QFileInfo(path("high.jpg")).size());
    }

    void pageIsNamedAfterTheSheet_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("jpeg");
        QTest::addColumn<QString>("page");
        QTest::newRow("plain") << "Sheet.jpg" << "Sheet.jpg" << "Sheet_index.html";
        QTest::newRow("two dots") << "a.b.jpg" << "a.b.jpg" << "a.b_index.html";
        QTest::newRow("no extension typed") << "Sheet" << "Sheet.jpg" << "Sheet_index.html";
    }

    void pageIsNamedAfterTheSheet()
    {
        QFETCH(QString, typed);
        QFETCH(QString, jpeg);
        QFETCH(QString, page);
        showSheet(sheet(200, 100), 1);
        m_window->Browser->setChecked(false);
        save(path(typed));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{jpeg, page}));
        QCOMPARE(m_window->BrowseBtn->statusTip(), path(page));
    }

    // A save that fails leaves what was there and writes no page.
    void failedSaveKeepsWhatWasThere_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("folderInPlace");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("reportsPath");
        QTest::newRow("missing folder") << "missing/Sheet.jpg" << false << 300 << true;
        QTest::newRow("folder in place of the file") << "Sheet.jpg" << true << 300 << true;
        QTest::newRow("encoder refuses the size") << "Sheet.jpg" << false << 70000 << false;
    }

    void failedSaveKeepsWhatWasThere()
    {
        QFETCH(QString, name);
        QFETCH(bool, folderInPlace);
        QFETCH(int, width);
        QFETCH(bool, reportsPath);
        const QString jpeg = path(name);
        const QString page = path("Sheet_index.html");
        if (folderInPlace)
            QVERIFY(QDir().mkpath(jpeg));
        else if (QFileInfo(jpeg).absoluteDir().exists())
            writeAll(jpeg, "old sheet");
        writeAll(page, "old page");
        const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        showSheet(sheet(width, 2), 2);

        save(jpeg);

        QCOMPARE(m_ui.messages.size(), 1);
        if (reportsPath)
            QVERIFY2(m_ui.messages.first().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(jpeg)),
                     qPrintable(m_ui.messages.first()));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(QFileInfo(jpeg).isDir(), folderInPlace);
        if (QFileInfo(jpeg).isFile())
            QCOMPARE(readAll(jpeg), QByteArray("old sheet"));
        QCOMPARE(readAll(page), QByteArray("old page"));
        QVERIFY(!m_window->BrowseBtn->isEnabled());
        QVERIFY(m_shell.urls.isEmpty());
    }

    // The new JPEG stays; "Browse last" keeps the page written before.
    void failedPageKeepsTheNewSheet()
    {
        const QImage picture = sheet(300, 200);
        showSheet(picture, 2);
        save(path("first.jpg"));
        QVERIFY(QDir().mkpath(path("Sheet_index.html")));
        m_shell.urls.clear();

        save(path("Sheet.jpg"));

        QCOMPARE(readAll(path("Sheet.jpg")), JpegCodec::encode(picture, m_window->Quality->value()));
        QCOMPARE(m_ui.messages.size(), 1);
        QVERIFY2(m_ui.messages.first().startsWith(
                     QStringLiteral("Cannot create file \"%1\". ").arg(path("Sheet_index.html"))),
                 qPrintable(m_ui.messages.first()));
        QVERIFY(m_window->BrowseBtn->isEnabled());
        QCOMPARE(m_window->BrowseBtn->statusTip(), path("first_index.html"));
        QVERIFY(m_shell.urls.isEmpty());
    }

    void delayHandlesEvents()
    {
        bool handled = false;
        QTimer::singleShot(0, this, [&] { handled = true; });
        Delay(20);
        QVERIFY(handled);
    }
};

QTEST_MAIN(TestSaveCommand)
#include "tst_savecommand.moc"
