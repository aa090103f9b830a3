#pragma once
// The decoders behind DecodePicture, one per format. Off Windows, JPEG and GIF
// go through the libraries made for them (libjpeg-turbo, giflib); on Windows
// through the system's own picture loader, the one the menu uses.
#include "skin/DecodedPicture.h"

#include <string_view>

PictureLoad DecodeJpeg(std::string_view bytes); // begins with FF D8 FF
PictureLoad DecodeGif(std::string_view bytes);  // begins with GIF87a or GIF89a
