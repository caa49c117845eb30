#include "compose/copynames.h"

#include "paths/pathrules.h"

#include <QFileInfo>

CopyNamer::CopyNamer(const QStringList &sources)
{
    for (const QString &source : sources)
        m_sources.insert(QFileInfo(source).absoluteFilePath());
}

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
        candidate = base + QStringLiteral("%1 (%2)%3").arg(stem).arg(n).arg(extension);
    }
}
