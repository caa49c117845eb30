// The page's link builder on arbitrary paths. The input is "folder\0file";
// the link must be safe inside the page's markup and script, must decode back
// to the relative path, and that path must lead from the folder to the file.
#include "ListFiles/localpath.h"
#include "mappage/maplink.h"

#include <QByteArray>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz_maplink: %s\n", what);
    std::abort();
}

void checkLink(const QString &link)
{
    bool beforeFirstSlash = true;
    for (const QChar c : link) {
        check(c.unicode() > 0x20 && c.unicode() < 0x7f, "link is printable ASCII");
        check(c != QLatin1Char('#') && c != QLatin1Char('?') && c != QLatin1Char('\'') && c != QLatin1Char('\\'),
              "link holds no character that ends it early");
        if (c == QLatin1Char('/'))
            beforeFirstSlash = false;
        check(!(beforeFirstSlash && c == QLatin1Char(':')), "link has no scheme");
    }
}

// The path as the system and the browser resolve it: "." dropped, ".." taking
// off one folder and nothing at the root (where QDir::cleanPath keeps it).
QString resolved(const QString &path)
{
    QStringList kept;
    for (const QString &segment : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String(".."))
            kept.isEmpty() ? void() : kept.removeLast();
        else if (segment != QLatin1String("."))
            kept.append(segment);
    }
    return QLatin1Char('/') + kept.join(QLatin1Char('/'));
}

void checkAttribute(const QString &escaped)
{
    for (const QChar c : escaped)
        check(c != QLatin1Char('<') && c != QLatin1Char('>') && c != QLatin1Char('"') && c != QLatin1Char('\''),
              "attribute text is escaped");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    if (split < 0)
        return 0;
    // Absolute, as the composer hands them over.
    const QString folder = QLatin1Char('/') + LocalPath::fromNative(input.left(split));
    const QString file = QLatin1Char('/') + LocalPath::fromNative(input.mid(split + 1));

    const QString relative = MapLink::relativePath(folder, file);
    const QString link = MapLink::linkFor(folder, file);
    checkLink(link);
    check(LocalPath::fromNative(QByteArray::fromPercentEncoding(link.toLatin1())) == relative,
          "link decodes to the relative path");
    checkAttribute(MapLink::escapeHtmlAttribute(link));
    checkAttribute(MapLink::escapeHtmlAttribute(file));

    // Where the file has a name, the link leads to it.
    const QString target = resolved(file);
    if (target != QLatin1String("/") && !relative.isEmpty())
        check(resolved(resolved(folder) + QLatin1Char('/') + relative) == target,
              "relative path leads from the folder to the file");
    return 0;
}
