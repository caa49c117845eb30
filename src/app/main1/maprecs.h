#pragma once

#include "compose/maprec.h"

// The image-map areas of the last GO, one per list entry at that moment; the
// page writer reads them all.
extern TMapRecs MapRecs;
