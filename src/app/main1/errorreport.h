#pragma once

#include "error.h"

#include <QString>

#include <exception>

// The application's error report: a critical message box titled "Pictoloom"
// with an OK button. A full stop is added when the text's last character sorts
// after ".".
void ReportError(const QString &text);

// A modal message box with an OK button for expected conditions
// ("Selected folder not accepted!" ...), shown as given.
void ShowMessage(const QString &text);

// The text ReportError shows for a message.
QString ErrorReportText(const QString &text);

// Runs a handler; an exception stops it there and is reported, and the program
// goes on. Every handler of the window runs through this, so no exception
// unwinds through Qt's event dispatch.
template<typename F>
void RunHandler(F &&handler)
{
    try {
        handler();
    } catch (const PictoloomError &error) {
        ReportError(error.message());
    } catch (const std::exception &error) {
        ReportError(QString::fromLocal8Bit(error.what()));
    }
}
