// Where the keys move the focus among the controls, and when it starts to show.
#include "controls/KeyboardFocus.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(KeyboardFocus, TabAndArrowsWalkTheOrderAndWrapExceptOnAControlThatTakesTheArrows)
{
    using K = NavKey;
    // key, Shift held, controls, the focused one (-1: none), whether it takes the arrows; taken, the focus moved to
    const std::tuple<K, bool, int, int, bool, bool, int> rows[] = {
        {K::Tab, false, 4, -1, false, true, 0}, {K::Tab, true, 4, -1, false, true, 3},   // from none: first, last
        {K::Tab, false, 4, 2, false, true, 3},  {K::Tab, false, 4, 3, false, true, 0},   // wraps
        {K::Tab, true, 4, 0, false, true, 3},   {K::Tab, false, 4, 1, true, true, 2},    // Tab leaves a trackbar
        {K::Right, false, 4, 1, false, true, 2}, {K::Down, false, 4, 3, false, true, 0},
        {K::Left, false, 4, 0, false, true, 3}, {K::Up, false, 4, 2, false, true, 1},
        {K::Up, false, 4, -1, false, true, 3},  {K::Left, false, 4, 1, true, false, -1}, // the trackbar moves instead
        {K::Tab, false, 0, -1, false, false, -1}, {K::Tab, false, 1, 0, false, true, 0},
        {K::Alt, false, 4, 1, false, false, -1}, {K::Other, false, 4, 1, false, false, -1},
    };
    for (const auto& [key, shift, count, current, arrows, handled, to] : rows) {
        const FocusMove move = KeyboardFocus().OnKey(key, shift, count, current, arrows);
        EXPECT_EQ(std::pair(move.handled, move.to), std::pair(handled, to))
            << static_cast<int>(key) << " shift " << shift << " at " << current << " of " << count;
    }
}

TEST(KeyboardFocus, TheFocusShowsFromTheFirstKeyThatMovesItOn)
{
    for (NavKey first : {NavKey::Tab, NavKey::Left, NavKey::Right, NavKey::Up, NavKey::Down, NavKey::Alt}) {
        KeyboardFocus focus;
        bool changed = true;
        focus.OnKey(NavKey::Other, false, 3, -1, false, &changed); // Enter, Space, letters
        EXPECT_FALSE(changed || focus.CuesShown());
        focus.OnKey(first, false, 3, -1, false, &changed);
        EXPECT_TRUE(changed && focus.CuesShown()) << static_cast<int>(first);
        focus.OnKey(NavKey::Tab, false, 3, 0, false, &changed);
        EXPECT_TRUE(!changed && focus.CuesShown()) << "and stays";
    }
}

} // namespace
