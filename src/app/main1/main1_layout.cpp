// The window's controls, their places and their initial values.
#include "main1/main1.h"

#include "widgets/clickablelineedit.h"
#include "widgets/colorswatch.h"
#include "widgets/filelistbox.h"
#include "widgets/imageview.h"
#include "widgets/ledlamp.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const QString UiFamily = QStringLiteral("Lucida Sans");

QFont boldFont(int pixelSize)
{
    QFont font(UiFamily);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

template<typename W>
W *named(W *widget, const char *name, const QString &hint = {})
{
    widget->setObjectName(QLatin1String(name));
    widget->setStatusTip(hint);
    return widget;
}

template<typename W>
W *placed(W *widget, const char *name, QRect place, const QString &hint = {})
{
    named(widget, name, hint);
    widget->setGeometry(place);
    return widget;
}

QSpinBox *spinEdit(QWidget *parent, const char *name, QRect place, const QString &hint,
                   int minimum, int maximum, int value)
{
    auto *spin = placed(new QSpinBox(parent), name, place, hint);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

QCheckBox *checkBox(QWidget *parent, const char *name, QRect place, const QString &caption,
                    const QString &hint, bool ticked)
{
    auto *box = placed(new QCheckBox(caption, parent), name, place, hint);
    box->setChecked(ticked);
    return box;
}

QPushButton *button(QWidget *parent, const char *name, QRect place, const QString &caption,
                    const QString &hint = {})
{
    auto *btn = placed(new QPushButton(caption, parent), name, place, hint);
    btn->setAutoDefault(false);
    return btn;
}

QPushButton *pickerButton(QWidget *parent, const char *name, QRect place)
{
    auto *btn = button(parent, name, place, QStringLiteral("::"));
    btn->setFont(boldFont(16));
    return btn;
}

template<typename E>
E *edit(QWidget *parent, const char *name, QRect place, const QString &hint,
        const QString &text = {})
{
    auto *line = placed(new E(parent), name, place, hint);
    line->setText(text);
    return line;
}

QLabel *label(QWidget *parent, const char *name, int x, int y, const QString &caption)
{
    auto *text = named(new QLabel(caption, parent), name);
    text->move(x, y);
    text->adjustSize();
    return text;
}

// One label carries both words of a caption whose blanks were counted for
// Lucida Sans; widen or narrow its blanks so that the word `word` ends at `right`
// whatever face stands in. Qt adds word spacing once per run of blanks.
void fitBlanks(QLabel *label, const QString &word, int right)
{
    const QString text = label->text();
    const QString head = text.left(text.indexOf(word) + word.size());
    int runs = 0;
    for (qsizetype i = 0; i < head.size(); ++i)
        runs += head.at(i) == u' ' && (i == 0 || head.at(i - 1) != u' ');
    if (runs == 0)
        return;
    QFont font = label->font();
    // Fractional spacing needs fractional advances, which full hinting rounds away.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    const qreal natural = QFontMetricsF(font).horizontalAdvance(head);
    font.setWordSpacing((right - label->x() - natural) / runs);
    label->setFont(font);
    label->adjustSize();
}

QFrame *panel(QWidget *parent, const char *name)
{
    auto *frame = named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

} // namespace

void TForm1::BuildControls()
{
    // The places were laid out for Lucida Sans, a narrow face; where it is missing,
    // DejaVu Sans would cut captions off, so its condensed cut stands in.
    if (!QFontDatabase::hasFamily(UiFamily))
        QFont::insertSubstitutions(UiFamily, {QStringLiteral("DejaVu Sans Condensed"),
                                              QStringLiteral("DejaVu Sans")});

    QFont windowFont(UiFamily);
    windowFont.setPixelSize(13);
    setFont(windowFont);

    Bottom = named(new QStatusBar(this), "Bottom");
    Bottom->setFixedHeight(19);
    setStatusBar(Bottom);

    TntSplitter1 = named(new QSplitter(Qt::Horizontal, this), "TntSplitter1");
    TntSplitter1->setHandleWidth(12);
    TntSplitter1->setOpaqueResize(true);
    TntSplitter1->setChildrenCollapsible(false);
    setCentralWidget(TntSplitter1);

    TntPanel3 = panel(TntSplitter1, "TntPanel3");
    auto *left = new QVBoxLayout(TntPanel3);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);

    TntPanel1 = panel(TntPanel3, "TntPanel1");
    TntPanel1->setFixedHeight(366);
    TntPanel1->setMinimumWidth(478);
    BuildSettingsArea();
    left->addWidget(TntPanel1);

    TntPanel2 = panel(TntPanel3, "TntPanel2");
    auto *listLayout = new QVBoxLayout(TntPanel2);
    listLayout->setContentsMargins(5, 5, 5, 5);
    files = named(new FileListBox(TntPanel2), "files",
                  QStringLiteral("Double click a file to open in viewer"));
    files->setMinimumHeight(0);
    listLayout->addWidget(files);
    left->addWidget(TntPanel2, 1);

    TntPanel4 = panel(TntPanel3, "TntPanel4");
    TntPanel4->setFrameStyle(QFrame::Panel | QFrame::Raised);
    TntPanel4->setFixedHeight(30);
    BuildBottomBar();
    left->addWidget(TntPanel4);

    TntPanel5 = panel(TntSplitter1, "TntPanel5");
    // The pane may shrink to nothing; the window's minimum width decides.
    TntPanel5->setMinimumWidth(1);
    BuildPreviewPane();

    TntSplitter1->addWidget(TntPanel3);
    TntSplitter1->addWidget(TntPanel5);
    TntSplitter1->setStretchFactor(0, 0);
    TntSplitter1->setStretchFactor(1, 1);
    TntSplitter1->setSizes({480, 979 - 480 - 12});

    Fontlabel = named(new QLabel(this), "Fontlabel");
    QFont headerFont(UiFamily, 18);
    Fontlabel->setFont(headerFont);
    Fontlabel->hide();
}

void TForm1::BuildSettingsArea()
{
    QWidget *p = TntPanel1;

    Folder = edit<ClickableLineEdit>(p, "Folder", {110, 19, 325, 23},
                                     QStringLiteral("Select the source folder"));
    TntButton1 = pickerButton(p, "TntButton1", {440, 18, 20, 25});
    Extensions = edit<QLineEdit>(p, "Extensions", {110, 54, 97, 23},
                                 QStringLiteral("Extensions to select.  Use * for all"),
                                 QStringLiteral(".jpg.jpeg"));
    Subs = checkBox(p, "Subs", {218, 57, 137, 17}, QStringLiteral("Include sub-folders"), {}, false);
    SelFilesBtn = button(p, "SelFilesBtn", {371, 53, 88, 25}, QStringLiteral("Add files"));
    DefaultPic = edit<QLineEdit>(
        p, "DefaultPic", {110, 87, 325, 23},
        QStringLiteral("You must select a default image that will be used if an image fails to load"));
    TntButton3 = pickerButton(p, "TntButton3", {439, 87, 20, 25});

    iWidth = spinEdit(p, "iWidth", {110, 120, 65, 24}, QStringLiteral("Main image width"), 100, 5000, 1500);
    iCols = spinEdit(p, "iCols", {211, 120, 45, 24}, QStringLiteral("Number of columns in image"), 1, 25, 8);
    Space = spinEdit(p, "Space", {310, 120, 45, 24}, QStringLiteral("Spacer between thumbnail images"), 1, 20, 10);
    Sides = spinEdit(p, "Sides", {401, 120, 58, 24}, QStringLiteral("Border space both sides of thumbnails"), 1, 500, 200);

    UseBack = checkBox(p, "UseBack", {92, 157, 18, 17}, {}, QStringLiteral("Select to use background image"), false);
    BackPic = edit<QLineEdit>(p, "BackPic", {110, 154, 217, 23},
                              QStringLiteral("Image used as background - will be tiled"));
    BackPic->setEnabled(false);
    TntButton2 = pickerButton(p, "TntButton2", {334, 154, 20, 25});
    BackColor = placed(new ColorSwatch(p), "BackColor", {434, 154, 25, 22},
                       QStringLiteral("Background color if background image not selected"));
    BackColor->setColor(Qt::white);

    Quality = spinEdit(p, "Quality", {110, 187, 53, 24},
                       QStringLiteral("JPEG compression quality used for saved image"), 10, 100, 60);
    AutoDisplay = checkBox(p, "AutoDisplay", {179, 191, 70, 17}, QStringLiteral("Display"),
                           QStringLiteral("Display pop-up image full size"), true);
    PopWidth = spinEdit(p, "PopWidth", {293, 187, 58, 24}, QStringLiteral("Display width if not full size"), 100, 2000, 800);
    PopWidth->setEnabled(false);
    PopHeight = spinEdit(p, "PopHeight", {401, 187, 58, 24}, QStringLiteral("Display height if not full size"), 100, 2000, 600);
    PopHeight->setEnabled(false);

    Header = edit<ClickableLineEdit>(p, "Header", {110, 220, 303, 23},
                                     QStringLiteral("Header text - double click to copy source folder text"));
    TntButton6 = button(p, "TntButton6", {418, 219, 41, 25}, QStringLiteral("Font"), QStringLiteral("Header font"));

    CopyFiles = checkBox(p, "CopyFiles", {16, 258, 153, 17}, QStringLiteral("Copy to new folder"), {}, false);
    DoResize = checkBox(p, "DoResize", {260, 258, 137, 17}, QStringLiteral("Resize images to:"), {}, false);
    DoResize->setEnabled(false);
    ImageSize = spinEdit(p, "ImageSize", {401, 254, 58, 24}, QStringLiteral("Maximum image dimension in pixels"), 100, 2000, 800);
    ImageSize->setEnabled(false);
    SaveFolder = edit<ClickableLineEdit>(p, "SaveFolder", {110, 289, 322, 23},
                                         QStringLiteral("Select the destination folder"));
    SaveFolder->setEnabled(false);
    DestBtn = pickerButton(p, "DestBtn", {439, 288, 20, 25});
    DestBtn->setEnabled(false);

    GoBtn = button(p, "GoBtn", {110, 321, 59, 25}, QStringLiteral("GO"));
    GoBtn->setFont(boldFont(13));
    QPalette goPalette = GoBtn->palette();
    goPalette.setColor(QPalette::ButtonText, Qt::red);
    GoBtn->setPalette(goPalette);
    Browser = checkBox(p, "Browser", {176, 325, 58, 17}, QStringLiteral("Open"),
                       QStringLiteral("Open the map file in a browser after saving"), true);
    AddNumbers = checkBox(p, "AddNumbers", {240, 325, 73, 17}, QStringLiteral("Number"),
                          QStringLiteral("Number thumbnails"), true);
    SaveMap = checkBox(p, "SaveMap", {322, 325, 70, 17}, QStringLiteral("MAP file"),
                       QStringLiteral("Create a map file"), true);
    SaveBtn = button(p, "SaveBtn", {399, 321, 59, 25}, QStringLiteral("SAVE"),
                     QStringLiteral("Save image and create a MAP file if selected"));

    ProgressBar1 = placed(new QProgressBar(p), "ProgressBar1", {7, 356, 463, 9});
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    TntLabel2 = label(p, "TntLabel2", 18, 23, QStringLiteral("Source folder"));
    TntLabel1 = label(p, "TntLabel1", 18, 58, QStringLiteral("Extensions"));
    TntLabel5 = label(p, "TntLabel5", 18, 92, QStringLiteral("Default image"));
    TntLabel3 = label(p, "TntLabel3", 18, 125, QStringLiteral("Image width"));
    TntLabel4 = label(p, "TntLabel4", 178, 125, QStringLiteral("Cols"));
    TntLabel8 = label(p, "TntLabel8", 263, 125, QStringLiteral("Space"));
    TntLabel12 = label(p, "TntLabel12", 361, 125, QStringLiteral("Sides"));
    TntLabel10 = label(p, "TntLabel10", 17, 158, QStringLiteral("Back image"));
    TntLabel9 = label(p, "TntLabel9", 360, 158, QStringLiteral("Back color"));
    TntLabel6 = label(p, "TntLabel6", 18, 192, QStringLiteral("Image quality"));
    TntLabel13 = label(p, "TntLabel13", 251, 192,
                       QStringLiteral(" Width                Height  "));
    fitBlanks(TntLabel13, QStringLiteral("Width"), PopWidth->x() - 2);
    TntLabel11 = label(p, "TntLabel11", 16, 223, QStringLiteral("Header"));
    TntLabel15 = label(p, "TntLabel15", 18, 291, QStringLiteral("Dest folder"));
    TntLabel15->setEnabled(false);
    TntLabel14 = label(p, "TntLabel14", 17, 326, QStringLiteral("Files"));
    TntLabel7 = label(p, "TntLabel7", 60, 326, QStringLiteral("0"));
}

void TForm1::BuildBottomBar()
{
    QWidget *p = TntPanel4;
    TntButton7 = button(p, "TntButton7", {8, 4, 25, 22}, QStringLiteral("?"),
                        QStringLiteral("Open readme file"));
    TntButton7->setFont(boldFont(13));
    TntLabel16 = placed(new QLabel(QStringLiteral("File index : 0 "), p), "TntLabel16",
                        {48, 8, 84, 15}, QStringLiteral("Selected file index"));
    TntButton5 = button(p, "TntButton5", {204, 4, 113, 22}, QStringLiteral("Watch clipboard"),
                        QStringLiteral("Add copied files to list when active"));
    JvLED2 = placed(new LedLamp(p), "JvLED2", {322, 7, 17, 17});
    TntButton4 = button(p, "TntButton4", {347, 4, 105, 22}, QStringLiteral("Context menu"),
                        QStringLiteral("Add entry to context menu"));
    JvLED1 = placed(new LedLamp(p), "JvLED1", {456, 6, 17, 17});
}

void TForm1::BuildPreviewPane()
{
    auto *pane = new QGridLayout(TntPanel5);
    pane->setContentsMargins(0, 0, 0, 0);
    pane->setSpacing(0);

    TntImage2 = named(new ImageView(TntPanel5), "TntImage2");
    pane->addWidget(TntImage2, 0, 0);

    TntScrollBox1 = named(new QScrollArea(TntPanel5), "TntScrollBox1");
    TntScrollBox1->setFrameShape(QFrame::NoFrame);
    TntScrollBox1->setWidgetResizable(true);
    TntScrollBox1->setFocusPolicy(Qt::StrongFocus);
    TntScrollBox1->verticalScrollBar()->setSingleStep(44);
    TntScrollBox1->viewport()->setBackgroundRole(QPalette::Button);
    TntImage1 = named(new ImageView, "TntImage1",
                      QStringLiteral("Double-click to show full size or proportional"));
    TntScrollBox1->setWidget(TntImage1);
    pane->addWidget(TntScrollBox1, 0, 0);
    // The scroll box lies over the source-image view.
    TntScrollBox1->raise();

    TntPanel6 = panel(TntPanel5, "TntPanel6");
    TntPanel6->setFixedHeight(30);
    pane->addWidget(TntPanel6, 1, 0);
    BrowseBtn = button(TntPanel6, "BrowseBtn", {6, 5, 99, 22}, QStringLiteral("Browse last"),
                       QStringLiteral("Load last saved map file into browser"));
    BrowseBtn->setEnabled(false);
    TntButton8 = button(TntPanel6, "TntButton8", {111, 5, 99, 22}, QStringLiteral("Save image"),
                        QStringLiteral("Save current showing image as JPEG"));
    TntButton10 = button(TntPanel6, "TntButton10", {215, 5, 99, 22}, QStringLiteral("View image"),
                         QStringLiteral("Open current showing image in system default viewer"));
    TntButton9 = button(TntPanel6, "TntButton9", {319, 5, 99, 22}, QStringLiteral("Copy image"),
                        QStringLiteral("Copy current showing image to clipboard"));
}

void TForm1::SetFocusOrder()
{
    const QList<QWidget *> order = {
        Folder, Extensions, Subs, SelFilesBtn, TntButton1, iCols, iWidth, DefaultPic,
        TntButton3, SaveBtn, SaveMap, Quality, Space, BackPic, TntButton2, Sides,
        PopWidth, PopHeight, SaveFolder, DestBtn, ImageSize, DoResize, CopyFiles, GoBtn,
        Header, TntButton6, UseBack, AddNumbers, Browser, AutoDisplay,
        files,
        TntButton4, TntButton5, TntButton7,
        TntButton8, TntButton9, BrowseBtn, TntButton10,
        TntScrollBox1,
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}
