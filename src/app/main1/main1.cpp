#include "main1/main1.h"

#include "ListFiles/listfiles.h"
#include "main1/errorreport.h"
#include "widgets/clickablelineedit.h"
#include "widgets/colorswatch.h"
#include "widgets/filelistbox.h"
#include "widgets/hinttracker.h"
#include "widgets/imageview.h"
#include "widgets/ledlamp.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

TForm1 *Form1 = nullptr;

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Pictoloom"));
    BuildControls();
    SetFocusOrder();
    WireHandlers();

    // The window manager draws the frame, so these are the sizes inside it.
    setMinimumSize(510, 590);
    resize(979, 590);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    Folder->setFocus();

    TntFormCreate();
}

TForm1::~TForm1() = default;

QString VersionCaption()
{
    return QStringLiteral("Pictoloom v%1.%2").arg(PICTOLOOM_VERSION_MAJOR).arg(PICTOLOOM_VERSION_MINOR);
}

QString FolderFromArguments(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return {};
    const QString &folder = arguments.at(1);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

QColor TForm1::FontlabelColor() const
{
    return Fontlabel->palette().color(QPalette::WindowText);
}

void TForm1::SetFontlabelColor(const QColor &color)
{
    QPalette palette = Fontlabel->palette();
    palette.setColor(QPalette::WindowText, color);
    Fontlabel->setPalette(palette);
}

void TForm1::WireHandlers()
{
    // Every handler runs under the error report.
    const auto bind = [this](auto *sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this, [this, handler] { RunHandler([&] { (this->*handler)(); }); });
    };
    const auto bindDblClick = [this](ClickableLineEdit *edit) {
        connect(edit, &ClickableLineEdit::doubleClicked, this,
                [this, edit] { RunHandler([&] { FolderDblClick(edit); }); });
    };

    bind(BackColor, &ColorSwatch::pressed, &TForm1::BackColorMouseDown);
    bind(TntButton3, &QPushButton::clicked, &TForm1::TntButton3Click);
    bind(TntButton2, &QPushButton::clicked, &TForm1::TntButton2Click);
    bind(TntButton6, &QPushButton::clicked, &TForm1::TntButton6Click);
    bind(Header, &ClickableLineEdit::doubleClicked, &TForm1::HeaderDblClick);
    bindDblClick(Folder);
    bindDblClick(SaveFolder);

    bind(UseBack, &QCheckBox::toggled, &TForm1::UseBackClick);
    bind(AutoDisplay, &QCheckBox::toggled, &TForm1::AutoDisplayClick);
    bind(CopyFiles, &QCheckBox::toggled, &TForm1::CopyFilesClick);

    bind(GoBtn, &QPushButton::clicked, &TForm1::GoBtnClick);
    bind(SaveBtn, &QPushButton::clicked, &TForm1::SaveBtnClick);

    bind(SelFilesBtn, &QPushButton::clicked, &TForm1::SelFilesBtnClick);
    bind(TntButton1, &QPushButton::clicked, &TForm1::TntButton1Click);
    bind(DestBtn, &QPushButton::clicked, &TForm1::DestBtnClick);
    bind(files, &FileListBox::clicked, &TForm1::filesClick);
    bind(files, &FileListBox::doubleClicked, &TForm1::filesDblClick);
    connect(files, &FileListBox::keyDown, this,
            [this](QKeyEvent *event) { RunHandler([&] { filesKeyDown(event); }); });
    connect(files, &FileListBox::pathsDropped, this,
            [this](const QStringList &paths) { RunHandler([&] { filesDragDrop(paths); }); });

    bind(TntButton8, &QPushButton::clicked, &TForm1::TntButton8Click);
    bind(TntButton9, &QPushButton::clicked, &TForm1::TntButton9Click);
    bind(TntButton10, &QPushButton::clicked, &TForm1::TntButton10Click);
    bind(BrowseBtn, &QPushButton::clicked, &TForm1::BrowseBtnClick);
    bind(TntImage1, &ImageView::doubleClicked, &TForm1::TntImage1DblClick);

    bind(TntButton4, &QPushButton::clicked, &TForm1::TntButton4Click);
    bind(TntButton7, &QPushButton::clicked, &TForm1::TntButton7Click);
    bind(TntButton5, &QPushButton::clicked, &TForm1::TntButton5Click);
}

void TForm1::TntFormCreate()
{
    // An error stops the start-up here; the window still opens with what was done.
    RunHandler([this] {
        // Qt paints every widget double-buffered already, the window and the scroll box included.
        FHints = new HintTracker(this);
        connect(FHints, &HintTracker::hintChanged, this,
                [this](const QString &hint) { RunHandler([&] { ShowLongHint(hint); }); });
        FHints->install();

        setWindowTitle(VersionCaption());
        SettingsPath.clear();
        const QString folder = FolderFromArguments(QCoreApplication::arguments());
        if (!folder.isEmpty())
            Folder->setText(folder);
        SettingsPath = DefaultSettingsPath();
        LoadSettings();
        JvLED1->setOn(ContextMenuEntryExists());
    });
}

void TForm1::TntFormClose()
{
    if (!SettingsPath.isEmpty())
        SaveSettings();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // A run still going ends at its next row, and scanners are stopped and
    // waited for while their hand-overs are served, so none is left blocked.
    StopRequested = true;
    tListFiles::StopAll();
    tListFiles::WaitAll([] { QCoreApplication::processEvents(); });

    // A failed save is reported and the window closes anyway: keeping it open
    // would trap the user in a window that cannot be left.
    RunHandler([this] { TntFormClose(); });
    event->accept();
}

void TForm1::ShowLongHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    const QString text = bar < 0 ? hint : hint.mid(bar + 1);
    if (text.isEmpty())
        Bottom->clearMessage();
    else
        Bottom->showMessage(text);
}
