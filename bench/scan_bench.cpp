// Times one full scan of a folder tree with the list on this thread, as the
// window has it, and how long this thread ever went without serving its events.

#include "ListFiles/listfiles.h"
#include "eventgap.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: scan_bench FOLDER [EXTENSIONS]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString extensions = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("*");

    QObject receiver;
    QStringList list;
    QElapsedTimer clock;
    qint64 scanMs = 0;

    EventGapMeter gaps;

    clock.start();
    gaps.start();
    new tListFiles(
        folder, {&receiver, [&](const QString &path) { list.append(path); }}, extensions, true,
        true, [&] {
            scanMs = clock.elapsed();
            QCoreApplication::quit();
        });
    app.exec();

    std::printf("files %lld\nscan_ms %lld\nlongest_event_gap_ms %lld\n",
                static_cast<long long>(list.size()), static_cast<long long>(scanMs),
                static_cast<long long>(gaps.longestMs()));
    return 0;
}
