// The progress bar's share from the pointer.
#include "controls/ProgressCore.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressCore, PressSetsTheShareTruncatingAndFillsThatMuch)
{
    struct Row {
        bool vertical;
        int x, y, w, h;
        int percent, filledW, filledH;
    } rows[] = {
        {false, 50, 5, 200, 20, 25, 50, 20},   // a quarter of 200 columns
        {false, 199, 5, 200, 20, 99, 198, 20}, // the last column never fills the bar
        {false, 0, 5, 200, 20, 0, 0, 20},
        {false, 1, 5, 3, 20, 33, 0, 20},       // 3 × 33 / 100 truncates to 0
        {false, 2, 5, 3, 20, 66, 1, 20},
        {true, 3, 10, 30, 40, 25, 30, 10},     // full width, top 10 rows
        {true, 3, 39, 30, 40, 97, 30, 38},
        {false, 50, 39, 200, 40, 25, 50, 40},  // a horizontal bar ignores y
        {true, 150, 0, 200, 40, 0, 200, 0},    // and a vertical one x
    };
    for (const Row& r : rows) {
        ProgressCore bar;
        bar.m_vertical = r.vertical;
        bar.Press(r.x, r.y, r.w, r.h);
        EXPECT_TRUE(bar.m_dragging);
        EXPECT_EQ(bar.m_percent, r.percent) << r.x << "," << r.y << " in " << r.w << "x" << r.h;
        EXPECT_EQ(bar.FilledWidth(r.w), r.filledW) << r.x << "," << r.y << " in " << r.w << "x" << r.h;
        EXPECT_EQ(bar.FilledHeight(r.h), r.filledH) << r.x << "," << r.y << " in " << r.w << "x" << r.h;
    }
}

TEST(ProgressCore, KeysStepAsOnATrackbarWithinTheEnds)
{
    using K = ProgressKey;
    const struct {
        int from;
        K key;
        int to;
    } rows[] = {{40, K::More, 41}, {40, K::Less, 39}, {40, K::PageMore, 50}, {40, K::PageLess, 30}, {40, K::Home, 0},
                {40, K::End, 100}, {0, K::Less, 0},   {100, K::More, 100}, {95, K::PageMore, 100}, {5, K::PageLess, 0}};
    for (const auto& r : rows) {
        ProgressCore bar;
        bar.m_percent = r.from;
        bar.Key(r.key);
        EXPECT_EQ(bar.m_percent, r.to) << r.from << " key " << static_cast<int>(r.key);
    }
}

TEST(ProgressCore, ABarWithoutLengthKeepsItsShare)
{
    ProgressCore bar;
    bar.m_percent = 40;
    bar.Press(5, 5, 0, 20);
    EXPECT_EQ(bar.m_percent, 40);
    bar.m_vertical = true;
    EXPECT_EQ(bar.PercentAt(5, 5, 20, 0), 40);
}

TEST(ProgressCore, MovesFollowOnlyWhileDraggingAndHovered)
{
    ProgressCore bar;
    EXPECT_FALSE(bar.Move(true, 100, 0, 200, 10)) << "no press yet";
    EXPECT_EQ(bar.m_percent, 0);

    bar.Press(20, 0, 200, 10);
    EXPECT_TRUE(bar.Move(true, 100, 0, 200, 10));
    EXPECT_EQ(bar.m_percent, 50);
    // Out of the bar the hover ends; the share keeps its last value.
    EXPECT_FALSE(bar.Move(false, 300, 0, 200, 10));
    EXPECT_FALSE(bar.Move(false, 150, 0, 200, 10));
    EXPECT_EQ(bar.m_percent, 50);

    bar.Release();
    EXPECT_FALSE(bar.Move(true, 10, 0, 200, 10));
    EXPECT_EQ(bar.m_percent, 50) << "the share survives the release";
}

} // namespace
