#pragma once
// Where a skinned trackbar draws its thumb picture: centred on the platform
// trackbar's own thumb along the channel, against the control's top edge
// (horizontal) or left edge (vertical) across it. Window-free.
#include <cstdint>
#include <string>

struct ThumbBox {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// Field 8 of a TRACKBARINFO line: a capital "H" is horizontal, anything else vertical.
bool TrackbarIsHorizontal(const std::string& field);

// `platformThumb` is the platform's thumb rectangle, `width` × `height` the
// thumb picture's size. A vertical trackbar keeps the picture inside at the
// top; a horizontal one lets it run past the left edge, where it is cut.
ThumbBox ThumbPictureRect(bool vertical, const ThumbBox& platformThumb, std::int32_t width, std::int32_t height);
