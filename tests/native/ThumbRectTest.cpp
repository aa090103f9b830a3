// Where the trackbar's thumb picture goes.
#include "controls/ThumbRect.h"

#include <gtest/gtest.h>

namespace {

TEST(ThumbPictureRect, CentredOnThePlatformThumbClampedOnlyAtTheTop)
{
    struct Row {
        const char* what;
        bool vertical;
        ThumbBox platform;
        int w, h;
        ThumbBox expected;
    } rows[] = {
        {"horizontal, mid channel", false, {46, 4, 57, 24}, 10, 20, {46, 0, 56, 20}},
        {"horizontal, wide picture at the left end: left kept negative", false, {8, 4, 19, 24}, 30, 24,
         {-2, 0, 28, 24}},
        {"horizontal, odd sizes truncate", false, {8, 4, 19, 24}, 7, 3, {10, 0, 17, 3}},
        {"vertical, mid channel", true, {4, 46, 24, 57}, 20, 10, {0, 46, 20, 56}},
        {"vertical, tall picture at the top: top raised to 0", true, {4, 8, 24, 19}, 24, 30, {0, 0, 24, 30}},
        {"vertical, just clear of the top", true, {4, 20, 24, 31}, 24, 30, {0, 10, 24, 40}},
        {"no picture", false, {46, 4, 57, 24}, 0, 0, {51, 0, 51, 0}},
    };
    for (const Row& r : rows) {
        const ThumbBox got = ThumbPictureRect(r.vertical, r.platform, r.w, r.h);
        EXPECT_EQ(got.left, r.expected.left) << r.what;
        EXPECT_EQ(got.top, r.expected.top) << r.what;
        EXPECT_EQ(got.right, r.expected.right) << r.what;
        EXPECT_EQ(got.bottom, r.expected.bottom) << r.what;
    }
}

} // namespace
