// The settings file: the window's values between runs, and the header font.
#include "main1/main1.h"

#include "settings/headerfont.h"
#include "settings/settingsfile.h"
#include "settings/storedcolor.h"
#include "widgets/colorswatch.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

// The number typed in the field, even beyond the range while the field still
// has the focus; the minimum when the text is no whole number.
int typedValue(const QSpinBox *spin)
{
    bool ok = false;
    const int value = spin->cleanText().toInt(&ok, 10);
    return ok ? value : spin->minimum();
}

StoredSettings settingsFrom(const TForm1 &w)
{
    StoredSettings s;
    s.defaultImage = w.DefaultPic->text();
    s.width = typedValue(w.iWidth);
    s.cols = typedValue(w.iCols);
    s.spacer = typedValue(w.Space);
    s.sides = typedValue(w.Sides);
    s.backImage = w.BackPic->text();
    s.backColor = StoredColor::fromColor(w.BackColor->color());
    s.quality = typedValue(w.Quality);
    s.map = w.SaveMap->isChecked();
    s.browser = w.Browser->isChecked();
    s.popWidth = typedValue(w.PopWidth);
    s.popHeight = typedValue(w.PopHeight);
    s.useBack = w.UseBack->isChecked();
    s.numbers = w.AddNumbers->isChecked();
    return s;
}

} // namespace

QString DefaultSettingsPath()
{
    return SettingsPathFor(QCoreApplication::applicationFilePath());
}

void TForm1::LoadSettings()
{
    const StoredSettings s = clampedToSpinRanges(readStoredSettings(SettingsPath, settingsFrom(*this)));
    DefaultPic->setText(s.defaultImage);
    iWidth->setValue(s.width);
    iCols->setValue(s.cols);
    Space->setValue(s.spacer);
    Sides->setValue(s.sides);
    BackPic->setText(s.backImage);
    BackColor->setColor(StoredColor::toColor(s.backColor, palette()));
    Quality->setValue(s.quality);
    SaveMap->setChecked(s.map);
    Browser->setChecked(s.browser);
    PopWidth->setValue(s.popWidth);
    PopHeight->setValue(s.popHeight);
    UseBack->setChecked(s.useBack); // its toggled signal runs the enabling rule
    AddNumbers->setChecked(s.numbers);

    // The label starts in the window's text colour, which the file stores as
    // the system colour rather than as today's shade of it.
    const QColor shown = FontlabelColor();
    HeaderFontSpec font = headerFontSpecFrom(Fontlabel->font(), shown, FHeaderCharSet);
    if (shown == palette().color(QPalette::WindowText))
        font.color = StoredColor::WindowText;
    LoadFont(SettingsPath, HeaderFontSection, font);
    FHeaderCharSet = font.charSet;
    Fontlabel->setFont(toQFont(font, Fontlabel->font()));
    SetFontlabelColor(headerFontColor(font, palette()));
}

void TForm1::SaveSettings()
{
    writeStoredSettings(SettingsPath, settingsFrom(*this));
}

void TForm1::SaveHeaderFont()
{
    // The character set read at start-up goes back unchanged: Qt fonts have none.
    SaveFont(SettingsPath, HeaderFontSection,
             headerFontSpecFrom(Fontlabel->font(), FontlabelColor(), FHeaderCharSet));
}
