// Watching the clipboard for copied files.
#include "main1/main1.h"

void TForm1::TntButton5Click()
{
}

void TForm1::ClipNote1ClipboardChange()
{
}
