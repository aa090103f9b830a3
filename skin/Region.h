#pragma once
// Window outlines from mask pictures: every mask pixel of the transparent
// colour (within the tolerance) is cut out, every other pixel stays.
#include "platform/Bitmap.h"

#include <cstdint>
#include <string>

// The region of the mask's non-transparent pixels, made of one-pixel-high
// runs, in mask coordinates (0, 0 at the top-left). The mask may have any
// pixel format. Colour and tolerance are packed like a 32-bit pixel, blue in
// the low byte. None when there is no mask or the region cannot be made, also
// when it would have more than kMaxRegionRects rectangles (found while the
// mask is scanned, before any such region is built); an empty region when
// every pixel is transparent.
platform::UniqueRegion RegionFromMask(HBITMAP mask, std::uint32_t colour, std::uint32_t tolerance);

// The same from a BMP mask's file read straight into runs (MaskFile.h), with
// the mask's size: false, and nothing done, when the file is not one of the
// kinds read so (or cannot be read); the caller then decodes it.
bool RegionFromMaskFile(const std::string& path, std::uint32_t colour, std::uint32_t tolerance,
                        platform::UniqueRegion& region, SIZE& size);

// How a region is handed to a window: SetWindowRgn, or a stand-in that
// refuses, as no window refuses one on demand.
using SetWindowRegionFn = int(WINAPI*)(HWND, HRGN, BOOL);

// Gives `window` the region of `mask` (the skin cut colour and tolerance) and has it
// repainted. When no region can be made, or the window refuses it, a message box owned by the
// window tells so under `caption`, and the window keeps its earlier outline.
// A null or destroyed window is left alone.
void ApplyMaskRegion(HWND window, const CBitmap* mask, const char* caption,
                     SetWindowRegionFn setRegion = ::SetWindowRgn);
// The same with a region already made from the mask (none when it could not be).
void ApplyMaskRegion(HWND window, platform::UniqueRegion region, const char* caption,
                     SetWindowRegionFn setRegion = ::SetWindowRgn);
