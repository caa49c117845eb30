#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the desktop: receives what the program asks it to open, once a
// test has made it the handler (QDesktopServices::setUrlHandler("file", &it, "open")).
class OpenedUrls : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};
