#include "mappage/maplink.h"

#include "ListFiles/localpath.h"

#include <QDir>
#include <QStringList>

namespace MapLink {

namespace {

QStringList absoluteSegments(const QString &path)
{
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    return absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

bool keptInUrl(char byte, bool beforeFirstSlash)
{
    if (byte >= 'a' && byte <= 'z')
        return true;
    if (byte >= 'A' && byte <= 'Z')
        return true;
    if (byte >= '0' && byte <= '9')
        return true;
    switch (byte) {
    case ' ':
    case '#':
    case '%':
    case '?':
    // An apostrophe would end the script's string literal, and a backslash
    // either escapes inside it or reads as "/" to the browser's URL parser.
    case '\'':
    case '\\':
    case '\x7f':
        return false;
    case ':':
        return !beforeFirstSlash;
    default:
        // The rest of printable ASCII; control characters and the bytes of
        // multi-byte UTF-8 sequences are all encoded.
        return byte > ' ' && byte < '\x7f';
    }
}

} // namespace

QString relativePath(const QString &folder, const QString &filePath)
{
    if (filePath.isEmpty())
        return {};

    const QStringList from = absoluteSegments(folder);
    QStringList to = absoluteSegments(filePath);
    const QString name = to.isEmpty() ? QString() : to.takeLast();

    // Names differing only in case are different folders here.
    qsizetype common = 0;
    while (common < from.size() && common < to.size() && from[common] == to[common])
        ++common;

    QString result;
    for (qsizetype i = common; i < from.size(); ++i)
        result += QLatin1String("../");
    for (qsizetype i = common; i < to.size(); ++i)
        result += to[i] + QLatin1Char('/');
    return result + name;
}

QString encodeUrlPath(const QString &path)
{
    static const char hex[] = "0123456789ABCDEF";
    // The file name's own bytes: a name that is not valid UTF-8 holds lone
    // surrogates, which toUtf8() would turn into "?", a link to another file.
    const QByteArray bytes = LocalPath::toNative(path);
    QString result;
    result.reserve(bytes.size());
    bool beforeFirstSlash = true;
    for (const char byte : bytes) {
        if (byte == '/')
            beforeFirstSlash = false;
        if (keptInUrl(byte, beforeFirstSlash)) {
            result += QLatin1Char(byte);
        } else {
            const auto value = static_cast<unsigned char>(byte);
            result += QLatin1Char('%');
            result += QLatin1Char(hex[value >> 4]);
            result += QLatin1Char(hex[value & 0x0f]);
        }
    }
    return result;
}

QString linkFor(const QString &pageFolder, const QString &filePath)
{
    return encodeUrlPath(relativePath(pageFolder, filePath));
}

QString escapeHtmlAttribute(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            result += QLatin1String("&amp;");
            break;
        case '<':
            result += QLatin1String("&lt;");
            break;
        case '>':
            result += QLatin1String("&gt;");
            break;
        case '"':
            result += QLatin1String("&quot;");
            break;
        case '\'':
            result += QLatin1String("&#39;");
            break;
        default:
            result += c;
        }
    }
    return result;
}

} // namespace MapLink
