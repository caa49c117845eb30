#include "contextmenu/contextmenuentry.h"
#include "contextmenu/folderactionfiles.h"
#include "error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool writeText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// The value of the first "Exec=" line, with the desktop-entry string escapes undone.
QString execValue(const QString &fileText)
{
    const QStringList lines = fileText.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1String("Exec=")))
            continue;
        QString out;
        const QString value = line.mid(5);
        for (qsizetype i = 0; i < value.size(); ++i) {
            if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
                const QChar next = value[++i];
                out += next == u's' ? QChar(u' ') : next == u'n' ? QChar(u'\n')
                     : next == u't' ? QChar(u'\t') : next == u'r' ? QChar(u'\r') : next;
            } else {
                out += value[i];
            }
        }
        return out;
    }
    return {};
}

// Field codes replaced the way a file manager does: "%%" is "%", the code
// is the shell-quoted folder.
QString expanded(const QString &exec, QChar code, const QString &folder)
{
    QString out;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == u'%' && i + 1 < exec.size() && exec[i + 1] == u'%') {
            out += u'%';
            ++i;
        } else if (exec[i] == u'%' && i + 1 < exec.size() && exec[i + 1] == code) {
            out += FolderActionFiles::shellWord(folder);
            ++i;
        } else {
            out += exec[i];
        }
    }
    return out;
}

} // namespace

class TestContextMenuEntry : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void bothPresses();
    void staleEntryIsRemovedFirst();
    void commandsStartTheProgram_data();
    void commandsStartTheProgram();
    void unwritableDataFolder();

private:
    // A stand-in for the program that writes its arguments into a file.
    QString makeFakeProgram(const QString &folderName);

    std::unique_ptr<QTemporaryDir> m_data;
    QTemporaryDir m_work;
};

void TestContextMenuEntry::init()
{
    m_data = std::make_unique<QTemporaryDir>();
    QVERIFY(m_data->isValid());
    qputenv("XDG_DATA_HOME", m_data->path().toLocal8Bit());
}

QString TestContextMenuEntry::makeFakeProgram(const QString &folderName)
{
    const QString program = m_work.filePath(folderName) + QStringLiteral("/pictoloom");
    const QString out = m_work.filePath(QStringLiteral("arguments.txt"));
    QFile::remove(out);
    if (!writeText(program, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$PICTOLOOM_ARGS\"\n"))
        return {};
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PICTOLOOM_ARGS", out.toLocal8Bit());
    return program;
}

void TestContextMenuEntry::bothPresses()
{
    const QString program = QStringLiteral("/opt/Pictoloom 1.7/pictoloom");
    QVERIFY(!ContextMenuEntryExists());

    QCOMPARE(ToggleContextMenuEntry(program), -1);
    QVERIFY(ContextMenuEntryExists());
    const QString d = m_data->path();
    const QStringList files = contextMenuEntryFiles();
    QCOMPARE(files, (QStringList{d + "/kio/servicemenus/Pictoloom.desktop",
                                 d + "/nautilus/scripts/Create an index with Pictoloom",
                                 d + "/nemo/actions/Pictoloom.nemo_action",
                                 d + "/file-manager/actions/Pictoloom.desktop"}));
    for (const QString &file : files) {
        const QString text = readText(file);
        QVERIFY2(text.contains(QLatin1String("Create an index with Pictoloom")), qPrintable(file));
        QVERIFY2(text.contains(QLatin1String("/opt/Pictoloom 1.7/pictoloom")), qPrintable(file));
        QVERIFY2(!text.contains(QLatin1String("applications")), qPrintable(file));
    }
    QVERIFY(QFileInfo(files[0]).isExecutable());
    QVERIFY(QFileInfo(files[1]).isExecutable());
    QVERIFY(readText(files[0]).contains(QLatin1String("Exec=\"/opt/Pictoloom 1.7/pictoloom\" %f\n")));
    QVERIFY(!QFileInfo::exists(d + QStringLiteral("/applications")));

    QCOMPARE(ToggleContextMenuEntry(program), 0);
    QVERIFY(!ContextMenuEntryExists());
    for (const QString &file : files)
        QVERIFY2(!QFileInfo::exists(file), qPrintable(file));
}

void TestContextMenuEntry::staleEntryIsRemovedFirst()
{
    const QString nemo = contextMenuEntryFiles()[2];
    QVERIFY(writeText(nemo, "[Nemo Action]\nName=Create an index with Pictoloom\n"
                            "Exec=\"/old/place/pictoloom\" %F\nSelection=s\nExtensions=dir;\n"));
    QVERIFY(ContextMenuEntryExists());

    QCOMPARE(ToggleContextMenuEntry(QStringLiteral("/new/place/pictoloom")), 0);
    QVERIFY(!QFileInfo::exists(nemo));
    QVERIFY(!ContextMenuEntryExists());

    QCOMPARE(ToggleContextMenuEntry(QStringLiteral("/new/place/pictoloom")), -1);
    QVERIFY(readText(nemo).contains(QLatin1String("Exec=\"/new/place/pictoloom\" %F\n")));
    QVERIFY(!readText(nemo).contains(QLatin1String("/old/place")));
}

void TestContextMenuEntry::commandsStartTheProgram_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("folder");

    const QString blank = QStringLiteral("My Apps");
    const QString awkward = QStringLiteral("odd \"q\" $HOME `x` 'y' 100% \\ back");
    const QString target = QStringLiteral("Holiday 2024/it's \"here\"");
    QTest::newRow("KDE, blank") << 0 << blank << target;
    QTest::newRow("KDE, awkward") << 0 << awkward << target;
    QTest::newRow("Nautilus, blank") << 1 << blank << target;
    QTest::newRow("Nautilus, awkward") << 1 << awkward << target;
    QTest::newRow("Nemo, blank") << 2 << blank << target;
    QTest::newRow("FileManager-Actions, blank") << 3 << blank << target;
    QTest::newRow("FileManager-Actions, awkward") << 3 << awkward << target;
}

void TestContextMenuEntry::commandsStartTheProgram()
{
    QFETCH(int, file);
    QFETCH(QString, programFolder);
    QFETCH(QString, folder);
    const QString program = makeFakeProgram(programFolder);
    QVERIFY(!program.isEmpty());
    const QString folderPath = m_work.filePath(folder);
    QVERIFY(QDir().mkpath(folderPath));

    QCOMPARE(ToggleContextMenuEntry(program), -1);
    const QString entry = contextMenuEntryFiles()[file];

    QProcess shell;
    if (file == 1) {
        // Nautilus: the selection comes as lines; a plain file in it is passed over.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("NAUTILUS_SCRIPT_SELECTED_FILE_PATHS"),
                   folderPath + QStringLiteral("\n") + program + QStringLiteral("\n"));
        shell.setProcessEnvironment(env);
        shell.start(entry, {});
    } else {
        const QChar code = file == 2 ? u'F' : u'f';
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), expanded(execValue(readText(entry)), code, folderPath)});
    }
    QVERIFY(shell.waitForFinished());
    QCOMPARE(shell.exitCode(), 0);

    const QString out = m_work.filePath(QStringLiteral("arguments.txt"));
    QTRY_VERIFY(readText(out).endsWith(QLatin1Char('\n')));
    QCOMPARE(readText(out), QStringLiteral("1\n") + folderPath + QStringLiteral("\n"));
}

void TestContextMenuEntry::unwritableDataFolder()
{
    const QString blocker = m_data->filePath(QStringLiteral("blocker"));
    QVERIFY(writeText(blocker, "not a folder"));
    qputenv("XDG_DATA_HOME", blocker.toLocal8Bit());
    try {
        ToggleContextMenuEntry(QStringLiteral("/opt/pictoloom"));
        QFAIL("no error raised");
    } catch (const PictoloomError &e) {
        QCOMPARE(e.message(), QStringLiteral("Failed to set data for '%1'")
                                  .arg(blocker + QStringLiteral("/kio/servicemenus/Pictoloom.desktop")));
    }
    QVERIFY(!ContextMenuEntryExists());
}

QTEST_GUILESS_MAIN(TestContextMenuEntry)
#include "tst_contextmenuentry.moc"
