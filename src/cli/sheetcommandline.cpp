#include "sheetcommandline.h"

#include "error.h"
#include "picture/pictureregistry.h"
#include "settings/headerfont.h"
#include "settings/settingsfile.h"
#include "settings/storedcolor.h"
#include "sourcecollector.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QRegularExpression>

namespace {

// The numbers the window's spin edits take; what the settings module has is used as is.
constexpr SpinRange ResizeRange{100, 2000};
constexpr SpinRange JobsRange{1, 256};
constexpr SpinRange HeaderSizeRange{1, 500};

// Numbers and fonts the window uses when nothing else is said.
constexpr int WindowFontPixels = 13;
const QString WindowFontFamily = QStringLiteral("Lucida Sans");

QString rangeText(SpinRange range)
{
    return QStringLiteral("%1 to %2").arg(range.minimum).arg(range.maximum);
}

[[noreturn]] void refuse(const QString &text)
{
    throw PictoloomError(text);
}

int numberIn(const QString &option, const QString &text, SpinRange range)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < range.minimum || value > range.maximum)
        refuse(QStringLiteral("--%1 takes a whole number from %2, not \"%3\"").arg(option, rangeText(range), text));
    return value;
}

class Options
{
public:
    Options()
    {
        m_parser.setApplicationDescription(QStringLiteral(
            "Makes an index picture (a contact sheet) of the pictures in SOURCE, and the image-map page\n"
            "SHEET_index.html beside it whose areas open each picture in a pop-up window."));
        m_parser.addPositionalArgument(QStringLiteral("SOURCE"),
                                       QStringLiteral("Folders (scanned for the extension list) and picture files, "
                                                      "in the order their thumbnails take."),
                                       QStringLiteral("SOURCE..."));
        add({QStringLiteral("o"), QStringLiteral("output")}, "The index picture to write (JPEG). Required.", "SHEET.jpg");
        add({QStringLiteral("width")}, "Width of the index picture in pixels, 100 to 5000 (1500).", "N");
        add({QStringLiteral("cols")}, "Number of columns, 1 to 25 (8).", "N");
        add({QStringLiteral("space")}, "Spacer between thumbnails in pixels, 1 to 20 (10).", "N");
        add({QStringLiteral("sides")}, "Side margins in pixels, 1 to 500 (200).", "N");
        add({QStringLiteral("header")}, "Header line above the thumbnails (none).", "TEXT");
        add({QStringLiteral("header-font")},
            "Header font: family, then optionally the size in points (1 to 500), \"bold\", \"italic\" "
            "(Lucida Sans,18).",
            "FAMILY[,SIZE][,bold][,italic]");
        add({QStringLiteral("background-color")}, "Background colour (#FFFFFF).", "#RRGGBB");
        add({QStringLiteral("background-image")}, "Picture tiled over the background instead of the colour.", "FILE");
        add({QStringLiteral("quality")}, "JPEG quality of the index picture, 10 to 100 (60).", "N");
        add({QStringLiteral("no-numbers")}, "Draw no numbers on the thumbnails.");
        add({QStringLiteral("default-image")},
            "Picture drawn in place of a file that cannot be read (a built-in placeholder).", "FILE");
        add({QStringLiteral("extensions")},
            "Extensions a folder's files must have, matched as the window does; \"*\" for every readable "
            "type (.jpg.jpeg).",
            "LIST");
        add({QStringLiteral("subfolders")}, "Scan the sub-folders of SOURCE folders as well.");
        add({QStringLiteral("popup")},
            "Size of the pop-up windows of the page, each side 100 to 2000, or \"auto\" for each picture's "
            "own size (auto).",
            "WxH|auto");
        add({QStringLiteral("copy-to")}, "Write a JPEG copy of every picture into DIR; the page links to the copies.",
            "DIR");
        add({QStringLiteral("resize")}, "With --copy-to: shrink the copies to at most N pixels a side, 100 to 2000.",
            "N");
        add({QStringLiteral("no-map")}, "Write no image-map page.");
        add({QStringLiteral("settings")}, "Take the defaults from this settings file of the window.", "FILE");
        add({QStringLiteral("jobs")}, "Decoding threads, 1 to 256 (one per core).", "N");
        add({QStringLiteral("quiet")}, "No progress bar and no loading problems; only errors that end the run.");
        m_parser.addHelpOption();
        m_parser.addVersionOption();
    }

    SheetCommandLine parse(const QStringList &arguments)
    {
        SheetCommandLine result;
        if (!m_parser.parse(arguments)) {
            result.outcome = SheetCommandLine::UsageError;
            result.text = m_parser.errorText();
            return result;
        }
        if (m_parser.isSet(QStringLiteral("help"))) {
            result.outcome = SheetCommandLine::ShowHelp;
            result.text = m_parser.helpText();
            return result;
        }
        if (m_parser.isSet(QStringLiteral("version"))) {
            result.outcome = SheetCommandLine::ShowVersion;
            result.text = QStringLiteral("pictoloom-sheet " PICTOLOOM_VERSION_STRING);
            return result;
        }
        try {
            result.job = job();
        } catch (const PictoloomError &error) {
            result.outcome = SheetCommandLine::UsageError;
            result.text = error.message();
        }
        return result;
    }

private:
    void add(const QStringList &names, const char *description, const char *valueName = nullptr)
    {
        m_parser.addOption(QCommandLineOption(names, QString::fromUtf8(description),
                                              valueName ? QString::fromUtf8(valueName) : QString()));
    }

    bool isSet(const char *name) const { return m_parser.isSet(QString::fromLatin1(name)); }
    QString value(const char *name) const { return m_parser.value(QString::fromLatin1(name)); }

    void setNumber(const char *name, SpinRange range, int &target) const
    {
        if (isSet(name))
            target = numberIn(QString::fromLatin1(name), value(name), range);
    }

    QString existingFile(const char *name) const
    {
        const QString path = absolutePath(value(name));
        if (pathKind(path) != PathKind::File)
            refuse(QStringLiteral("--%1: \"%2\" is not a file").arg(QString::fromLatin1(name), value(name)));
        return path;
    }

    SheetJob job() const
    {
        SheetJob job = defaults();
        if (isSet("settings"))
            applySettingsFile(existingFile("settings"), job);

        const QStringList sources = m_parser.positionalArguments();
        if (sources.isEmpty())
            refuse(QStringLiteral("no SOURCE given: name at least one folder or picture file"));
        for (const QString &source : sources) {
            const QString path = absolutePath(source);
            if (pathKind(path) == PathKind::Missing)
                refuse(QStringLiteral("SOURCE \"%1\" does not exist").arg(source));
            job.sources.append(path);
        }
        if (!isSet("output") || value("output").isEmpty())
            refuse(QStringLiteral("--output (-o) is required: the index picture to write"));
        job.sheetPath = absolutePath(value("output"));
        if (pathKind(job.sheetPath) == PathKind::Folder)
            refuse(QStringLiteral("--output: \"%1\" is a folder").arg(value("output")));

        SheetOptions &options = job.options;
        setNumber("width", SpinRanges::Width, options.width);
        setNumber("cols", SpinRanges::Cols, options.columns);
        setNumber("space", SpinRanges::Spacer, options.spacer);
        setNumber("sides", SpinRanges::Sides, options.sides);
        setNumber("quality", SpinRanges::Quality, job.quality);
        setNumber("jobs", JobsRange, options.jobs);
        if (isSet("header"))
            options.header = value("header");
        if (isSet("header-font"))
            options.headerFont = headerFont(value("header-font"), options.headerFont);
        if (isSet("background-color"))
            options.backColor = colour("background-color");
        if (isSet("background-image")) {
            options.backImage = existingFile("background-image");
            options.useBackImage = true;
        }
        if (isSet("default-image"))
            options.defaultImage = existingFile("default-image");

        if (isSet("extensions")) {
            job.extensions = value("extensions");
            if (job.extensions.isEmpty())
                refuse(QStringLiteral("--extensions: the list is empty; use \"*\" for every readable type"));
        }
        if (job.extensions == QLatin1String("*"))
            job.extensions = PictureRegistry::maskList().join(QLatin1Char(';'));
        job.subFolders = isSet("subfolders");

        ThumbnailSettings &thumbnails = job.thumbnails;
        if (isSet("no-numbers"))
            thumbnails.addNumbers = false;
        if (isSet("popup"))
            setPopup(value("popup"), thumbnails);
        if (isSet("copy-to")) {
            thumbnails.saveFolder = absolutePath(value("copy-to"));
            if (pathKind(thumbnails.saveFolder) != PathKind::Folder)
                refuse(QStringLiteral("--copy-to: \"%1\" is not a folder").arg(value("copy-to")));
            thumbnails.copyFiles = true;
        }
        if (isSet("resize")) {
            if (!thumbnails.copyFiles)
                refuse(QStringLiteral("--resize shrinks the copies and needs --copy-to"));
            thumbnails.imageSize = numberIn(QStringLiteral("resize"), value("resize"), ResizeRange);
            thumbnails.doResize = true;
        }
        if (isSet("no-map"))
            job.writeMap = false;
        job.quiet = isSet("quiet");
        return job;
    }

    static SheetJob defaults()
    {
        SheetJob job;
        const HeaderFontSpec header;
        job.options.headerFont = toQFont(header);
        job.options.headerColor = headerFontColor(header, QGuiApplication::palette());
        QFont windowFont(WindowFontFamily);
        windowFont.setPixelSize(WindowFontPixels);
        job.options.windowFont = windowFont;
        job.options.footerColor = QGuiApplication::palette().color(QPalette::WindowText);
        return job;
    }

    // The window's stored settings replace the defaults; the ranges are its spin edits'.
    static void applySettingsFile(const QString &path, SheetJob &job)
    {
        const StoredSettings stored = clampedToSpinRanges(readStoredSettings(path, StoredSettings()));
        SheetOptions &options = job.options;
        options.width = stored.width;
        options.columns = stored.cols;
        options.spacer = stored.spacer;
        options.sides = stored.sides;
        options.backColor = StoredColor::toColor(stored.backColor, QGuiApplication::palette());
        options.useBackImage = stored.useBack && pathKind(absolutePath(stored.backImage)) == PathKind::File;
        if (options.useBackImage)
            options.backImage = absolutePath(stored.backImage);
        // A default image that is not there leaves the built-in one in place.
        if (!stored.defaultImage.isEmpty() && pathKind(absolutePath(stored.defaultImage)) == PathKind::File)
            options.defaultImage = absolutePath(stored.defaultImage);
        job.quality = stored.quality;
        job.writeMap = stored.map;
        job.thumbnails.addNumbers = stored.numbers;
        job.thumbnails.popWidth = stored.popWidth;
        job.thumbnails.popHeight = stored.popHeight;

        HeaderFontSpec header;
        LoadFont(path, HeaderFontSection, header);
        options.headerFont = toQFont(header);
        options.headerColor = headerFontColor(header, QGuiApplication::palette());
    }

    static QFont headerFont(const QString &text, QFont font)
    {
        const QStringList parts = text.split(QLatin1Char(','));
        const QString family = parts.first().trimmed();
        if (family.isEmpty())
            refuse(QStringLiteral("--header-font: the font family is missing in \"%1\"").arg(text));
        font.setFamilies({family});
        font.setBold(false);
        font.setItalic(false);
        for (qsizetype i = 1; i < parts.size(); ++i) {
            const QString part = parts.at(i).trimmed();
            if (part.compare(QLatin1String("bold"), Qt::CaseInsensitive) == 0)
                font.setBold(true);
            else if (part.compare(QLatin1String("italic"), Qt::CaseInsensitive) == 0)
                font.setItalic(true);
            else if (!part.isEmpty() && part.at(0).isDigit())
                font.setPointSize(numberIn(QStringLiteral("header-font"), part, HeaderSizeRange));
            else
                refuse(QStringLiteral("--header-font takes FAMILY[,SIZE][,bold][,italic] with SIZE from %1 "
                                      "points, not \"%2\"")
                           .arg(rangeText(HeaderSizeRange), text));
        }
        return font;
    }

    QColor colour(const char *name) const
    {
        static const QRegularExpression hex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        if (!hex.match(value(name)).hasMatch())
            refuse(QStringLiteral("--%1 takes a colour as #RRGGBB, not \"%2\"").arg(QString::fromLatin1(name), value(name)));
        return QColor::fromString(value(name));
    }

    static void setPopup(const QString &text, ThumbnailSettings &thumbnails)
    {
        if (text == QLatin1String("auto")) {
            thumbnails.autoDisplay = true;
            return;
        }
        const QStringList sides = text.split(QLatin1Char('x'));
        if (sides.size() != 2)
            refuse(QStringLiteral("--popup takes WxH with each side from %1, or \"auto\", not \"%2\"")
                       .arg(rangeText(SpinRanges::PopWidth), text));
        thumbnails.popWidth = numberIn(QStringLiteral("popup"), sides.at(0), SpinRanges::PopWidth);
        thumbnails.popHeight = numberIn(QStringLiteral("popup"), sides.at(1), SpinRanges::PopHeight);
        thumbnails.autoDisplay = false;
    }

    QCommandLineParser m_parser;
};

} // namespace

SheetCommandLine parseSheetCommandLine(const QStringList &arguments)
{
    return Options().parse(arguments);
}
