#include "main1/main1.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pictoloom"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pictoloom"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    TForm1 window;
    Form1 = &window;
    window.show();
    const int status = app.exec();
    Form1 = nullptr;
    return status;
}
