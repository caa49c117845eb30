// The folder context-menu entry and the readme.
#include "main1/main1.h"

void TForm1::TntButton4Click()
{
}

void TForm1::TntButton7Click()
{
}

bool TForm1::ContextMenuEntryExists()
{
    return false;
}
