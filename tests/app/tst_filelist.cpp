// The source folder, "Add files" and the file list, driven through the window.
#include "ListFiles/listfiles.h"
#include "ListFiles/localpath.h"
#include "main1/main1.h"
#include "samplepictures.h"
#include "widgets/modal.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    SamplePictures::write(path, QByteArray());
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class TestFileList : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TForm1> m_window;
    QStringList m_messages;
    std::function<int(QDialog &)> m_answer;

    QString path(const QString &relative) const { return m_dir->filePath(relative); }

    QString jpegFile(const QString &relative, int width, int height)
    {
        const QString file = path(relative);
        QDir().mkpath(QFileInfo(file).path());
        SamplePictures::write(file, SamplePictures::jpeg(SamplePictures::halves(width, height)));
        return file;
    }

    void waitForScans()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_window->ScansRunning == 0 && !tListFiles::AnyRunning(), 60000);
    }

    void addFiles(const QString &folder)
    {
        m_window->Folder->setText(folder);
        QTest::mouseClick(m_window->SelFilesBtn, Qt::LeftButton);
        waitForScans();
    }

    QStringList entries() const { return m_window->files->paths(); }

    QStringList selectedRows() const
    {
        QStringList rows;
        for (int row = 0; row < m_window->files->count(); ++row)
            if (m_window->files->item(row)->isSelected())
                rows << m_window->files->item(row)->text();
        return rows;
    }

    void ctrl(Qt::Key key) { QTest::keyClick(m_window->files, key, Qt::ControlModifier); }

    void drop(const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QWidget *viewport = m_window->files->viewport();
        const QPoint at = viewport->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    }

private slots:
    void init()
    {
        QFile::remove(DefaultSettingsPath());
        m_dir = std::make_unique<QTemporaryDir>();
        m_messages.clear();
        m_answer = [](QDialog &) { return int(QDialog::Rejected); };
        Modal::setHook([this](QDialog &dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(&dialog)) {
                m_messages << box->text();
                return int(QMessageBox::Ok);
            }
            return m_answer(dialog);
        });
        m_window = std::make_unique<TForm1>();
        Form1 = m_window.get();
    }

    void cleanup()
    {
        if (m_window)
            m_window->close();
        Form1 = nullptr;
        m_window.reset();
        // A window closed mid-scan never sees that scan's end notice.
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        Modal::setHook({});
        QFile::remove(DefaultSettingsPath());
        m_dir.reset();
    }

    void folderNotAccepted_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("empty") << QString();
        QTest::newRow("a file") << "file.jpg";
        QTest::newRow("missing") << "missing";
    }

    void folderNotAccepted()
    {
        QFETCH(QString, folder);
        touch(path("file.jpg"));
        m_window->files->addItems({"/x/a.jpg", "/x/b.jpg"});
        m_window->Folder->setText(folder.isEmpty() ? folder : path(folder));
        QTest::mouseClick(m_window->SelFilesBtn, Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{"Selected folder not accepted!"});
        QCOMPARE(m_window->TntLabel7->text(), QString("0"));
        QCOMPARE(m_window->SelFilesBtn->text(), QString("Add files"));
        QCOMPARE(m_window->ScansRunning, 0);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void extensionList_data()
    {
        QTest::addColumn<QString>("extensions");
        QTest::addColumn<bool>("subs");
        QTest::addColumn<QStringList>("found");
        const QStringList pictures = {"a.jpg", "b.PNG", "c.tif", "d.gif", "s/e.bmp"};
        QTest::newRow("star: every readable type, sub-folders")
            << "*" << true << QStringList{"a.jpg", "b.PNG", "c.tif", "d.gif", "s/e.bmp"};
        QTest::newRow("star: every readable type") << "*" << false << QStringList{"a.jpg", "b.PNG", "c.tif", "d.gif"};
        QTest::newRow("a star after a blank is as typed") << " *" << true << QStringList{};
        QTest::newRow("capitals find nothing") << ".JPG" << true << QStringList{};
        QTest::newRow("default list") << ".jpg.jpeg" << true << QStringList{"a.jpg"};
    }

    void extensionList()
    {
        QFETCH(QString, extensions);
        QFETCH(bool, subs);
        QFETCH(QStringList, found);
        for (const char *name : {"a.jpg", "b.PNG", "c.tif", "d.gif", "s/e.bmp", "notes.txt", "noext", "s/f.txt"})
            touch(path(name));
        m_window->Extensions->setText(extensions);
        m_window->Subs->setChecked(subs);
        addFiles(m_dir->path());
        QStringList expected;
        for (const QString &name : std::as_const(found))
            expected << path(name);
        QCOMPARE(sorted(entries()), sorted(expected));
    }

    // The count is shown when a scan starts and when it ends, never in between;
    // the button and the cursor are busy meanwhile.
    void scanStateAndCount()
    {
        for (int i = 0; i < 5; ++i)
            touch(path(QString("p%1.jpg").arg(i)));
        m_window->files->addItems({"/x/earlier.jpg", "/x/other.jpg"});
        QStringList countsSeen;
        connect(m_window->files->model(), &QAbstractItemModel::rowsInserted, this,
                [this, &countsSeen] { countsSeen << m_window->TntLabel7->text(); });
        m_window->Folder->setText(m_dir->path());
        QTest::mouseClick(m_window->SelFilesBtn, Qt::LeftButton);

        QCOMPARE(m_window->TntLabel7->text(), QString("2"));
        QCOMPARE(m_window->SelFilesBtn->text(), QString("Searching"));
        QVERIFY(m_window->SelFilesBtn->isEnabled());
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

        waitForScans();
        QCOMPARE(countsSeen, QStringList(5, "2"));
        QCOMPARE(m_window->TntLabel7->text(), QString("7"));
        QCOMPARE(m_window->SelFilesBtn->text(), QString("Add files"));
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(entries().mid(0, 2), QStringList({"/x/earlier.jpg", "/x/other.jpg"}));
    }

    // Two presses before either scan ends: every file twice.
    void twoScansOfOneFolder()
    {
        QStringList files;
        for (int i = 0; i < 30; ++i)
            files << path(QString("s%1/p%2.jpg").arg(i % 3).arg(i));
        for (const QString &file : std::as_const(files))
            touch(file);
        m_window->Subs->setChecked(true);
        m_window->Folder->setText(m_dir->path());
        QTest::mouseClick(m_window->SelFilesBtn, Qt::LeftButton);
        QTest::mouseClick(m_window->SelFilesBtn, Qt::LeftButton);
        QCOMPARE(m_window->ScansRunning, 2);
        waitForScans();
        QCOMPARE(sorted(entries()), sorted(files + files));
        QCOMPARE(m_window->TntLabel7->text(), QString("60"));
        // The count grows its label: two digits are not cut to one.
        QVERIFY(m_window->TntLabel7->width() >= m_window->TntLabel7->sizeHint().width());
        QCOMPARE(m_window->SelFilesBtn->text(), QString("Add files"));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The scan that started first ends first; the window stays busy until the
    // other has ended too.
    void overlappingScansStayBusy()
    {
        QDir().mkpath(path("empty"));
        for (int i = 0; i < 300; ++i)
            touch(path(QString("many/p%1.jpg").arg(i)));
        struct State
        {
            QString caption;
            bool waitCursor;
        };
        QList<State> whileOneRuns;
        connect(m_window->files->model(), &QAbstractItemModel::rowsInserted, this, [&] {
            if (m_window->ScansRunning == 1) {
                const QCursor *cursor = QGuiApplication::overrideCursor();
                whileOneRuns.append({m_window->SelFilesBtn->text(),
                                     cursor && cursor->shape() == Qt::WaitCursor});
            }
        });
        m_window->Folder->setText(path("empty"));
        QTest::mouseClick(m_window->SelFilesBtn, Qt::LeftButton);
        m_window->Folder->setText(path("many"));
        QTest::mouseClick(m_window->SelFilesBtn, Qt::LeftButton);
        waitForScans();
        QCOMPARE(m_window->files->count(), 300);
        QVERIFY(!whileOneRuns.isEmpty());
        for (const State &state : std::as_const(whileOneRuns)) {
            QCOMPARE(state.caption, QString("Searching"));
            QVERIFY(state.waitCursor);
        }
        QCOMPARE(m_window->SelFilesBtn->text(), QString("Add files"));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The scanners wait at a hand-over the window has not served yet: closing
    // must stop them without a deadlock.
    void closeWhileScanning()
    {
        for (int i = 0; i < 200; ++i)
            touch(path(QString("d%1/p%2.jpg").arg(i % 20).arg(i)));
        m_window->Subs->setChecked(true);
        m_window->Folder->setText(m_dir->path());
        QTest::mouseClick(m_window->SelFilesBtn, Qt::LeftButton);
        QTest::mouseClick(m_window->SelFilesBtn, Qt::LeftButton);
        QVERIFY(tListFiles::AnyRunning());
        QVERIFY(m_window->close());
        QVERIFY(!tListFiles::AnyRunning());
        QVERIFY(m_window->files->count() < 400);
        m_window.reset();
        // Pending end notices find no window and do nothing.
        QCoreApplication::processEvents();
    }

    void ctrlKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("selectedAfter");
        QTest::addColumn<QString>("clipboard"); // null: not looked at
        QTest::addColumn<bool>("indexShown");   // the scroll box comes back
        QTest::addColumn<QString>("count");

        const QStringList all = {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg", "/p/d.jpg"};
        const int ctrl = Qt::ControlModifier;
        const QString none;
        QTest::newRow("Ctrl+A selects every entry")
            << int(Qt::Key_A) << ctrl << QStringList{"/p/b.jpg"} << all << all << none << false << "4";
        QTest::newRow("Ctrl+C copies the whole list")
            << int(Qt::Key_C) << ctrl << QStringList{"/p/b.jpg"} << all << QStringList{"/p/b.jpg"}
            << "/p/a.jpg\r\n/p/b.jpg\r\n/p/c.jpg\r\n/p/d.jpg\r\n" << false << "4";
        QTest::newRow("Ctrl+Delete removes the selected")
            << int(Qt::Key_Delete) << ctrl << QStringList{"/p/a.jpg", "/p/b.jpg", "/p/d.jpg"}
            << QStringList{"/p/c.jpg"} << QStringList{} << none << true << "1";
        QTest::newRow("Ctrl+Delete with nothing selected")
            << int(Qt::Key_Delete) << ctrl << QStringList{} << all << QStringList{} << none << true << "4";
        QTest::newRow("Ctrl+Shift+Delete counts as Ctrl+Delete")
            << int(Qt::Key_Delete) << int(Qt::ControlModifier | Qt::ShiftModifier)
            << QStringList{"/p/c.jpg"} << QStringList{"/p/a.jpg", "/p/b.jpg", "/p/d.jpg"}
            << QStringList{} << none << true << "3";
        QTest::newRow("Delete without Ctrl removes nothing")
            << int(Qt::Key_Delete) << int(Qt::NoModifier) << QStringList{"/p/b.jpg"} << all
            << QStringList{"/p/b.jpg"} << none << false << "stale";
        QTest::newRow("any other Ctrl key refreshes the count")
            << int(Qt::Key_Q) << ctrl << QStringList{} << all << QStringList{} << none << false << "4";
        QTest::newRow("no Ctrl, no count")
            << int(Qt::Key_Q) << int(Qt::NoModifier) << QStringList{} << all << QStringList{} << none
            << false << "stale";
    }

    void ctrlKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, selected);
        QFETCH(QStringList, after);
        QFETCH(QStringList, selectedAfter);
        QFETCH(QString, clipboard);
        QFETCH(bool, indexShown);
        QFETCH(QString, count);

        FileListBox *list = m_window->files;
        list->addItems({"/p/a.jpg", "/p/b.jpg", "/p/c.jpg", "/p/d.jpg"});
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setSelected(selected.contains(list->item(row)->text()));
        list->setCurrentRow(1, QItemSelectionModel::NoUpdate);
        m_window->TntLabel7->setText("stale");
        m_window->TntScrollBox1->hide();
        QGuiApplication::clipboard()->setText("before");

        QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(entries(), after);
        QCOMPARE(selectedRows(), selectedAfter);
        if (!clipboard.isNull())
            QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QCOMPARE(!m_window->TntScrollBox1->isHidden(), indexShown);
        QCOMPARE(m_window->TntLabel7->text(), count);
    }

    // Ctrl+S sorts without regard to case; entries added meanwhile, by a scan
    // or by anyone else, go to their places; Ctrl+S again keeps the order.
    void sortedMode()
    {
        FileListBox *list = m_window->files;
        list->addItems({"/p/delta.jpg", "/p/Bravo.jpg", "/p/alpha.jpg", "/p/Charlie.jpg"});
        list->item(1)->setSelected(true);
        ctrl(Qt::Key_S);
        QCOMPARE(entries(), QStringList({"/p/alpha.jpg", "/p/Bravo.jpg", "/p/Charlie.jpg", "/p/delta.jpg"}));
        QCOMPARE(selectedRows(), QStringList{"/p/Bravo.jpg"});
        QCOMPARE(m_window->TntLabel7->text(), QString("4"));

        list->addItem("/p/Echo.jpg");
        list->addItems({"/p/bravo.jpg", "/p/ALPHA2.jpg"});
        QCOMPARE(entries(), QStringList({"/p/alpha.jpg", "/p/ALPHA2.jpg", "/p/Bravo.jpg", "/p/bravo.jpg",
                                         "/p/Charlie.jpg", "/p/delta.jpg", "/p/Echo.jpg"}));

        QDir().mkpath(path("q"));
        for (const char *name : {"q/Zulu.jpg", "q/beta.jpg", "q/Mike.jpg"})
            touch(path(name));
        addFiles(path("q"));
        const QStringList scanned = entries();
        QCOMPARE(scanned.size(), 10);
        QCOMPARE(scanned.indexOf(path("q/Zulu.jpg")), 9);
        QVERIFY(scanned.indexOf(path("q/beta.jpg")) < scanned.indexOf(path("q/Mike.jpg")));

        ctrl(Qt::Key_S);
        list->addItem("/p/aaa.jpg");
        QCOMPARE(entries(), scanned + QStringList{"/p/aaa.jpg"});
    }

    void fileIndexOnClick()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        FileListBox *list = m_window->files;
        list->addItems({"/p/a.jpg", "/p/b.jpg", "/p/c.jpg", "/p/d.jpg"});
        QCOMPARE(m_window->TntLabel16->text(), QString("File index : 0 "));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(m_window->TntLabel16->text(), QString("File index: 3"));
    }

    // Each row is a sequence of double-clicks on entries ("2" = the third) and
    // Ctrl+Delete ("del"); then what the preview pane shows.
    void doubleClickToggle_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("sourceShown"); // the scroll box hidden
        QTest::addColumn<int>("hintEntry");    // -1: no hint
        QTest::addColumn<QSize>("imageSize");  // of TntImage2; empty: none
        QTest::addColumn<int>("errors");

        QTest::newRow("once shows the file") << QStringList{"0"} << true << 0 << QSize(40, 30) << 0;
        QTest::newRow("twice goes back to the index") << QStringList{"0", "0"} << false << -1 << QSize(40, 30) << 0;
        QTest::newRow("another entry shows that file") << QStringList{"0", "1"} << true << 1 << QSize(20, 50) << 0;
        QTest::newRow("after Ctrl+Delete only the hint is cleared")
            << QStringList{"0", "del", "0"} << false << -1 << QSize(40, 30) << 0;
        QTest::newRow("and the next shows the file again")
            << QStringList{"0", "del", "0", "0"} << true << 0 << QSize(40, 30) << 0;
        QTest::newRow("an unreadable file is reported") << QStringList{"2"} << false << 2 << QSize() << 1;
        QTest::newRow("then the same entry only clears the hint")
            << QStringList{"2", "2"} << false << -1 << QSize() << 1;
        QTest::newRow("an unknown type is reported") << QStringList{"3"} << false << 3 << QSize() << 1;
        QTest::newRow("a FIFO is refused, not waited on") << QStringList{"4"} << false << 4 << QSize() << 1;
        QTest::newRow("a name that is not UTF-8 opens") << QStringList{"5"} << true << 5 << QSize(30, 30) << 0;
    }

    void doubleClickToggle()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, sourceShown);
        QFETCH(int, hintEntry);
        QFETCH(QSize, imageSize);
        QFETCH(int, errors);

        const QString bad = path("bad.jpg");
        SamplePictures::write(bad, "not a picture");
        const QString fifo = path("pipe.jpg");
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QByteArray oddName = QFile::encodeName(m_dir->path()) + "/\xff\xfe.jpg";
        const QString odd = LocalPath::fromNative(oddName);
        // QTemporaryDir cannot remove a name it cannot decode.
        const auto removeOdd = qScopeGuard([&oddName] { ::unlink(oddName.constData()); });
        {
            const int fd = ::open(oddName.constData(), O_WRONLY | O_CREAT, 0600);
            QVERIFY(fd >= 0);
            const QByteArray bytes = SamplePictures::jpeg(SamplePictures::halves(30, 30));
            QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
            ::close(fd);
        }
        const QStringList list = {jpegFile("wide.jpg", 40, 30), jpegFile("tall.jpg", 20, 50), bad,
                                  path("notes.xyz"), fifo, odd};
        touch(path("notes.xyz"));
        m_window->files->addItems(list);

        for (const QString &step : std::as_const(steps)) {
            if (step == QLatin1String("del")) {
                ctrl(Qt::Key_Delete);
                continue;
            }
            m_window->files->setCurrentRow(step.toInt(), QItemSelectionModel::NoUpdate);
            emit m_window->files->doubleClicked();
        }

        QCOMPARE(m_window->TntScrollBox1->isHidden(), sourceShown);
        QCOMPARE(m_window->TntImage2->statusTip(), hintEntry < 0 ? QString() : list.at(hintEntry));
        QCOMPARE(m_window->TntImage2->image().size(), imageSize.isValid() ? imageSize : QSize(0, 0));
        QCOMPARE(m_messages.size(), errors);
    }

    void doubleClickOnEmptyList()
    {
        emit m_window->files->doubleClicked();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(!m_window->TntScrollBox1->isHidden());
        QVERIFY(m_window->TntImage2->statusTip().isEmpty());
    }

    void folderButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("source, confirmed") << "TntButton1" << true;
        QTest::newRow("source, cancelled") << "TntButton1" << false;
        QTest::newRow("destination, confirmed") << "DestBtn" << true;
        QTest::newRow("destination, cancelled") << "DestBtn" << false;
    }

    void folderButtons()
    {
        QFETCH(QString, button);
        QFETCH(bool, confirm);
        const bool source = button == QLatin1String("TntButton1");
        QDir().mkpath(path("photos"));
        QStringList captions;
        m_answer = [&](QDialog &dialog) {
            auto *picker = qobject_cast<QFileDialog *>(&dialog);
            if (!picker)
                return int(QDialog::Rejected);
            captions << picker->windowTitle();
            if (!confirm)
                return int(QDialog::Rejected);
            picker->setDirectory(path("photos"));
            return int(QDialog::Accepted);
        };
        m_window->CopyFiles->setChecked(true);
        m_window->Folder->setText("/before");
        m_window->SaveFolder->setText("/before");
        m_window->TntImage1->setImage(SamplePictures::halves(10, 10));
        m_window->BrowseBtn->setEnabled(true);
        m_window->Bottom->showMessage("a hint");
        m_window->files->addItem("/p/a.jpg");

        QTest::mouseClick(m_window->findChild<QPushButton *>(button), Qt::LeftButton);

        QCOMPARE(captions, QStringList{"Select source folder"});
        const QString chosen = confirm ? path("photos") + "/" : QString();
        QCOMPARE((source ? m_window->Folder : m_window->SaveFolder)->text(), chosen);
        QCOMPARE((source ? m_window->SaveFolder : m_window->Folder)->text(), QString("/before"));
        QCOMPARE(m_window->TntImage1->isEmpty(), source);
        QCOMPARE(m_window->BrowseBtn->isEnabled(), !source);
        QCOMPARE(m_window->Bottom->currentMessage().isEmpty(), source);
        QCOMPARE(m_window->files->count(), 1);
    }

    void dropAccepted_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("local file") << QUrl::fromLocalFile("/tmp/a.jpg") << true;
        QTest::newRow("web address") << QUrl("https://example.org/a.jpg") << false;
    }

    void dropAccepted()
    {
        QFETCH(QUrl, url);
        QFETCH(bool, accepted);
        QMimeData data;
        data.setUrls({url});
        QWidget *viewport = m_window->files->viewport();
        QDragEnterEvent event(viewport->rect().center(), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
        QCOMPARE(event.isAccepted(), accepted);
    }

    // Dropped folders are scanned with the present settings, dropped files
    // added when their extension is listed, all in the order of the drop.
    void dropFilesAndFolders_data()
    {
        QTest::addColumn<bool>("subs");
        QTest::addColumn<QString>("extensions");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("sub-folders")
            << true << ".jpg.jpeg"
            << QStringList{"one.jpg", "f1/a.jpg", "f1/s/b.jpg", "f2/c.jpg", "two.jpeg"};
        QTest::newRow("no sub-folders")
            << false << ".jpg.jpeg" << QStringList{"one.jpg", "f1/a.jpg", "f2/c.jpg", "two.jpeg"};
        QTest::newRow("star")
            << false << "*" << QStringList{"one.jpg", "f1/a.jpg", "f1/p.png", "f2/c.jpg", "two.jpeg"};
    }

    void dropFilesAndFolders()
    {
        QFETCH(bool, subs);
        QFETCH(QString, extensions);
        QFETCH(QStringList, expected);
        for (const char *name : {"one.jpg", "two.jpeg", "three.txt", "f1/a.jpg", "f1/p.png", "f1/s/b.jpg",
                                 "f2/c.jpg"})
            touch(path(name));
        m_window->Subs->setChecked(subs);
        m_window->Extensions->setText(extensions);
        drop({QUrl::fromLocalFile(path("one.jpg")), QUrl::fromLocalFile(path("three.txt")),
              QUrl::fromLocalFile(path("f1")), QUrl::fromLocalFile(path("f2")),
              QUrl::fromLocalFile(path("two.jpeg")), QUrl::fromLocalFile(path("gone.jpg"))});
        QTRY_COMPARE_WITH_TIMEOUT(m_window->files->count(), expected.size(), 60000);
        waitForScans();
        QStringList paths;
        for (const QString &name : std::as_const(expected))
            paths << path(name);
        // Within one folder the file system's order holds; between the drop's items, the drop's.
        const QStringList listed = entries();
        QCOMPARE(listed.first(), paths.first());
        QCOMPARE(listed.last(), paths.last());
        QCOMPARE(sorted(listed), sorted(paths));
        const qsizetype secondFolder = listed.indexOf(path("f2/c.jpg"));
        for (qsizetype i = 1; i < listed.size(); ++i)
            QCOMPARE(listed.at(i).startsWith(path("f1/")), i < secondFolder);
        QCOMPARE(m_window->TntLabel7->text(), QString::number(expected.size()));
        QCOMPARE(m_window->SelFilesBtn->text(), QString("Add files"));
    }

    void dropKeepsBytesOfName()
    {
        const QByteArray raw = QFile::encodeName(m_dir->path()) + "/\xe9t\xe9.jpg";
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT, 0600);
        QVERIFY(fd >= 0);
        ::close(fd);
        const auto removeRaw = qScopeGuard([&raw] { ::unlink(raw.constData()); });
        const QUrl url(QStringLiteral("file://")
                       + QString::fromLatin1(raw.toPercentEncoding("/")));
        drop({url});
        QCOMPARE(m_window->files->count(), 1);
        QCOMPARE(LocalPath::toNative(m_window->files->item(0)->text()), raw);
    }
};

QTEST_MAIN(TestFileList)
#include "tst_filelist.moc"
