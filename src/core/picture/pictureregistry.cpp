#include "picture/pictureregistry.h"
