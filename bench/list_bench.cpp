// Times "Add files" on a folder tree through the real window, shown and
// repainting, and how long the window ever went without serving its events.
// Run it once with the list in scan order and once in sorted mode.

#include "main1/main1.h"

#include "eventgap.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: list_bench FOLDER [sorted]\n");
        return 2;
    }
    const bool sorted = argc > 2 && std::strcmp(argv[2], "sorted") == 0;

    TForm1 window;
    Form1 = &window;
    window.show();
    window.Folder->setText(QString::fromLocal8Bit(argv[1]));
    window.Subs->setChecked(true);
    if (sorted)
        window.files->setSortedMode(true);

    EventGapMeter gaps;

    QElapsedTimer clock;
    qint64 scanMs = 0;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window.ScansRunning == 0) {
            scanMs = clock.elapsed();
            QCoreApplication::quit();
        }
    });

    QTimer::singleShot(0, [&] {
        clock.start();
        gaps.start();
        window.SelFilesBtn->click();
        poll.start();
    });
    app.exec();

    std::printf("files %d\nscan_ms %lld\nlongest_event_gap_ms %lld\n", window.files->count(),
                static_cast<long long>(scanMs), static_cast<long long>(gaps.longestMs()));
    // Settings are not the benchmark's business: leave without the window's close.
    std::fflush(stdout);
    std::_Exit(0);
}
