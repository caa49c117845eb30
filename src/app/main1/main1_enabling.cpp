// The enabling rules. They run whenever their check box changes, by a click or
// from code; disabling keeps the controls' values and ticks.
#include "main1/main1.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

void TForm1::UseBackClick()
{
    BackPic->setEnabled(UseBack->isChecked());
}

void TForm1::AutoDisplayClick()
{
    const bool fixedSize = !AutoDisplay->isChecked();
    PopWidth->setEnabled(fixedSize);
    PopHeight->setEnabled(fixedSize);
}

void TForm1::CopyFilesClick()
{
    const bool copy = CopyFiles->isChecked();
    ImageSize->setEnabled(copy);
    DoResize->setEnabled(copy);
    SaveFolder->setEnabled(copy);
    DestBtn->setEnabled(copy);
    TntLabel15->setEnabled(copy);
}
