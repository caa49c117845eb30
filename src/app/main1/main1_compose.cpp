// GO: composing the index picture.
#include "main1/main1.h"

void TForm1::GoBtnClick()
{
}
