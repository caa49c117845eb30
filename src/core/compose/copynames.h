#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Names the copies of one run. Copies keep their source's file name, but two
// sources called the same (from different folders) must not overwrite each
// other, and no copy may replace a source: the later one becomes
// "name (2).ext", "name (3).ext" and so on.
class CopyNamer
{
public:
    explicit CopyNamer(const QStringList &sources);

    QString destinationFor(const QString &folder, const QString &fileName);

private:
    QSet<QString> m_sources; // absolute paths
    QSet<QString> m_taken;   // absolute paths given out in this run
};
