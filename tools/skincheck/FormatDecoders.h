#pragma once
// The picture formats that the menu's loader takes, each behind one shape:
// how its files begin, and its decoder. Off Windows, JPEG and GIF go through
// the libraries made for them (libjpeg-turbo, giflib); on Windows through the
// system's own picture loader, the one the menu uses (LoaderDecoder.cpp).
#include "skin/DecodedPicture.h"

#include <string_view>

struct PictureFormat {
    const char* name; // "BMP", "JPEG", "GIF"
    bool (*recognise)(std::string_view bytes);
    PictureLoad (*decode)(std::string_view bytes);
};

PictureLoad DecodeJpeg(std::string_view bytes); // begins with FF D8 FF
PictureLoad DecodeGif(std::string_view bytes);  // begins with GIF87a or GIF89a
