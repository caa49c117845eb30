#include "main1/main1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pictoloom"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pictoloom"));

    TForm1 window;
    Form1 = &window;
    window.show();
    return app.exec();
}
