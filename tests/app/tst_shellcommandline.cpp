#include "main1/main1.h"
#include "widgets/modal.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

// The window takes its folder from the process's own command line, so this
// test builds the application with a command line of its choosing: the
// program, a folder whose name holds blanks, and a second folder. The test
// framework gets the real arguments.
namespace {
QString firstFolder;
QString secondFolder;
}

class TestShellCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(DefaultSettingsPath()); }
    void cleanup() { QFile::remove(DefaultSettingsPath()); }

    void firstArgumentFillsTheFolder()
    {
        QCOMPARE(QCoreApplication::arguments().mid(1), QStringList({firstFolder, secondFolder}));
        Modal::setHook([](QDialog &) { return int(QDialog::Rejected); });
        const auto window = std::make_unique<TForm1>();
        Modal::setHook({});
        QCOMPARE(window->Folder->text(), firstFolder);
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    firstFolder = dir.filePath(QStringLiteral("two words"));
    secondFolder = dir.filePath(QStringLiteral("second"));
    if (!QDir().mkpath(firstFolder) || !QDir().mkpath(secondFolder))
        return 1;

    QByteArray program(argv[0]);
    QByteArray first = QFile::encodeName(firstFolder);
    QByteArray second = QFile::encodeName(secondFolder);
    std::vector<char *> arguments{program.data(), first.data(), second.data(), nullptr};
    int count = 3;
    QApplication app(count, arguments.data());

    TestShellCommandLine test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shellcommandline.moc"
