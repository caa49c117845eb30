#include "main1/errorreport.h"
#include "main1/main1.h"
#include "openedurls.h"
#include "widgets/headerfontdialog.h"
#include "widgets/modal.h"
#include "widgets/picturefiledialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void regions();
    void minimumSize();
    void versionCaption();
    void focusOrder();

    void enablingRules_data();
    void enablingRules();
    void disablingKeepsValues();

    void hintToStatusBar_data();
    void hintToStatusBar();
    void unchangedHintKeepsStatusText();

    void colorDialogStartsAtLastChosenColor();
    void pictureButtonsFillEvenDisabledEdits_data();
    void pictureButtonsFillEvenDisabledEdits();
    void fontDialog();
    void headerDoubleClickCopiesFolder();
    void folderDoubleClickOpensFolder_data();
    void folderDoubleClickOpensFolder();

    void imageViewFitsAndCentres_data();
    void imageViewFitsAndCentres();
    void fileListItemHeight();

    void folderFromArguments_data();
    void folderFromArguments();
    void errorReport_data();
    void errorReport();

private:
    template<typename W>
    W *child(const char *name) const
    {
        W *widget = window->findChild<W *>(QLatin1String(name));
        if (!widget)
            qFatal("no %s named %s", W::staticMetaObject.className(), name);
        return widget;
    }

    // Answers every dialog: the current answer runs, then the dialog is recorded.
    int answerDialog(QDialog &dialog);

    std::unique_ptr<TForm1> window;
    std::function<int(QDialog &)> answer;
    QStringList shownMessages;
    QList<QMessageBox::Icon> shownIcons;
};

void TestMainWindow::init()
{
    // Each window starts from the defaults, not from what an earlier test stored.
    QFile::remove(DefaultSettingsPath());
    answer = [](QDialog &) { return int(QDialog::Rejected); };
    shownMessages.clear();
    shownIcons.clear();
    Modal::setHook([this](QDialog &dialog) { return answerDialog(dialog); });
    window = std::make_unique<TForm1>();
    Form1 = window.get();
}

void TestMainWindow::cleanup()
{
    Form1 = nullptr;
    window.reset();
    Modal::setHook({});
    QFile::remove(DefaultSettingsPath());
}

int TestMainWindow::answerDialog(QDialog &dialog)
{
    if (auto *box = qobject_cast<QMessageBox *>(&dialog)) {
        if (box->windowTitle() != QLatin1String("Pictoloom"))
            qWarning("message box titled %s", qPrintable(box->windowTitle()));
        shownMessages.append(box->text());
        shownIcons.append(box->icon());
        return QMessageBox::Ok;
    }
    return answer(dialog);
}

void TestMainWindow::controls_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QRect>("place");      // an empty size: the label's own
    QTest::addColumn<QString>("caption");  // null: no caption to check
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QVariant>("value");   // text, tick, spin value or colour
    QTest::addColumn<QPoint>("range");     // null: no range
    QTest::addColumn<bool>("enabled");

    const QString none;
    const auto row = [](const char *name, const char *kind, QRect place, const QString &caption,
                        const char *hint, const QVariant &value, QPoint range, bool enabled) {
        QTest::newRow(name) << QByteArray(kind) << place << caption << QString::fromUtf8(hint)
                            << value << range << enabled;
    };
    const auto spin = [&](const char *name, QRect place, const char *hint, int min, int max,
                          int value, bool enabled) {
        row(name, "QSpinBox", place, none, hint, value, QPoint(min, max), enabled);
    };
    const QString dots = QStringLiteral("::");

    row("Folder", "QLineEdit", {110, 19, 325, 23}, none, "Select the source folder", QString(), {}, true);
    row("TntButton1", "QPushButton", {440, 18, 20, 25}, dots, "", {}, {}, true);
    row("Extensions", "QLineEdit", {110, 54, 97, 23}, none, "Extensions to select.  Use * for all",
        QStringLiteral(".jpg.jpeg"), {}, true);
    row("Subs", "QCheckBox", {218, 57, 137, 17}, QStringLiteral("Include sub-folders"), "", false, {}, true);
    row("SelFilesBtn", "QPushButton", {371, 53, 88, 25}, QStringLiteral("Add files"), "", {}, {}, true);
    row("DefaultPic", "QLineEdit", {110, 87, 325, 23}, none,
        "You must select a default image that will be used if an image fails to load", QString(), {}, true);
    row("TntButton3", "QPushButton", {439, 87, 20, 25}, dots, "", {}, {}, true);
    spin("iWidth", {110, 120, 65, 24}, "Main image width", 100, 5000, 1500, true);
    spin("iCols", {211, 120, 45, 24}, "Number of columns in image", 1, 25, 8, true);
    spin("Space", {310, 120, 45, 24}, "Spacer between thumbnail images", 1, 20, 10, true);
    spin("Sides", {401, 120, 58, 24}, "Border space both sides of thumbnails", 1, 500, 200, true);
    row("UseBack", "QCheckBox", {92, 157, 18, 17}, QString(""), "Select to use background image", false, {}, true);
    row("BackPic", "QLineEdit", {110, 154, 217, 23}, none, "Image used as background - will be tiled",
        QString(), {}, false);
    row("TntButton2", "QPushButton", {334, 154, 20, 25}, dots, "", {}, {}, true);
    row("BackColor", "ColorSwatch", {434, 154, 25, 22}, none,
        "Background color if background image not selected", QColor(Qt::white), {}, true);
    spin("Quality", {110, 187, 53, 24}, "JPEG compression quality used for saved image", 10, 100, 60, true);
    row("AutoDisplay", "QCheckBox", {179, 191, 70, 17}, QStringLiteral("Display"),
        "Display pop-up image full size", true, {}, true);
    spin("PopWidth", {293, 187, 58, 24}, "Display width if not full size", 100, 2000, 800, false);
    spin("PopHeight", {401, 187, 58, 24}, "Display height if not full size", 100, 2000, 600, false);
    row("Header", "QLineEdit", {110, 220, 303, 23}, none,
        "Header text - double click to copy source folder text", QString(), {}, true);
    row("TntButton6", "QPushButton", {418, 219, 41, 25}, QStringLiteral("Font"), "Header font", {}, {}, true);
    row("CopyFiles", "QCheckBox", {16, 258, 153, 17}, QStringLiteral("Copy to new folder"), "", false, {}, true);
    row("DoResize", "QCheckBox", {260, 258, 137, 17}, QStringLiteral("Resize images to:"), "", false, {}, false);
    spin("ImageSize", {401, 254, 58, 24}, "Maximum image dimension in pixels", 100, 2000, 800, false);
    row("SaveFolder", "QLineEdit", {110, 289, 322, 23}, none, "Select the destination folder", QString(), {}, false);
    row("DestBtn", "QPushButton", {439, 288, 20, 25}, dots, "", {}, {}, false);
    row("GoBtn", "QPushButton", {110, 321, 59, 25}, QStringLiteral("GO"), "", {}, {}, true);
    row("Browser", "QCheckBox", {176, 325, 58, 17}, QStringLiteral("Open"),
        "Open the map file in a browser after saving", true, {}, true);
    row("AddNumbers", "QCheckBox", {240, 325, 73, 17}, QStringLiteral("Number"), "Number thumbnails", true, {}, true);
    row("SaveMap", "QCheckBox", {322, 325, 70, 17}, QStringLiteral("MAP file"), "Create a map file", true, {}, true);
    row("SaveBtn", "QPushButton", {399, 321, 59, 25}, QStringLiteral("SAVE"),
        "Save image and create a MAP file if selected", {}, {}, true);
    row("ProgressBar1", "QProgressBar", {7, 356, 463, 9}, none, "", 0, {}, true);

    const auto label = [&](const char *name, int x, int y, const char *caption, bool enabled = true) {
        row(name, "QLabel", {x, y, 0, 0}, QString::fromUtf8(caption), "", {}, {}, enabled);
    };
    label("TntLabel2", 18, 23, "Source folder");
    label("TntLabel1", 18, 58, "Extensions");
    label("TntLabel5", 18, 92, "Default image");
    label("TntLabel3", 18, 125, "Image width");
    label("TntLabel4", 178, 125, "Cols");
    label("TntLabel8", 263, 125, "Space");
    label("TntLabel12", 361, 125, "Sides");
    label("TntLabel10", 17, 158, "Back image");
    label("TntLabel9", 360, 158, "Back color");
    label("TntLabel6", 18, 192, "Image quality");
    label("TntLabel13", 251, 192, " Width                Height  ");
    label("TntLabel11", 16, 223, "Header");
    label("TntLabel15", 18, 291, "Dest folder", false);
    label("TntLabel14", 17, 326, "Files");
    label("TntLabel7", 60, 326, "0");

    row("TntButton7", "QPushButton", {8, 4, 25, 22}, QStringLiteral("?"), "Open readme file", {}, {}, true);
    row("TntLabel16", "QLabel", {48, 8, 84, 15}, QStringLiteral("File index : 0 "), "Selected file index", {}, {}, true);
    row("TntButton5", "QPushButton", {204, 4, 113, 22}, QStringLiteral("Watch clipboard"),
        "Add copied files to list when active", {}, {}, true);
    row("JvLED2", "LedLamp", {322, 7, 17, 17}, none, "", false, {}, true);
    row("TntButton4", "QPushButton", {347, 4, 105, 22}, QStringLiteral("Context menu"),
        "Add entry to context menu", {}, {}, true);
    row("JvLED1", "LedLamp", {456, 6, 17, 17}, none, "", false, {}, true);

    row("BrowseBtn", "QPushButton", {6, 5, 99, 22}, QStringLiteral("Browse last"),
        "Load last saved map file into browser", {}, {}, false);
    row("TntButton8", "QPushButton", {111, 5, 99, 22}, QStringLiteral("Save image"),
        "Save current showing image as JPEG", {}, {}, true);
    row("TntButton10", "QPushButton", {215, 5, 99, 22}, QStringLiteral("View image"),
        "Open current showing image in system default viewer", {}, {}, true);
    row("TntButton9", "QPushButton", {319, 5, 99, 22}, QStringLiteral("Copy image"),
        "Copy current showing image to clipboard", {}, {}, true);

    row("files", "QListWidget", {}, none, "Double click a file to open in viewer", {}, {}, true);
    row("TntImage1", "ImageView", {}, none, "Double-click to show full size or proportional", {}, {}, true);
    row("TntImage2", "ImageView", {}, none, "", {}, {}, true);
}

void TestMainWindow::controls()
{
    QFETCH(QByteArray, kind);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(QVariant, value);
    QFETCH(QPoint, range);
    QFETCH(bool, enabled);

    QWidget *widget = window->findChild<QWidget *>(QLatin1String(QTest::currentDataTag()));
    QVERIFY(widget);
    QVERIFY2(widget->inherits(kind), widget->metaObject()->className());
    if (place.isValid())
        QCOMPARE(widget->geometry(), place);
    else if (!place.isNull())
        QCOMPARE(widget->pos(), place.topLeft());
    QCOMPARE(widget->statusTip(), hint);
    QVERIFY(widget->toolTip().isEmpty());
    QCOMPARE(widget->isEnabled(), enabled);

    if (!caption.isNull()) {
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(button->text(), caption);
        else if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->text(), caption);
        else
            QFAIL("caption on a control without one");
    }
    if (!range.isNull()) {
        auto *spin = qobject_cast<QSpinBox *>(widget);
        QCOMPARE(spin->minimum(), range.x());
        QCOMPARE(spin->maximum(), range.y());
    }
    if (value.isValid()) {
        if (auto *spin = qobject_cast<QSpinBox *>(widget))
            QCOMPARE(spin->value(), value.toInt());
        else if (auto *box = qobject_cast<QCheckBox *>(widget))
            QCOMPARE(box->isChecked(), value.toBool());
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            QCOMPARE(edit->text(), value.toString());
        else if (auto *swatch = qobject_cast<ColorSwatch *>(widget))
            QCOMPARE(swatch->color(), value.value<QColor>());
        else if (auto *lamp = qobject_cast<LedLamp *>(widget))
            QCOMPARE(lamp->isOn(), value.toBool());
        else if (auto *bar = qobject_cast<QProgressBar *>(widget))
            QCOMPARE(bar->value(), value.toInt());
        else
            QFAIL("value on a control without one");
    }
}

void TestMainWindow::regions()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    QCOMPARE(window->size(), QSize(979, 590));
    QCOMPARE(child<QStatusBar>("Bottom")->height(), 19);
    QCOMPARE(child<QFrame>("TntPanel3")->width(), 480);
    QCOMPARE(child<QFrame>("TntPanel1")->height(), 366);
    QCOMPARE(child<QFrame>("TntPanel4")->height(), 30);
    QCOMPARE(child<QFrame>("TntPanel6")->height(), 30);
    QCOMPARE(child<QSplitter>("TntSplitter1")->handleWidth(), 12);
    QCOMPARE(child<QFrame>("TntPanel5")->geometry().left(), 480 + 12);

    // The source-image view lies behind the scroll box, in the same place.
    auto *scroll = child<QScrollArea>("TntScrollBox1");
    QCOMPARE(child<ImageView>("TntImage2")->geometry(), scroll->geometry());
    QCOMPARE(scroll->widget(), window->TntImage1);

    QCOMPARE(window->Fontlabel->isVisible(), false);
    QCOMPARE(window->Fontlabel->font().family(), QStringLiteral("Lucida Sans"));
    QCOMPARE(window->Fontlabel->font().pointSize(), 18);
    QCOMPARE(window->GoBtn->palette().color(QPalette::ButtonText), QColor(Qt::red));
    QVERIFY(window->GoBtn->font().bold());
    QCOMPARE(window->TntButton1->font().pixelSize(), 16);
    QCOMPARE(window->font().pixelSize(), 13);
}

void TestMainWindow::minimumSize()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->minimumSize(), QSize(510, 590));
    window->resize(300, 200);
    QCOMPARE(window->size(), QSize(510, 590));
    window->resize(1200, 800);
    QCOMPARE(window->size(), QSize(1200, 800));
}

void TestMainWindow::versionCaption()
{
    QCOMPARE(VersionCaption(), QStringLiteral("Pictoloom v1.7"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Pictoloom v1.7"));
}

void TestMainWindow::focusOrder()
{
    const QStringList expected = {
        "Folder", "Extensions", "Subs", "SelFilesBtn", "TntButton1", "iCols", "iWidth", "DefaultPic",
        "TntButton3", "SaveBtn", "SaveMap", "Quality", "Space", "BackPic", "TntButton2", "Sides",
        "PopWidth", "PopHeight", "SaveFolder", "DestBtn", "ImageSize", "DoResize", "CopyFiles", "GoBtn",
        "Header", "TntButton6", "UseBack", "AddNumbers", "Browser", "AutoDisplay", "files",
        "TntButton4", "TntButton5", "TntButton7", "TntButton8", "TntButton9", "BrowseBtn",
        "TntButton10", "TntScrollBox1",
    };
    QStringList chain;
    QWidget *widget = window->Folder;
    do {
        if (expected.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != window->Folder);
    QCOMPARE(chain, expected);
    QCOMPARE(window->focusWidget(), window->Folder);
}

void TestMainWindow::enablingRules_data()
{
    QTest::addColumn<QString>("checkBox");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<bool>("enabled");

    const QStringList copyControls = {"ImageSize", "DoResize", "SaveFolder", "DestBtn", "TntLabel15"};
    QTest::newRow("UseBack ticked") << "UseBack" << true << QStringList{"BackPic"} << true;
    QTest::newRow("UseBack unticked") << "UseBack" << false << QStringList{"BackPic"} << false;
    QTest::newRow("AutoDisplay unticked") << "AutoDisplay" << false
                                          << QStringList{"PopWidth", "PopHeight"} << true;
    QTest::newRow("AutoDisplay ticked") << "AutoDisplay" << true
                                        << QStringList{"PopWidth", "PopHeight"} << false;
    QTest::newRow("CopyFiles ticked") << "CopyFiles" << true << copyControls << true;
    QTest::newRow("CopyFiles unticked") << "CopyFiles" << false << copyControls << false;
}

void TestMainWindow::enablingRules()
{
    QFETCH(QString, checkBox);
    QFETCH(bool, ticked);
    QFETCH(QStringList, controls);
    QFETCH(bool, enabled);

    // Go there and back, so that the rule runs in both directions from code.
    auto *box = window->findChild<QCheckBox *>(checkBox);
    box->setChecked(!ticked);
    box->setChecked(ticked);
    for (const QString &name : std::as_const(controls))
        QVERIFY2(window->findChild<QWidget *>(name)->isEnabled() == enabled, qPrintable(name));
    QVERIFY(window->TntButton2->isEnabled());
}

void TestMainWindow::disablingKeepsValues()
{
    window->UseBack->setChecked(true);
    window->BackPic->setText(QStringLiteral("/tmp/back.png"));
    window->UseBack->setChecked(false);
    QCOMPARE(window->BackPic->text(), QStringLiteral("/tmp/back.png"));

    window->CopyFiles->setChecked(true);
    QVERIFY(!window->DoResize->isChecked());
    window->DoResize->setChecked(true);
    window->CopyFiles->setChecked(false);
    QVERIFY(window->DoResize->isChecked());
    QVERIFY(!window->DoResize->isEnabled());
}

void TestMainWindow::hintToStatusBar_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("innerChild"); // enter the control's first child widget instead
    QTest::addColumn<QString>("status");

    QTest::newRow("own hint") << "iWidth" << false << "Main image width";
    QTest::newRow("disabled control") << "PopWidth" << false << "Display width if not full size";
    QTest::newRow("parent's hint") << "iWidth" << true << "Main image width";
    QTest::newRow("list viewport") << "files" << true << "Double click a file to open in viewer";
    QTest::newRow("no hint") << "Subs" << false << "";
    QTest::newRow("no hint anywhere up") << "TntPanel1" << false << "";
}

void TestMainWindow::hintToStatusBar()
{
    QFETCH(QString, control);
    QFETCH(bool, innerChild);
    QFETCH(QString, status);

    // Start from a different text, so that emptying shows.
    QEnterEvent intoSides({}, {}, {});
    QCoreApplication::sendEvent(window->Sides, &intoSides);
    QCOMPARE(window->Bottom->currentMessage(), QStringLiteral("Border space both sides of thumbnails"));

    QWidget *target = window->findChild<QWidget *>(control);
    if (innerChild)
        target = target->findChildren<QWidget *>().value(0);
    QVERIFY(target);
    QEnterEvent enter({}, {}, {});
    QCoreApplication::sendEvent(target, &enter);
    QCOMPARE(window->Bottom->currentMessage(), status);
}

void TestMainWindow::unchangedHintKeepsStatusText()
{
    QEnterEvent enter({}, {}, {});
    QCoreApplication::sendEvent(window->iWidth, &enter);
    window->Bottom->showMessage(QStringLiteral("/photos/a.jpg"));

    // Moving onto the spin edit's own text field keeps the same hint: the text stays.
    QEnterEvent inner({}, {}, {});
    QCoreApplication::sendEvent(window->iWidth->findChild<QLineEdit *>(), &inner);
    QCOMPARE(window->Bottom->currentMessage(), QStringLiteral("/photos/a.jpg"));

    // Leaving the field for the settings area, which has no hint, empties the bar.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(window->iWidth, &leave);
    QCOMPARE(window->Bottom->currentMessage(), QString());
}

void TestMainWindow::colorDialogStartsAtLastChosenColor()
{
    QList<QColor> startColors;
    QColor choice = Qt::red;
    answer = [&](QDialog &dialog) {
        auto *colors = qobject_cast<QColorDialog *>(&dialog);
        if (!colors)
            return int(QDialog::Rejected);
        startColors.append(colors->currentColor());
        if (!choice.isValid())
            return int(QDialog::Rejected);
        colors->setCurrentColor(choice);
        return int(QDialog::Accepted);
    };

    window->BackColorMouseDown();
    QCOMPARE(window->BackColor->color(), QColor(Qt::red));

    choice = QColor(); // cancel
    window->BackColor->setColor(Qt::blue);
    window->BackColorMouseDown();
    QCOMPARE(window->BackColor->color(), QColor(Qt::blue));

    // Black at first whatever the swatch shows, then the colour chosen last.
    QCOMPARE(startColors, (QList<QColor>{Qt::black, Qt::red}));
}

void TestMainWindow::pictureButtonsFillEvenDisabledEdits_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("edit");
    QTest::newRow("default image") << "TntButton3" << "DefaultPic";
    QTest::newRow("disabled back image") << "TntButton2" << "BackPic";
}

void TestMainWindow::pictureButtonsFillEvenDisabledEdits()
{
    QFETCH(QString, button);
    QFETCH(QString, edit);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("pick.png"));
    QImage image(8, 8, QImage::Format_RGB888);
    image.fill(Qt::green);
    QVERIFY(image.save(path));

    auto *field = window->findChild<QLineEdit *>(edit);
    field->setText(QStringLiteral("before"));
    bool accept = false;
    answer = [&](QDialog &dialog) {
        auto *files = qobject_cast<PictureFileDialog *>(&dialog);
        if (!files || !accept)
            return int(QDialog::Rejected);
        files->selectFile(path);
        return int(QDialog::Accepted);
    };
    auto *picker = window->findChild<QPushButton *>(button);

    picker->click();
    QCOMPARE(field->text(), QStringLiteral("before"));

    accept = true;
    picker->click();
    QCOMPARE(field->text(), path);
}

void TestMainWindow::fontDialog()
{
    const QFont original = window->Fontlabel->font();
    QFont chosen(QStringLiteral("DejaVu Serif"), 24);
    chosen.setItalic(true);
    bool accept = false;
    QFont startFont;
    answer = [&](QDialog &dialog) {
        auto *fonts = qobject_cast<HeaderFontDialog *>(&dialog);
        if (!fonts)
            return int(QDialog::Rejected);
        startFont = fonts->currentFont();
        fonts->setCurrentFont(chosen);
        fonts->setCurrentColor(Qt::darkGreen);
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    };

    window->TntButton6->click();
    QCOMPARE(startFont.family(), original.family());
    QCOMPARE(startFont.pointSize(), 18);
    QCOMPARE(window->Fontlabel->font(), original);

    // OK without a change keeps the font's own name even where it is not installed.
    answer = [](QDialog &) { return int(QDialog::Accepted); };
    window->TntButton6->click();
    QCOMPARE(window->Fontlabel->font(), original);

    accept = true;
    answer = [&](QDialog &dialog) {
        auto *fonts = qobject_cast<HeaderFontDialog *>(&dialog);
        fonts->setCurrentFont(chosen);
        fonts->setCurrentColor(Qt::darkGreen);
        return int(QDialog::Accepted);
    };
    window->TntButton6->click();
    QCOMPARE(window->Fontlabel->font().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(window->Fontlabel->font().pointSize(), 24);
    QVERIFY(window->Fontlabel->font().italic());
    QCOMPARE(window->FontlabelColor(), QColor(Qt::darkGreen));
}

void TestMainWindow::headerDoubleClickCopiesFolder()
{
    window->Header->setText(QStringLiteral("old header"));
    QTest::mouseDClick(window->Header, Qt::LeftButton);
    QCOMPARE(window->Header->text(), QString());

    window->Folder->setText(QStringLiteral("/photos/2024"));
    QTest::mouseDClick(window->Header, Qt::LeftButton);
    QCOMPARE(window->Header->text(), QStringLiteral("/photos/2024"));
}

void TestMainWindow::folderDoubleClickOpensFolder_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("opened");

    QTest::newRow("source, 4 characters") << "Folder" << "/tmp" << true;
    QTest::newRow("source, 3 characters") << "Folder" << "/ab" << false;
    QTest::newRow("source, empty") << "Folder" << "" << false;
    QTest::newRow("destination") << "SaveFolder" << "/var/tmp" << true;
}

void TestMainWindow::folderDoubleClickOpensFolder()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, opened);

    OpenedUrls shell;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &shell, "open");
    auto *edit = window->findChild<ClickableLineEdit *>(field);
    // The other field holds a folder too, so a mix-up would show.
    (field == QLatin1String("Folder") ? window->SaveFolder : window->Folder)->setText(QStringLiteral("/other"));
    window->CopyFiles->setChecked(true);
    edit->setText(text);
    QTest::mouseDClick(edit, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    QCOMPARE(shell.urls, opened ? QList<QUrl>{QUrl::fromLocalFile(text)} : QList<QUrl>{});
}

void TestMainWindow::imageViewFitsAndCentres_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<QRect>("drawn"); // where the picture lands in a 200 x 200 view

    QTest::newRow("wide, shrunk") << QSize(400, 100) << true << QRect(0, 75, 200, 50);
    QTest::newRow("tall, shrunk") << QSize(100, 400) << true << QRect(75, 0, 50, 200);
    QTest::newRow("small, not enlarged") << QSize(50, 20) << true << QRect(75, 90, 50, 20);
    QTest::newRow("full size") << QSize(400, 100) << false << QRect(0, 0, 200, 100);
    QTest::newRow("full size, small") << QSize(50, 20) << false << QRect(0, 0, 50, 20);
}

void TestMainWindow::imageViewFitsAndCentres()
{
    QFETCH(QSize, picture);
    QFETCH(bool, fit);
    QFETCH(QRect, drawn);

    QImage image(picture, QImage::Format_RGB888);
    image.fill(Qt::red);
    ImageView view;
    view.setFitMode(fit);
    view.setImage(image);
    view.resize(200, 200);
    QCOMPARE(view.minimumSizeHint(), fit ? QSize(0, 0) : picture);

    const QImage shot = view.grab().toImage();
    const auto isRed = [&](QPoint p) { return shot.pixelColor(p) == QColor(Qt::red); };
    QVERIFY(isRed(drawn.topLeft()));
    QVERIFY(isRed(drawn.bottomRight()));
    QVERIFY(isRed(drawn.center()));
    if (drawn.left() > 0)
        QVERIFY(!isRed(drawn.topLeft() - QPoint(1, 0)));
    if (drawn.top() > 0)
        QVERIFY(!isRed(drawn.topLeft() - QPoint(0, 1)));
    if (drawn.right() < 199)
        QVERIFY(!isRed(drawn.bottomRight() + QPoint(1, 0)));
    if (drawn.bottom() < 199)
        QVERIFY(!isRed(drawn.bottomRight() + QPoint(0, 1)));

    view.clear();
    QVERIFY(view.isEmpty());
}

void TestMainWindow::fileListItemHeight()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->files->addItems({QStringLiteral("/photos/a.jpg"), QStringLiteral("/photos/b.jpg")});
    QCOMPARE(window->files->visualItemRect(window->files->item(1)).top(), 15);
    QCOMPARE(window->files->selectionMode(), QAbstractItemView::ExtendedSelection);
}

void TestMainWindow::folderFromArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("taken");

    QTest::newRow("no argument") << QStringList{"pictoloom"} << false;
    QTest::newRow("existing folder") << QStringList{"pictoloom", "@dir"} << true;
    QTest::newRow("folder first of two") << QStringList{"pictoloom", "@dir", "/"} << true;
    QTest::newRow("file") << QStringList{"pictoloom", "@file"} << false;
    QTest::newRow("missing folder") << QStringList{"pictoloom", "@dir/missing"} << false;
    QTest::newRow("folder second") << QStringList{"pictoloom", "", "@dir"} << false;
}

void TestMainWindow::folderFromArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, taken);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("a.jpg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    for (QString &argument : arguments) {
        argument.replace(QStringLiteral("@dir"), dir.path() + QStringLiteral(" with blank"));
        argument.replace(QStringLiteral("@file"), file.fileName());
    }
    QVERIFY(QDir().mkpath(dir.path() + QStringLiteral(" with blank")));

    QCOMPARE(FolderFromArguments(arguments), taken ? arguments.at(1) : QString());
    QDir(dir.path() + QStringLiteral(" with blank")).removeRecursively();
}

void TestMainWindow::errorReport_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("letter") << "Cannot read x" << "Cannot read x.";
    QTest::newRow("digit") << "Code: 5" << "Code: 5.";
    QTest::newRow("full stop") << "Done." << "Done.";
    QTest::newRow("exclamation") << "Stop!" << "Stop!";
    QTest::newRow("parenthesis") << "Unknown picture file extension (.xyz)" << "Unknown picture file extension (.xyz)";
    QTest::newRow("non-ASCII") << QString::fromUtf8("Datei übergröße") << QString::fromUtf8("Datei übergröße.");
    QTest::newRow("empty") << "" << "";
}

void TestMainWindow::errorReport()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);

    bool after = false;
    RunHandler([&] {
        throw PictoloomError(text);
        after = true;
    });
    QVERIFY(!after);
    QCOMPARE(shownMessages, QStringList{shown});
    QCOMPARE(shownIcons, QList<QMessageBox::Icon>{QMessageBox::Critical});

    RunHandler([] { throw std::runtime_error("plain failure"); });
    QCOMPARE(shownMessages.last(), QStringLiteral("plain failure."));

    ShowMessage(QStringLiteral("Selected folder not accepted!"));
    QCOMPARE(shownMessages.last(), QStringLiteral("Selected folder not accepted!"));
    QCOMPARE(shownIcons.last(), QMessageBox::NoIcon);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
