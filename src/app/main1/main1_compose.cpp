// GO: composing the index picture.
#include "main1/main1.h"

#include "compose/indexcomposer.h"
#include "main1/composerun.h"
#include "main1/errorreport.h"
#include "main1/maprecs.h"
#include "thumbnail/thumbnail.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>

TMapRecs MapRecs;

namespace {

const QString GoCaption = QStringLiteral("GO");
const QString StopCaption = QStringLiteral("STOP");

// True from the start of a run until it returns. After STOP the button reads
// "GO" while the run finishes its row; a GO then must not start a run inside it.
bool RunInProgress = false;

// Puts the button back to "GO" however the run ends, also by an exception.
class RunGuard
{
public:
    explicit RunGuard(QPushButton *button) : m_button(button)
    {
        RunInProgress = true;
        m_button->setText(StopCaption);
    }
    ~RunGuard()
    {
        m_button->setText(GoCaption);
        RunInProgress = false;
    }
    RunGuard(const RunGuard &) = delete;
    RunGuard &operator=(const RunGuard &) = delete;

private:
    QPushButton *m_button;
};

} // namespace

bool ComposeRunning()
{
    return RunInProgress;
}

void TForm1::GoBtnClick()
{
    if (GoBtn->text() == StopCaption) {
        StopRequested = true;
        QCoreApplication::processEvents();
        ProgressBar1->setValue(0);
        GoBtn->setText(GoCaption);
        return;
    }
    if (RunInProgress)
        return;

    const int count = files->count();
    if (count == 0 || DefaultPic->text().size() < 3) {
        ShowMessage(QStringLiteral("You must add files and allocate a default image!"));
        return;
    }
    if (CopyFiles->isChecked() && !QFileInfo(SaveFolder->text()).isDir()) {
        ShowMessage(QStringLiteral("You must select a destination folder if resizing!"));
        return;
    }

    SheetOptions options;
    options.width = iWidth->value();
    options.columns = iCols->value();
    options.sides = Sides->value();
    options.spacer = Space->value();
    options.header = Header->text();
    options.headerFont = Fontlabel->font();
    options.headerColor = FontlabelColor();
    options.useBackImage = UseBack->isChecked();
    options.backImage = BackPic->text();
    options.backColor = BackColor->color();
    options.windowFont = font();
    options.footerColor = palette().color(QPalette::WindowText);
    options.defaultImage = DefaultPic->text();
    const QString refusal = SheetRefusal(options, count);
    if (!refusal.isEmpty()) {
        ShowMessage(refusal);
        return;
    }

    // The run works on the list as it is now; entries added meanwhile wait for
    // the next GO.
    QStringList snapshot;
    snapshot.reserve(count);
    for (int i = 0; i < count; ++i)
        snapshot << files->item(i)->text();

    DefaultImageName = options.defaultImage;
    ProgressBar1->setMaximum(count);
    ProgressBar1->setValue(count);
    StopRequested = false;

    ComposeCallbacks callbacks;
    callbacks.thumbnailSettings = [this] {
        ThumbnailSettings s;
        s.addNumbers = AddNumbers->isChecked();
        s.copyFiles = CopyFiles->isChecked();
        s.saveFolder = SaveFolder->text();
        s.doResize = DoResize->isChecked();
        s.imageSize = ImageSize->value();
        s.autoDisplay = AutoDisplay->isChecked();
        s.popWidth = PopWidth->value();
        s.popHeight = PopHeight->value();
        return s;
    };
    callbacks.stopRequested = [this] { return StopRequested; };
    callbacks.loadProblem = [](const QString &path, const QString &reason) {
        ShowMessage(QStringLiteral("File loading problem: %1, %2").arg(path, reason));
    };
    callbacks.status = [this](const QString &path) { Bottom->showMessage(path); };
    callbacks.thumbnailPlaced = [this] {
        ProgressBar1->setValue(ProgressBar1->value() - 1);
        QCoreApplication::processEvents();
    };
    callbacks.idle = [] { QCoreApplication::processEvents(); };
    callbacks.aborted = [] { ShowMessage(QStringLiteral("Operation aborted")); };
    callbacks.footerSettings = [this] { return FooterSettings{Sides->value(), Folder->text()}; };

    ComposeResult result;
    {
        const RunGuard guard(GoBtn);
        result = ComposeIndex(snapshot, options, MapRecs, callbacks);
    }
    // Without a stop the sheet is shown, also the part drawn before an error.
    if (!result.sheet.isNull())
        TntImage1->setImage(result.sheet);
    if (!result.error.isEmpty())
        throw PictoloomError(result.error);
}
