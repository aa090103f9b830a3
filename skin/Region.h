#pragma once
#include "Bitmap.h"
#include <cstdint>
void ApplyMaskRegion(HWND window, const CBitmap* mask, const char* caption);
