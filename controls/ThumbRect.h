#pragma once
// Where a skinned trackbar draws its thumb picture: centred on the Windows
// trackbar's own thumb along the channel, against the control's top edge
// (horizontal) or left edge (vertical) across it. Window-free.
#include "skin/SkinFile.h"

#include <cstdint>

using ThumbBox = SkinRect;

// `platformThumb` is Windows' thumb rectangle, `width` × `height` the
// thumb picture's size. A vertical trackbar keeps the picture inside at the
// top; a horizontal one lets it run past the left edge, where it is cut.
ThumbBox ThumbPictureRect(bool vertical, const ThumbBox& platformThumb, std::int32_t width, std::int32_t height);
