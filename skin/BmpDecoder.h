#pragma once
// BMP files decoded as the system's DIB functions read them, without them:
// core, info and V2 to V5 headers; 1, 4 and 8-bit palettes; RLE4 and RLE8;
// 16 and 32-bit pixels with or without bit fields; 24-bit pixels (a palette
// beside them is ignored); bottom-up and top-down rows; pixels at any offset.
#include "skin/DecodedPicture.h"

#include <string_view>

// `bytes` begins with "BM". Rows that the file does not hold load black and
// are recorded as missing; pixels that RLE data skips are black.
PictureLoad DecodeBmp(std::string_view bytes);

// The width and height that the header of BMP `bytes` gives (a top-down file's
// height as positive); false when the bytes are not a BMP or its header is cut
// short or of a kind Windows does not read.
bool BmpHeaderSize(std::string_view bytes, long long& width, long long& height);
