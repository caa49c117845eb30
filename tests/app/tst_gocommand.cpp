#include "main1/main1.h"
#include "main1/maprecs.h"
#include "samplepictures.h"
#include "widgets/modal.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

class TestGoCommand : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_photo;
    QString m_default;
    std::unique_ptr<TForm1> m_window;
    QStringList m_messages;
    int m_dialogs = 0;
    std::function<void()> m_onMessage;

    QString jpegFile(const QString &name, int width, int height)
    {
        const QString path = m_dir.filePath(name);
        SamplePictures::write(path, SamplePictures::jpeg(SamplePictures::halves(width, height), 80));
        return path;
    }

    void addFiles(int count, const QString &path)
    {
        for (int i = 0; i < count; ++i)
            m_window->files->addItem(path);
    }

    void clickGo() { QTest::mouseClick(m_window->GoBtn, Qt::LeftButton); }

private slots:
    void initTestCase()
    {
        m_photo = jpegFile("photo.jpg", 800, 600);
        m_default = jpegFile("default.jpg", 50, 50);
    }

    void init()
    {
        QFile::remove(DefaultSettingsPath());
        m_messages.clear();
        m_dialogs = 0;
        m_onMessage = nullptr;
        Modal::setHook([this](QDialog &dialog) {
            ++m_dialogs;
            if (auto *box = qobject_cast<QMessageBox *>(&dialog))
                m_messages << box->text();
            if (m_onMessage)
                m_onMessage();
            return int(QMessageBox::Ok);
        });
        MapRecs.clear();
        m_window = std::make_unique<TForm1>();
        Form1 = m_window.get();
        m_window->DefaultPic->setText(m_default);
    }

    void cleanup()
    {
        Form1 = nullptr;
        m_window.reset();
        Modal::setHook({});
        QFile::remove(DefaultSettingsPath());
    }

    void refusesBeforeChangingAnything_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("defaultPic");
        QTest::addColumn<bool>("copy");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("message");
        const QString added = "You must add files and allocate a default image!";
        QTest::newRow("no files") << 0 << "/x/d.jpg" << false << 1500 << added;
        QTest::newRow("default too short") << 3 << "ab" << false << 1500 << added;
        QTest::newRow("no destination") << 3 << "/x/d.jpg" << true << 1500
                                        << "You must select a destination folder if resizing!";
        QTest::newRow("no room") << 3 << "/x/d.jpg" << false << 100 << "The thumbnails have no room";
    }

    void refusesBeforeChangingAnything()
    {
        QFETCH(int, files);
        QFETCH(QString, defaultPic);
        QFETCH(bool, copy);
        QFETCH(int, width);
        QFETCH(QString, message);
        addFiles(files, m_photo);
        m_window->DefaultPic->setText(defaultPic);
        m_window->CopyFiles->setChecked(copy);
        m_window->SaveFolder->setText(m_dir.filePath("missing"));
        m_window->iWidth->setValue(width);
        MapRecs = TMapRecs(2);
        clickGo();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().startsWith(message), qPrintable(m_messages.first()));
        QCOMPARE(MapRecs.size(), 2);
        QVERIFY(m_window->TntImage1->isEmpty());
        QCOMPARE(m_window->GoBtn->text(), QString("GO"));
    }

    void composesAndShowsTheSheet()
    {
        addFiles(20, m_photo);
        clickGo();
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(m_window->TntImage1->image().size(), QSize(1500, 491));
        QCOMPARE(MapRecs.size(), 20);
        QCOMPARE(QRect(MapRecs[0].Left, MapRecs[0].Top, MapRecs[0].Width, MapRecs[0].Height),
                 QRect(205, 61, 127, 95));
        QCOMPARE(m_window->GoBtn->text(), QString("GO"));
        QCOMPARE(m_window->ProgressBar1->value(), 0);
        QCOMPARE(m_window->ProgressBar1->maximum(), 20);
        QCOMPARE(m_window->Bottom->currentMessage(), m_photo);
    }

    void unreadableFileIsNamedAndReplaced()
    {
        const QString bad = m_dir.filePath("bad.jpg");
        SamplePictures::write(bad, "nothing");
        addFiles(1, bad);
        addFiles(1, m_photo);
        clickGo();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().startsWith("File loading problem: " + bad + ", "), qPrintable(m_messages.first()));
        QCOMPARE(MapRecs[0].FileName, m_default);
        QVERIFY(!m_window->TntImage1->isEmpty());
    }

    void stopDuringTheFirstRow()
    {
        addFiles(20, m_photo);
        const QImage earlier = SamplePictures::halves(10, 10);
        m_window->TntImage1->setImage(earlier);
        MapRecs = TMapRecs(20, TMapRec{1, 1, 1, 1, "earlier", 1, 1});
        // The first pump of the run clicks STOP, then GO while the row finishes.
        QTimer::singleShot(0, this, [this] {
            clickGo();
            QCOMPARE(m_window->GoBtn->text(), QString("GO"));
            clickGo();
        });
        clickGo();
        QCOMPARE(m_messages, QStringList{"Operation aborted"});
        QCOMPARE(m_window->TntImage1->image(), earlier);
        QCOMPARE(MapRecs[7].FileName, m_photo);
        QCOMPARE(MapRecs[8].FileName, QString("earlier"));
        QCOMPARE(m_window->GoBtn->text(), QString("GO"));
        QCOMPARE(m_window->ProgressBar1->value(), 0);
    }

    void listGrowingDuringARunIsLeftForTheNext()
    {
        addFiles(3, m_photo);
        QTimer::singleShot(0, this, [this] { addFiles(30, m_photo); });
        clickGo();
        QCOMPARE(MapRecs.size(), 3);
        QCOMPARE(m_window->TntImage1->image().height(), 137 + 80);
        QCOMPARE(m_window->files->count(), 33);
    }

    void saveWaitsForTheRun()
    {
        addFiles(3, m_photo);
        m_window->TntImage1->setImage(SamplePictures::halves(10, 10));
        QTimer::singleShot(0, this, [this] { QTest::mouseClick(m_window->SaveBtn, Qt::LeftButton); });
        clickGo();
        QCOMPARE(m_dialogs, 0);
    }

    void errorKeepsTheDrawnPart()
    {
        addFiles(3, m_photo);
        m_window->CopyFiles->setChecked(true);
        m_window->SaveFolder->setText(m_dir.path());
        // The destination disappears after the check at GO.
        QTemporaryDir vanishing;
        m_window->SaveFolder->setText(vanishing.path());
        QTimer::singleShot(0, this, [&vanishing] { vanishing.remove(); });
        clickGo();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().startsWith("Cannot create file"), qPrintable(m_messages.first()));
        QCOMPARE(m_window->TntImage1->image().size(), QSize(1500, 217));
        QCOMPARE(m_window->GoBtn->text(), QString("GO"));
    }
};

QTEST_MAIN(TestGoCommand)
#include "tst_gocommand.moc"
