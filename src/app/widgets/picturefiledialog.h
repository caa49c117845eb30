#pragma once

#include <QFileDialog>

class QLabel;

// The open-picture dialog: Qt's own file dialog with a preview of the selected
// picture beside the file list.
class PictureFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    explicit PictureFileDialog(QWidget *parent = nullptr);

    // The path the user confirmed, empty when none.
    QString chosenFile() const;

private:
    void showPreview(const QString &path);

    QLabel *m_preview = nullptr;
};
