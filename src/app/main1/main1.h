#pragma once

#include "widgets/clickablelineedit.h"
#include "widgets/colorswatch.h"
#include "widgets/filelistbox.h"
#include "widgets/imageview.h"
#include "widgets/ledlamp.h"

#include <QColor>
#include <QMainWindow>
#include <QString>

class HintTracker;
class PictureFileDialog;
class TClipNote;
class QCheckBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QSplitter;
class QStatusBar;

// The main window: it owns the controls and the handlers. Every handler reads
// what it needs from the controls by name at the moment it acts.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Regions, outermost first.
    QStatusBar *Bottom = nullptr;
    QFrame *TntPanel3 = nullptr;     // left panel
    QFrame *TntPanel1 = nullptr;     // settings area, controls at fixed places
    QFrame *TntPanel2 = nullptr;     // file-list area
    QFrame *TntPanel4 = nullptr;     // bottom bar
    QSplitter *TntSplitter1 = nullptr;
    QFrame *TntPanel5 = nullptr;     // preview pane
    QFrame *TntPanel6 = nullptr;     // preview button bar
    QScrollArea *TntScrollBox1 = nullptr;
    ImageView *TntImage1 = nullptr;  // the composed index picture
    ImageView *TntImage2 = nullptr;  // one source image, behind the scroll box

    // Settings area.
    ClickableLineEdit *Folder = nullptr;
    QPushButton *TntButton1 = nullptr;
    QLineEdit *Extensions = nullptr;
    QCheckBox *Subs = nullptr;
    QPushButton *SelFilesBtn = nullptr;
    QLineEdit *DefaultPic = nullptr;
    QPushButton *TntButton3 = nullptr;
    QSpinBox *iWidth = nullptr;
    QSpinBox *iCols = nullptr;
    QSpinBox *Space = nullptr;
    QSpinBox *Sides = nullptr;
    QCheckBox *UseBack = nullptr;
    QLineEdit *BackPic = nullptr;
    QPushButton *TntButton2 = nullptr;
    ColorSwatch *BackColor = nullptr;
    QSpinBox *Quality = nullptr;
    QCheckBox *AutoDisplay = nullptr;
    QSpinBox *PopWidth = nullptr;
    QSpinBox *PopHeight = nullptr;
    ClickableLineEdit *Header = nullptr;
    QPushButton *TntButton6 = nullptr;
    QCheckBox *CopyFiles = nullptr;
    QCheckBox *DoResize = nullptr;
    QSpinBox *ImageSize = nullptr;
    ClickableLineEdit *SaveFolder = nullptr;
    QPushButton *DestBtn = nullptr;
    QPushButton *GoBtn = nullptr;
    QCheckBox *Browser = nullptr;
    QCheckBox *AddNumbers = nullptr;
    QCheckBox *SaveMap = nullptr;
    QPushButton *SaveBtn = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    // Labels of the settings area.
    QLabel *TntLabel1 = nullptr;
    QLabel *TntLabel2 = nullptr;
    QLabel *TntLabel3 = nullptr;
    QLabel *TntLabel4 = nullptr;
    QLabel *TntLabel5 = nullptr;
    QLabel *TntLabel6 = nullptr;
    QLabel *TntLabel7 = nullptr;     // number of files in the list
    QLabel *TntLabel8 = nullptr;
    QLabel *TntLabel9 = nullptr;
    QLabel *TntLabel10 = nullptr;
    QLabel *TntLabel11 = nullptr;
    QLabel *TntLabel12 = nullptr;
    QLabel *TntLabel13 = nullptr;
    QLabel *TntLabel14 = nullptr;
    QLabel *TntLabel15 = nullptr;    // "Dest folder", enabled with the copy controls

    FileListBox *files = nullptr;

    // Bottom bar.
    QPushButton *TntButton7 = nullptr;
    QLabel *TntLabel16 = nullptr;
    QPushButton *TntButton5 = nullptr;
    LedLamp *JvLED2 = nullptr;
    QPushButton *TntButton4 = nullptr;
    LedLamp *JvLED1 = nullptr;

    // Preview button bar.
    QPushButton *BrowseBtn = nullptr;
    QPushButton *TntButton8 = nullptr;
    QPushButton *TntButton10 = nullptr;
    QPushButton *TntButton9 = nullptr;

    // Never shown: its font is the header font, and its palette's WindowText the
    // header colour (a QFont carries no colour).
    QLabel *Fontlabel = nullptr;
    QColor FontlabelColor() const;
    void SetFontlabelColor(const QColor &color);

    // The clipboard watcher, created by the clipboard handlers when first needed.
    TClipNote *ClipNote1 = nullptr;

    QString SettingsPath;
    bool StopRequested = false;

    // Start-up and shut-down.
    void TntFormCreate();
    void TntFormClose();
    void ShowLongHint(const QString &hint);

    // Value pickers.
    void BackColorMouseDown();
    void TntButton3Click();
    void TntButton2Click();
    void TntButton6Click();
    void HeaderDblClick();
    void FolderDblClick(const QLineEdit *sender);

    // Enabling rules.
    void UseBackClick();
    void AutoDisplayClick();
    void CopyFilesClick();

    // Composition.
    void GoBtnClick();

    // Source selection and the file list.
    void SelFilesBtnClick();
    void TntButton1Click();
    void DestBtnClick();
    void filesClick();
    void filesDblClick();
    void filesKeyDown(QKeyEvent *event);
    // The number of entries in TntLabel7, which grows to fit it.
    void ShowFileCount();
    void ScanFinished();
    // Paths dropped onto the list: folders are scanned like "Add files", files added.
    void filesDragDrop(const QStringList &paths);
    // Scans started from this window whose end notice has not run yet.
    int ScansRunning = 0;

    // Saving.
    void SaveBtnClick();
    // Writes the image-map page beside the saved sheet and offers it to "Browse last".
    void MakeMapFile(const QString &jpegPath);
    // The save dialog of SAVE and "Save image", made on first use; it keeps its folder.
    PictureFileDialog *SPD = nullptr;
    // Runs SPD with the filter, starting in firstFolder unless that is empty; the
    // confirmed path, or empty when cancelled.
    QString ChooseSavePath(const QString &filter, const QString &firstFolder = {});

    // Preview pane.
    void TntButton8Click();
    void TntButton9Click();
    void TntButton10Click();
    void BrowseBtnClick();
    void TntImage1DblClick();

    // Settings file.
    void LoadSettings();
    void SaveSettings();
    void SaveHeaderFont();

    // Context menu and readme.
    void TntButton4Click();
    void TntButton7Click();
    bool ContextMenuEntryExists();

    // Clipboard watch.
    void TntButton5Click();
    void ClipNote1ClipboardChange();
    void AddClipboardFiles();
    bool HasListedExtension(const QString &lowerName) const;

    int FHeaderCharSet = 0;           // the stored "CharSet" of the header font, which QFont lacks
    QStringList FLastClipboardFiles;  // Wayland: the files of the clipboard change handled last

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildControls();
    void BuildSettingsArea();
    void BuildBottomBar();
    void BuildPreviewPane();
    void SetFocusOrder();
    void WireHandlers();
    QString PickPictureFile();

    HintTracker *FHints = nullptr;
    PictureFileDialog *FOpenPicture = nullptr;
    QColor FLastChosenColor = Qt::black; // the colour dialog starts here
};

extern TForm1 *Form1;

// "Pictoloom v<major>.<minor>" from the version compiled into the program.
QString VersionCaption();

// The first command-line argument when it names an existing folder, else empty.
QString FolderFromArguments(const QStringList &arguments);

// Where the settings file lives: the program file's path with ".dat" as extension.
QString DefaultSettingsPath();
