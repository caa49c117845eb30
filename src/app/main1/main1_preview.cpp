// The preview pane's commands.
#include "main1/main1.h"

void TForm1::TntButton8Click()
{
}

void TForm1::TntButton9Click()
{
}

void TForm1::TntButton10Click()
{
}

void TForm1::BrowseBtnClick()
{
}

void TForm1::TntImage1DblClick()
{
}
