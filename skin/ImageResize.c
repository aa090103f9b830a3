/* The packaged resizer's code, compiled once. */
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb_image_resize.h>

/* Area averaging (the box filter) when shrinking, bilinear when enlarging. */
int ak_resize_pixels(const unsigned char* in, int iw, int ih, unsigned char* out, int ow, int oh, int area)
{
    return stbir_resize_uint8_generic(in, iw, ih, 0, out, ow, oh, 0, 4, STBIR_ALPHA_CHANNEL_NONE, 0,
                                      STBIR_EDGE_CLAMP, area ? STBIR_FILTER_BOX : STBIR_FILTER_TRIANGLE,
                                      STBIR_COLORSPACE_LINEAR, 0);
}
