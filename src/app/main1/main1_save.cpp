// SAVE: the JPEG file and the image-map page.
#include "main1/main1.h"

void TForm1::SaveBtnClick()
{
}
