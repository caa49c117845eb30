#include "clipboard/clipboardfiles.h"

#include <QMimeData>
#include <QUrl>

namespace {

const QString GnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");
const QString MateCopiedFiles = QStringLiteral("x-special/mate-copied-files");
const QString NautilusMarker = QStringLiteral("x-special/nautilus-clipboard");

// A file URL of this machine: no host, or "localhost".
QString localPathOf(QUrl url)
{
    if (!url.isValid() || url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0)
        return {};
    if (url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        url.setHost(QString());
    if (!url.host().isEmpty())
        return {};
    return url.toLocalFile();
}

void appendLocal(QStringList &paths, const QUrl &url)
{
    const QString path = localPathOf(url);
    if (!path.isEmpty())
        paths.append(path);
}

// "copy" or "cut" on the first line, then one URI per line.
QStringList fromCopiedFilesLines(QList<QByteArray> lines)
{
    if (!lines.isEmpty()) {
        const QByteArray verb = lines.first().trimmed();
        if (verb == "copy" || verb == "cut")
            lines.removeFirst();
    }
    QStringList paths;
    for (const QByteArray &line : std::as_const(lines)) {
        const QByteArray uri = line.trimmed();
        if (!uri.isEmpty() && !uri.startsWith('#'))
            appendLocal(paths, QUrl::fromEncoded(uri));
    }
    return paths;
}

QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QByteArray text = bytes;
    // Some senders end the payload with a NUL.
    while (text.endsWith('\0'))
        text.chop(1);
    return text.split('\n');
}

} // namespace

QStringList clipboardFilePaths(const QMimeData *data)
{
    if (!data)
        return {};
    if (data->hasUrls()) {
        QStringList paths;
        const QList<QUrl> urls = data->urls();
        for (const QUrl &url : urls)
            appendLocal(paths, url);
        return paths;
    }
    for (const QString &format : {GnomeCopiedFiles, MateCopiedFiles}) {
        if (data->hasFormat(format))
            return fromCopiedFilesLines(linesOf(data->data(format)));
    }
    if (data->hasText()) {
        const QString text = data->text();
        if (text.startsWith(NautilusMarker)) {
            QList<QByteArray> lines = linesOf(text.toUtf8());
            lines.removeFirst();
            return fromCopiedFilesLines(lines);
        }
    }
    return {};
}
