// Source selection: "Add files" and the scans it starts, dropped folders and
// files, and the folder pickers.
#include "main1/main1_files.h"

#include "ListFiles/listfiles.h"
#include "ListFiles/localpath.h"
#include "main1/errorreport.h"
#include "main1/main1.h"
#include "paths/pathrules.h"
#include "picture/pictureregistry.h"
#include "widgets/modal.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include <sys/stat.h>

#include <functional>

QCursor SavedCursor;

namespace {

// Starts one scan of folder into the file list with the window's present
// settings. then, if given, runs after the scan's end notice.
void StartScan(TForm1 &form, const QString &folder, std::function<void()> then = {})
{
    const QString extensions = ScanExtensionList(form.Extensions->text());
    form.ShowFileCount();
    form.SelFilesBtn->setText(QStringLiteral("Searching"));
    // Scans may overlap; the busy cursor stays until the last of them has
    // ended, so the one that started second never restores the hourglass.
    if (form.ScansRunning++ == 0) {
        const QCursor *present = QGuiApplication::overrideCursor();
        SavedCursor = present ? *present : QCursor();
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        form.files->setBulkAdding(true);
    }

    FileListBox *list = form.files;
    const tListTarget target{&form, [list](const QString &path) { list->addPath(path); }};
    const auto endNotice = [&form, then = std::move(then)] {
        RunHandler([&form] { form.ScanFinished(); });
        if (then)
            RunHandler(then);
    };
    try {
        new tListFiles(folder, target, extensions, true, form.Subs->isChecked(), endNotice);
    } catch (...) {
        form.ScanFinished();
        throw;
    }
}

} // namespace

QString ScanExtensionList(const QString &typed)
{
    if (typed == QLatin1String("*"))
        return PictureRegistry::maskList().join(u';');
    return typed;
}

bool IsExistingFolder(const QString &path)
{
    struct stat info;
    return !path.isEmpty() && stat(LocalPath::toNative(path).constData(), &info) == 0
        && S_ISDIR(info.st_mode);
}

QString PickFolder(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("Select source folder"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setWindowModality(Qt::ApplicationModal);
    // The top of the user's own tree; the sidebar leads everywhere else.
    dialog.setDirectory(QDir::homePath());
    if (Modal::exec(dialog) != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || !IsExistingFolder(chosen.first()))
        return {};
    return WithTrailingBackslash(chosen.first());
}

void TForm1::SelFilesBtnClick()
{
    const QString folder = Folder->text();
    if (!IsExistingFolder(folder)) {
        ShowMessage(QStringLiteral("Selected folder not accepted!"));
        return;
    }
    StartScan(*this, folder);
}

void TForm1::ShowFileCount()
{
    TntLabel7->setText(QString::number(files->count()));
    TntLabel7->adjustSize();
}

void TForm1::ScanFinished()
{
    ShowFileCount();
    if (ScansRunning == 0 || --ScansRunning > 0)
        return;
    SelFilesBtn->setText(QStringLiteral("Add files"));
    files->setBulkAdding(false);
    QGuiApplication::restoreOverrideCursor();
}

void TForm1::filesDragDrop(const QStringList &paths)
{
    const QString extensions = ScanExtensionList(Extensions->text());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString &path = paths.at(i);
        if (IsExistingFolder(path)) {
            // One folder at a time, so the drop's order is the list's order.
            const QStringList rest = paths.mid(i + 1);
            StartScan(*this, path, [this, rest] {
                if (!rest.isEmpty())
                    filesDragDrop(rest);
            });
            return;
        }
        struct stat info;
        if (stat(LocalPath::toNative(path).constData(), &info) != 0)
            continue;
        if (tListFiles::ExtensionMatches(PathRules::fileNamePart(path).toLower(), extensions))
            files->addPath(path);
    }
    ShowFileCount();
}

void TForm1::TntButton1Click()
{
    Folder->setText(PickFolder(this));
    TntImage1->clear();
    Bottom->clearMessage();
    BrowseBtn->setEnabled(false);
}

void TForm1::DestBtnClick()
{
    SaveFolder->setText(PickFolder(this));
}
