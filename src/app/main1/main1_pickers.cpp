// The small handlers that pick a value: colour, picture file, header font, folders.
#include "main1/main1.h"

#include "picture/pictureregistry.h"
#include "widgets/clickablelineedit.h"
#include "widgets/colorswatch.h"
#include "widgets/headerfontdialog.h"
#include "widgets/modal.h"
#include "widgets/picturefiledialog.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

void TForm1::BackColorMouseDown()
{
    // The dialog starts at the colour last chosen in it, not at the swatch's.
    QColorDialog dialog(FLastChosenColor, this);
    if (Modal::exec(dialog) != QDialog::Accepted)
        return;
    FLastChosenColor = dialog.currentColor();
    BackColor->setColor(FLastChosenColor);
}

QString TForm1::PickPictureFile()
{
    // One dialog for the run, so it comes back in the folder it was left in.
    if (!FOpenPicture)
        FOpenPicture = new PictureFileDialog(this);
    FOpenPicture->setNameFilters(PictureRegistry::openDialogFilter().split(
        QStringLiteral(";;"), Qt::SkipEmptyParts));
    if (Modal::exec(*FOpenPicture) != QDialog::Accepted)
        return {};
    return FOpenPicture->chosenFile();
}

void TForm1::TntButton3Click()
{
    const QString path = PickPictureFile();
    if (!path.isEmpty())
        DefaultPic->setText(path);
}

void TForm1::TntButton2Click()
{
    const QString path = PickPictureFile();
    if (!path.isEmpty())
        BackPic->setText(path);
}

void TForm1::TntButton6Click()
{
    HeaderFontDialog dialog(this);
    dialog.setCurrentFont(Fontlabel->font());
    dialog.setCurrentColor(FontlabelColor());
    if (Modal::exec(dialog) != QDialog::Accepted)
        return;
    Fontlabel->setFont(dialog.currentFont());
    SetFontlabelColor(dialog.currentColor());
    // Before start-up has found the settings file there is nowhere to write it.
    if (!SettingsPath.isEmpty())
        SaveHeaderFont();
}

void TForm1::HeaderDblClick()
{
    Header->setText(Folder->text());
}

void TForm1::FolderDblClick(const QLineEdit *sender)
{
    // Each field opens its own folder: the source folder, or the destination folder.
    const QString folder = sender->text();
    if (folder.size() > 3)
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}
