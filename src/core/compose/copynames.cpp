#include "compose/copynames.h"

#include "ListFiles/localpath.h"
#include "paths/pathrules.h"

#include <QFileInfo>

CopyNamer::CopyNamer(const QStringList &sources)
{
    for (const QString &source : sources)
        m_sources.insert(QFileInfo(source).absoluteFilePath());
}

namespace {

// The longest file name the file systems take, in bytes.
constexpr qsizetype MaxNameBytes = 255;

// "stem (n).ext", the stem shortened where the number would make the name too
// long for the file system.
QString numbered(QString stem, int n, const QString &extension)
{
    const QString suffix = QStringLiteral(" (%1)%2").arg(n).arg(extension);
    while (!stem.isEmpty() && LocalPath::toNative(stem + suffix).size() > MaxNameBytes) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.back().isHighSurrogate())
            stem.chop(1);
    }
    return stem + suffix;
}

} // namespace

QString CopyNamer::destinationFor(const QString &folder, const QString &fileName)
{
    const QString base = PathRules::withTrailingSeparator(folder);
    const QString extension = PathRules::extensionOf(fileName);
    const QString stem = fileName.left(fileName.size() - extension.size());
    QString candidate = base + fileName;
    for (int n = 2;; ++n) {
        const QString absolute = QFileInfo(candidate).absoluteFilePath();
        if (!m_taken.contains(absolute) && !m_sources.contains(absolute)) {
            m_taken.insert(absolute);
            return candidate;
        }
        candidate = base + numbered(stem, n, extension);
    }
}
