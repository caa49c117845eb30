// The window's GO and SAVE over the hostile folder that hostile.sh made: the
// file list filled by "Add files" with sub-folders, copies into a folder, the
// sheet and page saved. hostile.sh checks the results; run alone, this skips.
//   HOSTILE_SOURCE    the folder of hostile files
//   HOSTILE_SITE      where the sheet, the page and the copies (copies/) go
//   HOSTILE_PROBLEMS  receives every message the window showed, one a line
#include "ListFiles/listfiles.h"
#include "ListFiles/localpath.h"
#include "main1/main1.h"
#include "main1/maprecs.h"
#include "openedurls.h"
#include "picture/jpegcodec.h"
#include "widgets/modal.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTest>
#include <QUrl>

class TestHostileWindow : public QObject
{
    Q_OBJECT

private slots:
    void goAndSaveOverTheHostileFolder();
};

void TestHostileWindow::goAndSaveOverTheHostileFolder()
{
    const QString source = LocalPath::fromNative(qgetenv("HOSTILE_SOURCE"));
    const QString site = LocalPath::fromNative(qgetenv("HOSTILE_SITE"));
    const QString problems = LocalPath::fromNative(qgetenv("HOSTILE_PROBLEMS"));
    if (source.isEmpty() || site.isEmpty() || problems.isEmpty())
        QSKIP("run by hostile.sh");

    QFile::remove(DefaultSettingsPath());
    const QString sheet = site + QStringLiteral("/Sheet.jpg");
    const QString fallback = site + QStringLiteral("/default.jpg");
    QImage grey(50, 50, QImage::Format_RGB32);
    grey.fill(Qt::gray);
    JpegCodec::writeFile(grey, 80, fallback);

    QStringList messages;
    Modal::setHook([&](QDialog &dialog) {
        if (auto *box = qobject_cast<QMessageBox *>(&dialog)) {
            messages << box->text();
            return int(QMessageBox::Ok);
        }
        if (auto *files = qobject_cast<QFileDialog *>(&dialog)) {
            files->selectFile(sheet);
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
    OpenedUrls shell;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &shell, "open");

    {
        TForm1 window;
        Form1 = &window;
        window.DefaultPic->setText(fallback);
        window.Extensions->setText(QStringLiteral("*"));
        window.Subs->setChecked(true);
        window.Folder->setText(source);
        QTest::mouseClick(window.SelFilesBtn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(window.ScansRunning == 0 && !tListFiles::AnyRunning(), 120000);
        QVERIFY(window.files->count() > 0);

        window.CopyFiles->setChecked(true);
        window.SaveFolder->setText(site + QStringLiteral("/copies"));
        QTest::mouseClick(window.GoBtn, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(window.GoBtn->text(), QStringLiteral("GO"), 120000);
        QVERIFY(!window.TntImage1->isEmpty());

        window.SaveMap->setChecked(true);
        window.Browser->setChecked(false);
        QTest::mouseClick(window.SaveBtn, Qt::LeftButton);
        QVERIFY(QFile::exists(sheet));
        QVERIFY(QFile::exists(site + QStringLiteral("/Sheet_index.html")));
        Form1 = nullptr;
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    Modal::setHook({});
    QFile::remove(DefaultSettingsPath());

    // The names' own bytes, so that hostile.sh finds them as they are on disk.
    QSaveFile out(problems);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(LocalPath::toNative(messages.join(QLatin1Char('\n'))) + '\n');
    QVERIFY(out.commit());
}

QTEST_MAIN(TestHostileWindow)
#include "tst_hostile_window.moc"
