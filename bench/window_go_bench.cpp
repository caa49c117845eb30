// Times GO in the window on the files given, offscreen, as a user would run it:
// the list filled, the default image set, the button clicked.
#include "main1/main1.h"
#include "widgets/modal.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_go_bench DEFAULT_IMAGE FILE...\n");
        return 2;
    }
    Modal::setHook([](QDialog &) { return int(QDialog::Accepted); });
    TForm1 window;
    Form1 = &window;
    window.show();
    window.DefaultPic->setText(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i)
        window.files->addItem(QString::fromLocal8Bit(argv[i]));
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(window.GoBtn, Qt::LeftButton);
    std::printf("go_ms %lld\n", timer.elapsed());
    return window.TntImage1->isEmpty() ? 1 : 0;
}
