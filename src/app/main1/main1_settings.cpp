// The settings file.
#include "main1/main1.h"

#include <QCoreApplication>

QString DefaultSettingsPath()
{
    // Cut the extension: everything from the last "." that follows the last "/".
    QString path = QCoreApplication::applicationFilePath();
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot > path.lastIndexOf(u'/'))
        path.truncate(dot);
    return path + QStringLiteral(".dat");
}

void TForm1::LoadSettings()
{
}

void TForm1::SaveSettings()
{
}

void TForm1::SaveHeaderFont()
{
}
