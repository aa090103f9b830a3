#include "controls/ThumbRect.h"

ThumbBox ThumbPictureRect(bool vertical, const ThumbBox& n, std::int32_t width, std::int32_t height)
{
    // Integer halvings truncate toward zero, as the drawing has always placed it.
    ThumbBox r;
    if (vertical) {
        r.left = 0;
        r.right = width;
        r.top = n.top + (n.bottom - n.top) / 2 - height / 2;
        if (r.top < 0)
            r.top = 0;
        r.bottom = r.top + height;
    } else {
        r.top = 0;
        r.bottom = height;
        r.left = n.left + (n.right - n.left) / 2 - width / 2;
        r.right = r.left + width;
    }
    return r;
}
