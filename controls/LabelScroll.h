#pragma once
// The ticker of a text label: how many characters fit, whether the text must
// scroll, the scroll position and what is shown at each step. Portable: widths
// are measured by the caller, time is the caller's timer.
#include <string>

class LabelScroll {
public:
    static constexpr unsigned kTimerId = 1;
    static constexpr unsigned kPeriodMs = 150;

    // What the label's timer must do after a recalculation.
    struct TimerChange {
        bool stop;  // the timer was running: stop it
        bool start; // the text does not fit: (re)start it
    };

    // A new text, font or size: estimate the visible characters from the label's
    // client width and the width of "W", choose the state, restart at the first character.
    TimerChange Recalc(int clientWidth, int letterWidth, std::size_t textLength);

    // One timer step over a text of `textLength` characters.
    void Step(std::size_t textLength);

    // The text as shown now: without the characters scrolled away and, while
    // scrolling, followed by " ** " and the text again until the estimate is filled.
    std::string Display(const std::string& text) const;

    // The length of a UTF-8 text in the characters the ticker counts (UTF-16 units).
    static std::size_t Length(const std::string& text);

    int VisibleChars() const { return m_visibleChars; }
    int ScrollPos() const { return m_scrollPos; }
    bool Scrolling() const { return m_scrolling; }

private:
    int m_scrollPos = 0;
    int m_visibleChars = 0;
    bool m_scrolling = false;
};
