#include "ClipNote/clipnote.h"
#include "clipboard/clipboardfiles.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

class TestClipNote : public QObject
{
    Q_OBJECT

private slots:
    void raisesOnlyWhileActive();
    void copiedFilesReachTheHandler();
    void selectionIsNotWatched();
};

void TestClipNote::raisesOnlyWhileActive()
{
    TClipNote note;
    QVERIFY(!note.Active());
    QSignalSpy spy(&note, &TClipNote::OnClipboardChange);

    QGuiApplication::clipboard()->setText(QStringLiteral("one"));
    QCOMPARE(spy.count(), 0);

    note.setProperty("Active", true);
    QVERIFY(note.Active());
    QGuiApplication::clipboard()->setText(QStringLiteral("two"));
    QTRY_COMPARE(spy.count(), 1);
    QGuiApplication::clipboard()->clear();
    QTRY_COMPARE(spy.count(), 2);

    note.setActive(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("three"));
    QTest::qWait(0);
    QCOMPARE(spy.count(), 2);
}

void TestClipNote::copiedFilesReachTheHandler()
{
    TClipNote note;
    note.setActive(true);
    QStringList seen;
    connect(&note, &TClipNote::OnClipboardChange, this,
            [&seen] { seen = clipboardFilePaths(QGuiApplication::clipboard()->mimeData()); });

    auto *uris = new QMimeData;
    uris->setUrls({QUrl::fromLocalFile(QStringLiteral("/p/a.JPG")),
                   QUrl::fromLocalFile(QStringLiteral("/p/b c.jpeg"))});
    QGuiApplication::clipboard()->setMimeData(uris);
    QTRY_COMPARE(seen, (QStringList{"/p/a.JPG", "/p/b c.jpeg"}));

    auto *gnome = new QMimeData;
    gnome->setData(QStringLiteral("x-special/gnome-copied-files"), "copy\nfile:///g/x.jpg\n");
    QGuiApplication::clipboard()->setMimeData(gnome);
    QTRY_COMPARE(seen, QStringList{"/g/x.jpg"});
}

void TestClipNote::selectionIsNotWatched()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection())
        QSKIP("this platform has no primary selection");
    TClipNote note;
    note.setActive(true);
    QSignalSpy spy(&note, &TClipNote::OnClipboardChange);
    clipboard->setText(QStringLiteral("selected"), QClipboard::Selection);
    QTest::qWait(0);
    QCOMPARE(spy.count(), 0);
}

QTEST_MAIN(TestClipNote)
#include "tst_clipnote.moc"
