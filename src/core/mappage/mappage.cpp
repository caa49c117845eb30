#include "mappage/mappage.h"

#include "mappage/maplink.h"
#include "paths/atomicfile.h"
#include "paths/pathrules.h"

#include <QDir>
#include <QStringList>

namespace MapPage {

namespace {

QString absoluteJpegPath(const QString &jpegPath)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(jpegPath));
}

QString folderOf(const QString &absolutePath)
{
    return absolutePath.left(absolutePath.lastIndexOf(QLatin1Char('/')) + 1);
}

// 64-bit so that a far-off rectangle cannot overflow its right or bottom edge.
QString number(qint64 value)
{
    return QString::number(value);
}

QString fixedHead()
{
    static const char *const pieces[] = {
        "<!DOCTYPE html>",
        "<html>",
        "<head>",
        "",
        "<title>Created by Pictoloom</title>",
        "",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
        "",
        "<script language=\"javascript\" type=\"text/javascript\">",
        "function NewWindow(myref,w,h){",
        "LeftOffset=(screen.width)?(screen.width-w)/2:100;"
        "TopOffset=(screen.height)?(screen.height-h)/2:100;",
        "settings='width='+w+',height='+h+',top='+TopOffset+',left='+LeftOffset+"
        "',scrollbars=no,location=no,status=no,menubar=no,toolbar=no,resizable=yes';",
        "return window.open(myref,'mywin',settings).focus();}",
        "</script>",
    };
    QStringList lines;
    for (const char *piece : pieces)
        lines += QLatin1String(piece);
    return lines.join(QLatin1Char('\r'));
}

// Texts are joined rather than filled in with QString::arg(), which would
// take a "%1" inside an encoded link for a place-holder.
QStringList pageEntries(const QString &jpegPath, int32_t sheetWidth, const TMapRecs &records)
{
    const QString absoluteJpeg = absoluteJpegPath(jpegPath);
    const QString folder = folderOf(absoluteJpeg);
    const QString pictureSource =
        MapLink::escapeHtmlAttribute(MapLink::encodeUrlPath(PathRules::fileNamePart(absoluteJpeg)));

    QStringList entries;
    entries += fixedHead();
    entries += QLatin1String("<style type=\"text/css\">img {position:absolute;left:50%;margin-left:-")
        + number(sheetWidth / 2) + QLatin1String("px;top:-10px } </style>\r</head>\r<body>");
    entries += QLatin1String("<div style=\"text-align: center\"><img src=\"") + pictureSource
        + QLatin1String("\" width=\"") + number(sheetWidth)
        + QLatin1String("\"  alt=\"Pictoloom\" usemap=\"#magic\" border=\"0\" /></div>");
    entries += QString();
    entries += QLatin1String("<map id=\"magic\" name=\"magic\">");
    for (const TMapRec &record : records) {
        const QString link = MapLink::escapeHtmlAttribute(MapLink::linkFor(folder, record.FileName));
        entries += QLatin1String("<area shape=\"rect\" coords=\"") + number(record.Left)
            + QLatin1Char(',') + number(record.Top) + QLatin1Char(',')
            + number(qint64(record.Left) + record.Width) + QLatin1Char(',')
            + number(qint64(record.Top) + record.Height) + QLatin1String("\" title=\"") + link
            + QLatin1String("\" onclick=\"NewWindow('") + link + QLatin1String("','")
            + number(record.PopupWidth) + QLatin1String("','") + number(record.PopupHeight)
            + QLatin1String("')\"/>");
    }
    entries += QLatin1String("</map>\r</body>\r</html>");
    return entries;
}

void appendUtf16Le(QByteArray &bytes, const QString &text)
{
    for (const QChar c : text) {
        bytes += char(c.unicode() & 0xff);
        bytes += char(c.unicode() >> 8);
    }
}

} // namespace

QString pageFileName(const QString &jpegPath)
{
    const QString name = PathRules::fileNamePart(jpegPath);
    return name.chopped(PathRules::extensionOf(name).size()) + QLatin1String("_index.html");
}

QString pagePath(const QString &jpegPath)
{
    const QString absoluteJpeg = absoluteJpegPath(jpegPath);
    return folderOf(absoluteJpeg) + pageFileName(absoluteJpeg);
}

QByteArray pageBytes(const QString &jpegPath, int32_t sheetWidth, const TMapRecs &records)
{
    QByteArray bytes("\xff\xfe", 2);
    const QString crLf = QStringLiteral("\r\n");
    const QStringList entries = pageEntries(jpegPath, sheetWidth, records);
    for (const QString &entry : entries) {
        appendUtf16Le(bytes, entry);
        appendUtf16Le(bytes, crLf);
    }
    return bytes;
}

QString MakeMapFile(const QString &jpegPath, int32_t sheetWidth, const TMapRecs &records)
{
    const QString path = pagePath(jpegPath);
    const QByteArray bytes = pageBytes(jpegPath, sheetWidth, records);

    // A failure at any step leaves an older page untouched.
    WriteFileAtomically(path, bytes);
    return path;
}

} // namespace MapPage
