#pragma once
// The window at rest as a picture, laid out from the disc's model at the
// preview's scale: the Main picture inside the window's outline and
// transparent outside, trackbar thumbs at their positions, and every control
// outlined in its kind's colour with its name beside it.
#include "tools/skincheck/DiscModel.h"

#include <string>

// Pixels 0xAARRGGBB; empty when no picture gives the window a size.
PixelImage RenderPreview(const DiscModel& model);

bool WritePng(const std::string& path, const PixelImage& image);
