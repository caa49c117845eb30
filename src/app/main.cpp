#include "main1/errorreport.h"
#include "main1/main1.h"
#include "main1/unixsignals.h"

#include <QApplication>
#include <QStyleFactory>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pictoloom"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pictoloom"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    TForm1 window;
    Form1 = &window;
    // Log-out and Ctrl+C close the window the ordinary way, so the settings are saved.
    std::unique_ptr<UnixSignalCloser> signalCloser;
    RunHandler([&] { signalCloser = std::make_unique<UnixSignalCloser>(&window); });
    window.show();
    const int status = app.exec();
    signalCloser.reset();
    Form1 = nullptr;
    return status;
}
