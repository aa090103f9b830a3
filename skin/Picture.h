#pragma once
// Until the controls and the dialog name skin/PictureLoader.h themselves.
#include "skin/PictureLoader.h"
