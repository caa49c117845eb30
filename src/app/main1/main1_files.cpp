// Source selection and the file list.
#include "main1/main1.h"

#include <QKeyEvent>

void TForm1::SelFilesBtnClick()
{
}

void TForm1::TntButton1Click()
{
}

void TForm1::DestBtnClick()
{
}

void TForm1::filesClick()
{
}

void TForm1::filesDblClick()
{
}

void TForm1::filesKeyDown(QKeyEvent *)
{
}
