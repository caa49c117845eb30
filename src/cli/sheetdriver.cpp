#include "sheetdriver.h"

#include "ListFiles/localpath.h"
#include "compose/indexcomposer.h"
#include "error.h"
#include "mappage/mappage.h"
#include "picture/jpegcodec.h"
#include "placeholderimage.h"
#include "progressbar.h"
#include "sheetcommandline.h"
#include "sourcecollector.h"
#include "thumbnail/thumbnail.h"

#include <QTemporaryDir>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace SheetDriver {

namespace {

void printError(const QString &message)
{
    std::fprintf(stderr, "pictoloom-sheet: %s\n", message.toUtf8().constData());
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

// Finding out that the sheet cannot be written only after composing thousands
// of thumbnails would waste the whole run.
void checkSheetFolder(const QString &sheetPath)
{
    const QString folder = folderOf(sheetPath);
    int error = 0;
    switch (pathKind(folder)) {
    case PathKind::Missing:
        error = ENOENT;
        break;
    case PathKind::File:
        error = ENOTDIR;
        break;
    case PathKind::Folder:
        if (::access(LocalPath::toNative(folder).constData(), W_OK | X_OK) != 0)
            error = errno;
        break;
    }
    if (error != 0)
        throw PictoloomError(QStringLiteral("Cannot create file \"%1\". %2")
                                 .arg(sheetPath, QString::fromLocal8Bit(std::strerror(error))));
}

// What the footer names: the first folder among the sources, else the first file's folder.
QString footerFolder(const QStringList &sources)
{
    for (const QString &source : sources)
        if (pathKind(source) == PathKind::Folder)
            return source;
    return folderOf(sources.first());
}

// The built-in default image lives in a temporary folder during the run and is
// written beside the sheet only when the page has to link to it.
class Placeholder
{
public:
    QString path() const { return m_folder.filePath(QStringLiteral("default.jpg")); }

    void write() const
    {
        if (!m_folder.isValid())
            throw PictoloomError(QStringLiteral("Cannot create a temporary folder. %1").arg(m_folder.errorString()));
        JpegCodec::writeFile(PlaceholderImage::picture(), 90, path());
    }

    // Points the records that open the placeholder at a copy beside the sheet.
    void keepFor(const QString &sheetPath, TMapRecs &records) const
    {
        const QString beside = PlaceholderImage::besideSheet(sheetPath);
        bool written = false;
        for (TMapRec &record : records) {
            if (record.FileName != path())
                continue;
            if (!written)
                JpegCodec::writeFile(PlaceholderImage::picture(), 90, beside);
            written = true;
            record.FileName = beside;
        }
    }

private:
    QTemporaryDir m_folder;
};

int compose(SheetJob job)
{
    checkSheetFolder(job.sheetPath);

    const QStringList files = collectPictureFiles(job.sources, job.extensions, job.subFolders,
                                                  {job.sheetPath, PlaceholderImage::besideSheet(job.sheetPath)});
    if (files.isEmpty()) {
        printError(QStringLiteral("no picture files found in the sources (extensions \"%1\")").arg(job.extensions));
        return Failure;
    }
    const QString refusal = SheetRefusal(job.options, int(files.size()));
    if (!refusal.isEmpty()) {
        const SheetOptions &o = job.options;
        printError(QStringLiteral("--width %1 --cols %2 --sides %3 --space %4: %5")
                       .arg(o.width).arg(o.columns).arg(o.sides).arg(o.spacer).arg(refusal));
        return BadUsage;
    }

    std::optional<Placeholder> placeholder;
    if (job.options.defaultImage.isEmpty()) {
        placeholder.emplace();
        placeholder->write();
        job.options.defaultImage = placeholder->path();
    }
    DefaultImageName = job.options.defaultImage;

    ProgressBar progress(int(files.size()), !job.quiet);
    const FooterSettings footer{job.options.sides, footerFolder(job.sources)};
    ComposeCallbacks callbacks;
    callbacks.thumbnailSettings = [&job] { return job.thumbnails; };
    callbacks.footerSettings = [&footer] { return footer; };
    callbacks.thumbnailPlaced = [&progress] { progress.step(); };
    if (!job.quiet) {
        callbacks.loadProblem = [&progress](const QString &path, const QString &reason) {
            progress.printLine("File loading problem: " + LocalPath::toNative(path) + ", " + reason.toUtf8());
        };
    }

    TMapRecs records;
    const ComposeResult result = ComposeIndex(files, job.options, records, callbacks);
    progress.finish();
    if (!result.error.isEmpty() || result.sheet.isNull()) {
        printError(result.error.isEmpty() ? QStringLiteral("no index picture was made") : result.error);
        return Failure;
    }

    JpegCodec::writeFile(result.sheet, job.quality, job.sheetPath);
    if (job.writeMap) {
        if (placeholder)
            placeholder->keepFor(job.sheetPath, records);
        MapPage::MakeMapFile(job.sheetPath, result.sheet.width(), records);
    }
    return Success;
}

} // namespace

void silenceToolkitNotices()
{
    static const QtMessageHandler toolkitHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            toolkitHandler(type, context, message);
    });
}

QStringList nativeArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(LocalPath::fromNative(QByteArray(argv[i])));
    return arguments;
}

int run(const QStringList &arguments)
{
    const SheetCommandLine commandLine = parseSheetCommandLine(arguments);
    switch (commandLine.outcome) {
    case SheetCommandLine::ShowHelp:
    case SheetCommandLine::ShowVersion:
        std::fputs(commandLine.text.toUtf8().constData(), stdout);
        if (!commandLine.text.endsWith(QLatin1Char('\n')))
            std::fputc('\n', stdout);
        return Success;
    case SheetCommandLine::UsageError:
        printError(commandLine.text);
        std::fputs("Try 'pictoloom-sheet --help' for more information.\n", stderr);
        return BadUsage;
    case SheetCommandLine::Run:
        break;
    }
    try {
        return compose(commandLine.job);
    } catch (const PictoloomError &error) {
        printError(error.message());
    } catch (const std::bad_alloc &) {
        printError(QStringLiteral("Out of memory"));
    }
    return Failure;
}

} // namespace SheetDriver
