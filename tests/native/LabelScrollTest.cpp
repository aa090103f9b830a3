#include "controls/LabelScroll.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(LabelScroll, EstimateIsTwiceTheWidthOverTheWidthOfW)
{
    LabelScroll s;
    s.Recalc(100, 10, 0);
    EXPECT_EQ(s.VisibleChars(), 20);
    s.Recalc(101, 7, 0);
    EXPECT_EQ(s.VisibleChars(), 28); // truncated
    s.Recalc(100, 0, 5);             // unmeasurable letter: no division by zero
    EXPECT_EQ(s.VisibleChars(), 200);
}

TEST(LabelScroll, TheExampleDisplayByDisplay)
{
    const std::string text = "ABCDEFGH";
    LabelScroll s;
    LabelScroll::TimerChange t = s.Recalc(60, 20, text.size()); // estimate 6
    EXPECT_EQ(s.VisibleChars(), 6);
    EXPECT_TRUE(t.start);
    EXPECT_FALSE(t.stop);
    const std::vector<std::string> expected = {
        "ABCDEFGH", "BCDEFGH", "CDEFGH", "DEFGH ** ABCDEFGH", "EFGH ** ABCDEFGH", "FGH ** ABCDEFGH",
        "GH ** ABCDEFGH", "H ** ABCDEFGH", " ** ABCDEFGH", "ABCDEFGH"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(s.Display(text), expected[i]) << "step " << i;
        s.Step(text.size());
    }
}

// Characters, not bytes: "şΩ中" is three characters in seven bytes.
TEST(LabelScroll, CountsCharactersOfUtf8Text)
{
    const std::string text = "\xC5\x9F\xCE\xA9\xE4\xB8\xAD";
    LabelScroll s;
    EXPECT_EQ(LabelScroll::Length(text), 3u);
    s.Recalc(20, 10, LabelScroll::Length(text)); // estimate 4: fits
    EXPECT_FALSE(s.Scrolling());
    s.Recalc(20, 20, LabelScroll::Length(text)); // estimate 2: scrolls
    s.Step(3);
    EXPECT_EQ(s.Display(text), "\xCE\xA9\xE4\xB8\xAD");
    s.Step(3);
    s.Step(3);
    EXPECT_EQ(s.Display(text), " ** " + text);
}

TEST(LabelScroll, ATextThatFitsNeverScrollsNorIsPadded)
{
    LabelScroll s;
    LabelScroll::TimerChange t = s.Recalc(100, 10, 20);
    EXPECT_FALSE(t.start);
    EXPECT_FALSE(s.Scrolling());
    EXPECT_EQ(s.Display("short"), "short");
    t = s.Recalc(100, 10, 0); // empty text
    EXPECT_FALSE(t.start);
    EXPECT_EQ(s.Display(""), "");
}

TEST(LabelScroll, NewTextWhileScrollingStopsTheTimerAndRestartsAtTheFirstCharacter)
{
    LabelScroll s;
    s.Recalc(20, 10, 10); // estimate 4: scrolls
    s.Step(10);
    s.Step(10);
    EXPECT_EQ(s.ScrollPos(), 2);
    LabelScroll::TimerChange t = s.Recalc(20, 10, 12);
    EXPECT_TRUE(t.stop);
    EXPECT_TRUE(t.start);
    EXPECT_EQ(s.ScrollPos(), 0);
    t = s.Recalc(20, 10, 3); // now it fits
    EXPECT_TRUE(t.stop);
    EXPECT_FALSE(t.start);
    EXPECT_FALSE(s.Scrolling());
}

TEST(LabelScroll, ZeroWidthScrollsAnyText)
{
    LabelScroll s;
    EXPECT_TRUE(s.Recalc(0, 10, 1).start);
    EXPECT_EQ(s.Display("x"), "x");
    s.Step(1);
    EXPECT_EQ(s.Display("x"), "");
    s.Step(1);
    EXPECT_EQ(s.ScrollPos(), 0);
}

} // namespace
