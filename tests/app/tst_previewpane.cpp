#include "dialoganswers.h"
#include "main1/main1.h"
#include "openedurls.h"
#include "picture/jpegcodec.h"
#include "testfiles.h"
#include "widgets/modal.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

QImage picture(int width, int height, int seed = 0)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + seed) % 256, (y * 5) % 256, (x * y + seed) % 256));
    return image;
}

quint32 le(const QByteArray &bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes.at(at + i));
    return value;
}

} // namespace

class TestPreviewPane : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_temp; // what the window takes as the temporary folder
    QByteArray m_oldTmpdir;
    std::unique_ptr<TForm1> m_window;
    OpenedUrls m_shell;
    DialogAnswers m_ui;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The pane as the row wants it: the index, or one source image (JPEG data or not).
    void showPane(const QString &shown, const QImage &image, const QByteArray &jpeg = {})
    {
        if (shown == QLatin1String("index")) {
            m_window->TntImage1->setImage(image);
            m_window->TntScrollBox1->show();
        } else {
            m_window->TntImage2->setImage(image, jpeg);
            m_window->TntScrollBox1->hide();
        }
    }

    void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    QStringList tempEntries() const
    {
        return QDir(m_temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

private slots:
    void initTestCase()
    {
        m_oldTmpdir = qgetenv("TMPDIR");
        QVERIFY(m_dir.isValid());
    }

    void cleanupTestCase()
    {
        qputenv("TMPDIR", m_oldTmpdir);
    }

    void init()
    {
        QFile::remove(DefaultSettingsPath());
        m_ui.clear();
        m_shell.urls.clear();
        QDir(m_dir.path()).removeRecursively();
        m_temp = path("tmp");
        QVERIFY(QDir().mkpath(m_temp));
        qputenv("TMPDIR", QFile::encodeName(m_temp));
        m_ui.install();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_shell, "open");
        m_window = std::make_unique<TForm1>();
        Form1 = m_window.get();
    }

    void cleanup()
    {
        Form1 = nullptr;
        m_window.reset();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        Modal::setHook({});
        QFile::remove(DefaultSettingsPath());
    }

    void zoomToggle_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("larger than the pane") << QSize(3000, 2000);
        QTest::newRow("smaller than the pane") << QSize(40, 30);
    }

    void zoomToggle()
    {
        QFETCH(QSize, size);
        m_window->resize(1280, 800);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QImage image(size, QImage::Format_RGB888);
        image.fill(Qt::red);
        m_window->TntImage1->setImage(image);
        ImageView *view = m_window->TntImage1;
        QScrollArea *box = m_window->TntScrollBox1;
        const QSize pane = box->maximumViewportSize();
        const bool larger = size.width() > pane.width() && size.height() > pane.height();

        QTest::mouseDClick(view, Qt::LeftButton);
        QVERIFY(!view->fitMode());
        QTRY_COMPARE(box->horizontalScrollBar()->isVisible(), larger);
        QCOMPARE(box->verticalScrollBar()->isVisible(), larger);
        QTRY_COMPARE(view->size(), size.expandedTo(box->viewport()->size()));
        QCOMPARE(box->horizontalScrollBar()->maximum(), qMax(0, size.width() - box->viewport()->width()));
        QCOMPARE(box->verticalScrollBar()->maximum(), qMax(0, size.height() - box->viewport()->height()));
        QCOMPARE(box->verticalScrollBar()->singleStep(), 44);
        // Drawn 1:1 from the top-left corner.
        QCOMPARE(view->grab().toImage().pixelColor(0, 0), QColor(Qt::red));

        QTest::mouseDClick(view, Qt::LeftButton);
        QVERIFY(view->fitMode());
        QTRY_COMPARE(view->size(), pane);
        QVERIFY(!box->horizontalScrollBar()->isVisible());
        QVERIFY(!box->verticalScrollBar()->isVisible());
        QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(box->verticalScrollBar()->maximum(), 0);
        // Fitted and centred, never enlarged: the corner shows only when it fills the pane's width or height.
        const QImage shown = view->grab().toImage();
        QCOMPARE(shown.pixelColor(pane.width() / 2, pane.height() / 2), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(0, 0) == QColor(Qt::red), false);
    }

    void zoomToggleNeedsAPicture()
    {
        QTest::mouseDClick(m_window->TntImage1, Qt::LeftButton);
        QVERIFY(m_window->TntImage1->fitMode());
    }

    // A JPEG source keeps its bytes whatever Quality says; anything else is encoded at Quality.
    void saveImage_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("jpegSource");
        QTest::newRow("index") << "index" << false;
        QTest::newRow("single JPEG") << "single" << true;
        QTest::newRow("single bitmap") << "single" << false;
    }

    void saveImage()
    {
        QFETCH(QString, shown);
        QFETCH(bool, jpegSource);
        const QImage image = picture(320, 240);
        const QByteArray source = jpegSource ? JpegCodec::encode(image, 80) : QByteArray();
        m_window->TntImage1->setImage(picture(200, 100, 1));
        m_window->Quality->setValue(25);
        // SAVE sets the dialog's folder; "Save image" leaves it there.
        QVERIFY(QDir().mkpath(path("first")));
        m_window->Folder->setText(path("first"));
        click(m_window->SaveBtn);
        QCOMPARE(m_ui.folder, path("first"));
        m_window->Folder->setText(path("elsewhere"));
        showPane(shown, image, source);
        const QImage saved = shown == QLatin1String("index") ? m_window->TntImage1->image() : image;

        m_ui.answer = path("out.jpg");
        click(m_window->TntButton8);

        QVERIFY2(m_ui.messages.isEmpty(), qPrintable(m_ui.messages.join('\n')));
        QCOMPARE(m_ui.folder, path("first"));
        QCOMPARE(m_ui.filters, QStringList{QStringLiteral("JPEG Image (*.jpg)")});
        QCOMPARE(readAll(path("out.jpg")), jpegSource ? source : JpegCodec::encode(saved, 25));
        QVERIFY(!QFile::exists(path("out_index.html")));
    }

    void commandsNeedAPicture_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::newRow("index") << "index";
        QTest::newRow("single") << "single";
    }

    void commandsNeedAPicture()
    {
        QFETCH(QString, shown);
        showPane(shown, {});
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        m_ui.answer = path("out.jpg");
        click(m_window->TntButton8);
        click(m_window->TntButton10);
        click(m_window->TntButton9);
        QCOMPARE(m_ui.fileDialogs, 0);
        QVERIFY(m_ui.messages.isEmpty());
        QVERIFY(m_shell.urls.isEmpty());
        QVERIFY(tempEntries().isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    }

    // Each click replaces the one temporary file of its kind and opens it.
    void viewImage_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("jpegSource");
        QTest::addColumn<QString>("name");
        QTest::newRow("index") << "index" << false << "Pictoloom_temp.bmp";
        QTest::newRow("single JPEG") << "single" << true << "Pictoloom_temp.jpg";
        QTest::newRow("single bitmap") << "single" << false << "Pictoloom_temp.jpg";
    }

    void viewImage()
    {
        QFETCH(QString, shown);
        QFETCH(bool, jpegSource);
        QFETCH(QString, name);
        const QString file = QDir(m_temp).filePath(name);
        m_window->Quality->setValue(30);
        for (int seed : {0, 99}) {
            const QImage image = picture(120, 80, seed);
            const QByteArray source = jpegSource ? JpegCodec::encode(image, 70) : QByteArray();
            showPane(shown, image, source);
            click(m_window->TntButton10);

            QVERIFY2(m_ui.messages.isEmpty(), qPrintable(m_ui.messages.join('\n')));
            QCOMPARE(tempEntries(), QStringList{name});
            const QByteArray written = readAll(file);
            if (shown == QLatin1String("index")) {
                QVERIFY(written.startsWith("BM"));
                QCOMPARE(le(written, 18, 4), 120u);
                QCOMPARE(le(written, 22, 4), 80u);
                QCOMPARE(le(written, 28, 2), 24u); // bits per pixel
                QCOMPARE(QImage(file).convertToFormat(QImage::Format_RGB888), image);
            } else {
                QCOMPARE(written, jpegSource ? source : JpegCodec::encode(image, 90));
            }
        }
        QCOMPARE(m_shell.urls, QList<QUrl>(2, QUrl::fromLocalFile(file)));
    }

    void viewImageThatCannotBeReplaced()
    {
        const QString file = QDir(m_temp).filePath(QStringLiteral("Pictoloom_temp.bmp"));
        QVERIFY(QDir().mkpath(file));
        showPane(QStringLiteral("index"), picture(50, 40));
        click(m_window->TntButton10);
        QCOMPARE(m_ui.messages.size(), 1);
        QVERIFY2(m_ui.messages.first().startsWith(QStringLiteral("System Error.  Code: ")),
                 qPrintable(m_ui.messages.first()));
        QVERIFY(m_shell.urls.isEmpty());
        QVERIFY(QFileInfo(file).isDir());
        QCOMPARE(tempEntries(), QStringList{QStringLiteral("Pictoloom_temp.bmp")});
    }

    void copyImage_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::newRow("index") << "index";
        QTest::newRow("single") << "single";
    }

    void copyImage()
    {
        QFETCH(QString, shown);
        const QImage image = picture(64, 48, 5);
        m_window->TntImage1->setImage(picture(30, 20, 7));
        m_window->TntImage2->setImage(picture(30, 20, 8));
        showPane(shown, image);
        click(m_window->TntButton9);
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888), image);
    }
};

QTEST_MAIN(TestPreviewPane)
#include "tst_previewpane.moc"
