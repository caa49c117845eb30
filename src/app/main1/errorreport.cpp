#include "main1/errorreport.h"

#include "widgets/modal.h"

#include <QApplication>
#include <QMessageBox>

namespace {

void showBox(QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, QStringLiteral("Pictoloom"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    Modal::exec(box);
}

} // namespace

QString ErrorReportText(const QString &text)
{
    if (!text.isEmpty() && text.back() > u'.')
        return text + u'.';
    return text;
}

void ReportError(const QString &text)
{
    showBox(QMessageBox::Critical, ErrorReportText(text));
}

void ShowMessage(const QString &text)
{
    showBox(QMessageBox::NoIcon, text);
}
