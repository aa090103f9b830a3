#include "LabelScroll.h"

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

std::string LabelScroll::Display(const std::string& text) const
{
    const std::size_t pos = m_scrollPos > 0 ? static_cast<std::size_t>(m_scrollPos) : 0;
    std::string s = pos < text.size() ? text.substr(pos) : std::string();
    if (m_visibleChars >= 0 && static_cast<std::size_t>(m_visibleChars) < text.size())
        while (s.size() < static_cast<std::size_t>(m_visibleChars))
            s += " ** " + text;
    return s;
}
