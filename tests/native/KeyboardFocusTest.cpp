// Where the keys move the focus among the controls, and when it starts to show.
#include "controls/KeyboardFocus.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyboardFocus, TabAndArrowsWalkTheOrderAndWrapExceptOnAControlThatTakesTheArrows)
{
    const struct {
        NavKey key;
        bool shift;
        int count, current;
        bool takesArrows;
        FocusMove expected;
    } rows[] = {
        {NavKey::Tab, false, 4, -1, false, {true, 0}}, // from none: the first
        {NavKey::Tab, true, 4, -1, false, {true, 3}},  // or the last
        {NavKey::Tab, false, 4, 2, false, {true, 3}},
        {NavKey::Tab, false, 4, 3, false, {true, 0}}, // wraps
        {NavKey::Tab, true, 4, 0, false, {true, 3}},
        {NavKey::Tab, false, 4, 1, true, {true, 2}}, // Tab leaves a trackbar too
        {NavKey::Right, false, 4, 1, false, {true, 2}},
        {NavKey::Down, false, 4, 3, false, {true, 0}},
        {NavKey::Left, false, 4, 0, false, {true, 3}},
        {NavKey::Up, false, 4, 2, false, {true, 1}},
        {NavKey::Up, false, 4, -1, false, {true, 3}},
        {NavKey::Left, false, 4, 1, true, {false, -1}}, // the trackbar moves instead
        {NavKey::Right, false, 4, -1, true, {true, 0}},
        {NavKey::Tab, false, 0, -1, false, {false, -1}}, // nothing to focus
        {NavKey::Tab, false, 1, 0, false, {true, 0}},
        {NavKey::Alt, false, 4, 1, false, {false, -1}},
        {NavKey::Other, false, 4, 1, false, {false, -1}},
    };
    for (const auto& r : rows) {
        KeyboardFocus focus;
        const FocusMove move = focus.OnKey(r.key, r.shift, r.count, r.current, r.takesArrows);
        EXPECT_EQ(std::pair(move.handled, move.to), std::pair(r.expected.handled, r.expected.to))
            << static_cast<int>(r.key) << " shift " << r.shift << " at " << r.current << " of " << r.count;
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
