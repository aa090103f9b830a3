#pragma once
#include "Bitmap.h"
#include <string>
void LoadPicture(const std::string& path, CBitmap& bitmap, SIZE& size);
void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& rect);
void CropBitmap(HDC dc, CBitmap& target, const CBitmap& source, int left, int top, int right, int bottom);
