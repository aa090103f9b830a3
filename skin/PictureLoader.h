#pragma once
// Picture files into bitmaps, and bitmaps onto device contexts, always pixel
// for pixel: nothing is scaled, blended or drawn with a transparent colour.
#include "platform/Bitmap.h"

#include <string>
#include <string_view>

// Decodes a BMP, JPEG or GIF file with the system's OLE picture decoder into
// `bitmap` (which owns the result alone; the bitmap it held before is
// destroyed) and sets `size` to its width and height. A file that is missing,
// unreadable, empty or not a decodable picture leaves `bitmap` empty and
// `size` 0 × 0. Initialises COM on the calling thread for the call if needed.
void LoadPicture(const std::string& path, CBitmap& bitmap, SIZE& size);

// The same decoder on a picture file's bytes: the bitmap, or none.
platform::UniqueBitmap LoadPictureFromMemory(std::string_view bytes);

// Copies the top-left width × height pixels of `bitmap` to `dc` at
// (left, top). Nothing happens without a bitmap.
void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& rect);

// Copies the part `area` of `picture` (picture coordinates) to `dc` with its
// top-left corner at `to`: what a crop of that area would show (CropBitmap),
// without making one. Pixels of the area beyond the picture's edge are black;
// nothing happens without a picture or for an empty area.
void DrawPictureArea(HDC dc, const CBitmap& picture, const RECT& area, POINT to);

// Gives `target` a new bitmap, compatible with `dc`, holding the pixels of
// `source` from (left, top) to (right, bottom); pixels beyond the source's
// edge are black. An empty source changes nothing; an empty rectangle leaves
// `target` empty.
void CropBitmap(HDC dc, CBitmap& target, const CBitmap& source, int left, int top, int right, int bottom);
