#include "main1/main1.h"

TForm1 *Form1 = nullptr;

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Pictoloom"));
    resize(979, 590);
}
