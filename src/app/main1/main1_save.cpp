// SAVE: the JPEG file and the image-map page.
#include "main1/main1.h"

#include "main1/composerun.h"
#include "main1/delay.h"
#include "main1/maprecs.h"
#include "mappage/mappage.h"
#include "picture/jpegcodec.h"
#include "picture/pictureregistry.h"
#include "widgets/modal.h"
#include "widgets/picturefiledialog.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>

QString TForm1::ChooseSavePath(const QString &filter, const QString &firstFolder)
{
    if (!SPD) {
        SPD = new PictureFileDialog(this);
        SPD->setObjectName(QStringLiteral("SPD"));
        SPD->setAcceptMode(QFileDialog::AcceptSave);
        SPD->setFileMode(QFileDialog::AnyFile);
        SPD->setDefaultSuffix(QStringLiteral("jpg"));
        SPD->setOption(QFileDialog::DontConfirmOverwrite);
    }
    SPD->setNameFilters(filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts));
    if (!firstFolder.isEmpty())
        SPD->setDirectory(firstFolder);
    if (Modal::exec(*SPD) != QDialog::Accepted)
        return {};
    return SPD->chosenFile();
}

void TForm1::SaveBtnClick()
{
    // During a run the map records are half rewritten and do not match the sheet.
    if (TntImage1->isEmpty() || ComposeRunning())
        return;
    const QString jpegPath = ChooseSavePath(
        PictureRegistry::jpegDialogFilter(), CopyFiles->isChecked() ? SaveFolder->text() : Folder->text());
    if (jpegPath.isEmpty())
        return;

    Delay(200);
    // Taken after the wait: a GO that ran inside it replaced the sheet and the map
    // records together, and the JPEG and the page must both show the new one.
    const QImage sheet = TntImage1->image();
    if (sheet.isNull())
        return;
    JpegCodec::writeFile(sheet, Quality->value(), jpegPath);
    if (SaveMap->isChecked())
        MakeMapFile(jpegPath);
}

void TForm1::MakeMapFile(const QString &jpegPath)
{
    const QString page = MapPage::MakeMapFile(jpegPath, TntImage1->image().width(), MapRecs);
    BrowseBtn->setEnabled(true);
    BrowseBtn->setStatusTip(page);
    if (Browser->isChecked())
        QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}
