#pragma once
// The share of a skinned progress bar that the user sets with the pointer.
// Window-free: sizes and positions come in, the percentage and the filled
// area go out.
#include <cstdint>

enum class ProgressKey { Less, More, PageLess, PageMore, Home, End };

class ProgressCore {
public:
    bool m_vertical = false;
    bool m_dragging = false;
    std::int32_t m_percent = 0; // of the client width (height for a vertical bar)

    // The percentage that the pointer at (x, y) points to, truncating; a bar
    // without length has no percentage to give and keeps the current one.
    std::int32_t PercentAt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) const;

    // The left button went down at (x, y): the share follows it from now on.
    void Press(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    // The pointer moved; `hover` is the hover state after its tracking. True
    // when the share was recomputed (and the bar wants repainting).
    bool Move(bool hover, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    void Release() { m_dragging = false; }
    // A key on the focused bar, as a trackbar takes it: an arrow moves one
    // percent (Right and Down add), Page Up and Page Down ten (Page Down adds),
    // Home and End to the ends; the share stays within 0 to 100.
    void Key(ProgressKey key);

    // Width and height of the filled part, from the top-left corner.
    std::int32_t FilledWidth(std::int32_t width) const;
    std::int32_t FilledHeight(std::int32_t height) const;
};
