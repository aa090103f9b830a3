#include "controls/LabelScroll.h"

#include "platform/TextCodec.h"

#include <climits>

LabelScroll::TimerChange LabelScroll::Recalc(int clientWidth, int letterWidth, std::size_t textLength)
{
    TimerChange change{m_scrolling, false};
    // A font whose "W" cannot be measured would divide by zero: count it as one pixel.
    const long long letter = letterWidth > 0 ? letterWidth : 1;
    const long long estimate = 2LL * clientWidth / letter;
    m_visibleChars = static_cast<int>(estimate > INT_MAX ? INT_MAX : (estimate < INT_MIN ? INT_MIN : estimate));
    m_scrolling = m_visibleChars < 0 || static_cast<std::size_t>(m_visibleChars) < textLength;
    change.start = m_scrolling;
    m_scrollPos = 0;
    return change;
}

void LabelScroll::Step(std::size_t textLength)
{
    ++m_scrollPos;
    if (m_scrollPos < 0 || static_cast<std::size_t>(m_scrollPos) > textLength)
        m_scrollPos = 0;
}

std::size_t LabelScroll::Length(const std::string& text)
{
    return platform::Utf16Length(text);
}

std::string LabelScroll::Display(const std::string& text) const
{
    // Characters are counted as the wide text calls count them, never cut in two.
    const std::size_t pos = m_scrollPos > 0 ? static_cast<std::size_t>(m_scrollPos) : 0;
    std::string s = text.substr(platform::Utf16PrefixBytes(text, pos));
    const std::size_t length = Length(text);
    if (m_visibleChars >= 0 && static_cast<std::size_t>(m_visibleChars) < length) {
        std::size_t shown = Length(s);
        while (shown < static_cast<std::size_t>(m_visibleChars)) {
            s += " ** " + text;
            shown += 4 + length;
        }
    }
    return s;
}
