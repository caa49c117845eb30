#pragma once

// Answers the window's dialogs in place of a user: message boxes are recorded
// and closed with OK; a file dialog is recorded and accepted with answer, or
// cancelled when answer is empty. Install it in init(); clear() resets it.

#include "widgets/modal.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

struct DialogAnswers
{
    QStringList messages;
    QString answer;      // the name given to a file dialog; empty cancels it
    int fileDialogs = 0; // file dialogs shown
    QString folder;      // the folder the last file dialog opened in
    QStringList filters; // and its name filters

    void clear()
    {
        messages.clear();
        answer.clear();
        fileDialogs = 0;
        folder.clear();
        filters.clear();
    }

    void install()
    {
        Modal::setHook([this](QDialog &dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(&dialog)) {
                messages << box->text();
                return int(QMessageBox::Ok);
            }
            auto *files = qobject_cast<QFileDialog *>(&dialog);
            if (!files)
                return int(QDialog::Rejected);
            ++fileDialogs;
            folder = files->directory().absolutePath();
            filters = files->nameFilters();
            if (answer.isEmpty())
                return int(QDialog::Rejected);
            files->selectFile(answer);
            return int(QDialog::Accepted);
        });
    }
};
