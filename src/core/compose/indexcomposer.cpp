#include "compose/indexcomposer.h"

#include "compose/copynames.h"
#include "compose/sheetlayout.h"
#include "compose/thumbnailpipeline.h"
#include "error.h"
#include "paths/pathrules.h"

#include <QDate>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>

namespace {

// Pop-up windows are this much larger than the picture they show, each way.
constexpr int PopupPadding = 20;

int headerBandFor(const SheetOptions &options)
{
    return options.header.isEmpty() ? 0 : 2 * EmHeight(options.headerFont);
}

SheetLayout layoutFor(const SheetOptions &options, int files)
{
    return SheetLayout::compute(options.width, options.columns, options.sides, options.spacer,
                                headerBandFor(options), files);
}

// Fonts are drawn at their pixel height at 96 dpi whatever the device, so the
// sheet looks the same on every screen and without one.
QFont atPixelHeight(QFont font)
{
    font.setPixelSize(EmHeight(font));
    return font;
}

// Draws text with its top-left corner at topLeft.
void drawTextAt(QPainter &painter, const QFont &font, const QColor &colour, QPoint topLeft, const QString &text)
{
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(topLeft + QPoint(0, QFontMetrics(font).ascent()), text);
}

void fillBackground(QImage &sheet, const SheetOptions &options)
{
    QPainter painter(&sheet);
    if (options.useBackImage && !options.backImage.isEmpty()) {
        const QImage tile = LoadBitmap(options.backImage);
        // The brush's origin is the sheet's top-left corner: whole copies from
        // there, cut at the right and bottom edges.
        painter.fillRect(sheet.rect(), tile.isNull() ? QBrush(Qt::white) : QBrush(tile));
    } else {
        painter.fillRect(sheet.rect(), options.backColor);
    }
}

void drawFrameAndNumber(QImage &thumbnail, bool addNumber, int number, const QFont &windowFont)
{
    if (thumbnail.isNull())
        return;
    QPainter painter(&thumbnail);
    painter.setPen(QColor(128, 128, 128));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, thumbnail.width() - 1, thumbnail.height() - 1);
    if (addNumber) {
        const int f = EmHeight(windowFont);
        drawTextAt(painter, windowFont, Qt::white, QPoint(5, thumbnail.height() - f - 5), QString::number(number));
    }
}

class Run
{
public:
    Run(const QStringList &files, const SheetOptions &options, TMapRecs &mapRecs, const ComposeCallbacks &callbacks)
        : m_files(files), m_options(options), m_mapRecs(mapRecs), m_callbacks(callbacks),
          m_layout(layoutFor(options, int(files.size()))), m_windowFont(atPixelHeight(options.windowFont)),
          m_copyNamer(files)
    {
    }

    ComposeResult compose()
    {
        ComposeResult result;
        try {
            m_sheet = QImage(m_layout.width, m_layout.height, QImage::Format_RGB32);
            if (m_sheet.isNull())
                throw PictoloomError(QStringLiteral("Not enough memory for an index picture of %1 x %2 pixels")
                                         .arg(m_layout.width).arg(m_layout.height));
            fillBackground(m_sheet, m_options);
            drawHeader();
            drawThumbnails();
        } catch (const PictoloomError &error) {
            result.error = error.message();
        } catch (const std::bad_alloc &) {
            result.error = QStringLiteral("Out of memory");
        }
        result.stopped = stopRequested();
        if (!result.stopped && !m_sheet.isNull()) {
            drawFooter();
            result.sheet = m_sheet;
        }
        return result;
    }

private:
    bool stopRequested() const { return m_callbacks.stopRequested && m_callbacks.stopRequested(); }

    void drawHeader()
    {
        if (m_options.header.isEmpty())
            return;
        const QFont font = atPixelHeight(m_options.headerFont);
        const int e = EmHeight(font);
        QPainter painter(&m_sheet);
        const int textWidth = QFontMetrics(font).horizontalAdvance(m_options.header);
        drawTextAt(painter, font, m_options.headerColor, QPoint((m_layout.width - textWidth) / 2, e), m_options.header);
    }

    void drawThumbnails()
    {
        const int count = int(m_files.size());
        if (count == 0)
            return;
        ThumbnailPipeline pipeline(m_files, m_layout.thumbnailSide(), m_options.jobs);
        int i = 0;
        for (int r = 0; r < m_layout.rows; ++r) {
            if (stopRequested()) {
                if (m_callbacks.aborted)
                    m_callbacks.aborted();
                return;
            }
            for (int k = 0; k < m_layout.columns; ++k) {
                placeThumbnail(pipeline, r, k, i);
                if (i == count - 1)
                    return;
                ++i;
            }
        }
    }

    void placeThumbnail(ThumbnailPipeline &pipeline, int r, int k, int i)
    {
        const ThumbnailSettings settings = m_callbacks.thumbnailSettings ? m_callbacks.thumbnailSettings()
                                                                         : ThumbnailSettings();
        const QString &source = m_files.at(i);
        ThumbnailAttempt attempt = pipeline.take(i, m_callbacks.idle);
        QImage t;
        QString used = source;
        bool fellBack = false;
        if (attempt.outcome == ThumbnailAttempt::Made) {
            t = std::move(attempt.thumbnail);
        } else if (attempt.outcome == ThumbnailAttempt::Unreadable) {
            if (m_callbacks.loadProblem)
                m_callbacks.loadProblem(source, attempt.reason);
            fellBack = true;
            // A missing fallback leaves the cell empty; the run goes on.
            try {
                DefaultImageThumbnail(t, m_layout.thumbnailSide(), used);
            } catch (const PictoloomError &) {
                t = QImage();
            }
        }

        drawFrameAndNumber(t, settings.addNumbers, i + 1, m_windowFont);
        const QPoint at = m_layout.placement(r, k, t.size());
        if (!t.isNull()) {
            QPainter painter(&m_sheet);
            painter.drawImage(at, t);
        }

        // The size of the picture the area opens, for its pop-up window: known
        // already unless it is the fallback or nothing could be read.
        QSize linkedSize = fellBack ? QSize() : attempt.fullSize;
        // A source that cannot be read is not copied: its area opens the
        // fallback picture, as it would without copying.
        if (settings.copyFiles && !fellBack)
            used = copy(source, used, settings, linkedSize);

        TMapRec &record = m_mapRecs[i];
        record.Left = at.x();
        record.Top = at.y();
        record.Width = t.width();
        record.Height = t.height();
        record.FileName = used;
        if (settings.autoDisplay) {
            const QSize size = linkedSize.isValid() ? linkedSize : ReadImageDimensions(used);
            record.PopupWidth = size.width() + PopupPadding;
            record.PopupHeight = size.height() + PopupPadding;
        } else {
            record.PopupWidth = settings.popWidth;
            record.PopupHeight = settings.popHeight;
        }

        if (m_callbacks.status)
            m_callbacks.status(used);
        if (m_callbacks.thumbnailPlaced)
            m_callbacks.thumbnailPlaced();
    }

    // Returns the copy's path and size, or used unchanged when the source could not be read.
    QString copy(const QString &source, const QString &used, const ThumbnailSettings &settings, QSize &size)
    {
        const QString destination = m_copyNamer.destinationFor(settings.saveFolder, PathRules::fileNamePart(used));
        QImage image;
        try {
            image = CopyImageFor(source, settings.doResize ? settings.imageSize : 0, settings.doResize);
        } catch (const PictoloomError &error) {
            if (m_callbacks.loadProblem)
                m_callbacks.loadProblem(source, error.message());
            return used;
        }
        // A destination that cannot be written ends the run with the system's reason.
        WriteJpegCopy(image, source, destination);
        size = image.size();
        return destination;
    }

    void drawFooter()
    {
        const FooterSettings footer = m_callbacks.footerSettings ? m_callbacks.footerSettings()
                                                                 : FooterSettings{m_options.sides, QString()};
        QPainter painter(&m_sheet);
        drawTextAt(painter, m_windowFont, m_options.footerColor, QPoint(footer.sides, m_layout.height - 20),
                   FooterText(footer.folder));
    }

    const QStringList &m_files;
    const SheetOptions &m_options;
    TMapRecs &m_mapRecs;
    const ComposeCallbacks &m_callbacks;
    const SheetLayout m_layout;
    const QFont m_windowFont;
    CopyNamer m_copyNamer;
    QImage m_sheet;
};

} // namespace

QString SheetRefusal(const SheetOptions &options, int files)
{
    const SheetLayout layout = layoutFor(options, files);
    if (layout.thumbnailSide() <= 0)
        return QStringLiteral("The thumbnails have no room: with an image width of %1, sides of %2 and %3 "
                              "columns each cell is %4 pixels wide, no more than the spacer of %5. "
                              "Widen the image, narrow the sides or use fewer columns.")
            .arg(options.width).arg(options.sides).arg(options.columns).arg(layout.cell).arg(options.spacer);
    if (layout.height > SheetLayout::MaxHeight)
        return QStringLiteral("The index picture would be %1 pixels high, but a JPEG file can be at most %2 "
                              "pixels high. At this width and number of columns at most %3 files fit.")
            .arg(layout.height).arg(SheetLayout::MaxHeight).arg(layout.maxFiles());
    return {};
}

ComposeResult ComposeIndex(const QStringList &files, const SheetOptions &options, TMapRecs &mapRecs,
                           const ComposeCallbacks &callbacks)
{
    mapRecs.resize(files.size());
    return Run(files, options, mapRecs, callbacks).compose();
}

QString FooterText(const QString &folder)
{
    return QStringLiteral("Created with Pictoloom - %1 - %2")
        .arg(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat), folder);
}
