#pragma once
// Skin pictures decoded as the menu's loader decodes them: BMP, JPEG and GIF
// only (what the platform's picture loader takes), with the same verdict, size
// and pixels; a test compares the two picture by picture.
#include "skin/DecodedPicture.h"

#include <string_view>

PictureLoad DecodePicture(std::string_view bytes);
