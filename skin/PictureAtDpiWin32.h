#pragma once
// Skin pictures at a DPI through the system's loader (LoadPicture), by the
// plan of PictureAtDpi.h: the same files, sizes and filters as skincheck.
#include "platform/Bitmap.h"
#include "skin/PictureAtDpi.h"

#include <string>

struct DpiBitmap {
    platform::UniqueBitmap bitmap; // none when no picture loads
    SIZE size{0, 0};
    DpiPlan plan;
};

// The picture file `oneXPath` at `dpi`. When no resampling is needed the
// bitmap is the loader's own, exactly as LoadPicture gives it; otherwise a
// 32-bit DIB section of the resampled pixels.
DpiBitmap LoadPictureAtDpi(const std::string& oneXPath, int dpi, PictureUse use);
// The same into `bitmap`, which owns it alone (the one it held is destroyed);
// left empty when no picture loads.
void LoadPictureAtDpi(const std::string& oneXPath, int dpi, PictureUse use, CBitmap& bitmap);

// A bitmap's pixels as top-down 32-bit pixels, the top byte cleared; empty
// when GDI cannot give them or the bitmap exceeds kMaxScaledPixels.
PixelImage PixelsOfBitmap(HBITMAP bitmap);

// A 32-bit top-down DIB section holding `image`; none for an empty image.
platform::UniqueBitmap BitmapOfPixels(const PixelImage& image);
