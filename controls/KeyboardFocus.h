#pragma once
// Where the keyboard moves the focus among a dialog's skinned controls, and
// when the focus starts to show. Window-free: keys and positions in, the
// decision out.
//
// The focus shows from the first key that moves it (Tab, an arrow, Alt) on,
// as Windows shows its keyboard cues; before that the window looks exactly as
// it does for the mouse. The menu decides this itself, since Wine always
// reports the cues as shown.

enum class NavKey { Tab, Left, Right, Up, Down, Alt, Other };

struct FocusMove {
    bool handled = false; // the dialog took the key: it goes no further
    int to = -1;          // the position to give the focus to, -1 for none
};

class KeyboardFocus {
public:
    bool CuesShown() const { return m_cuesShown; }

    // A key pressed while the control at `current` (-1: none) of `count`
    // focusable controls, in creation order, has the focus; `currentTakesArrows`
    // when that control moves its own value by the arrows (trackbar, progress).
    // Tab and Shift+Tab walk the order and wrap; so do the arrows elsewhere.
    // Returns true in `changed` when the cues turned on with this key.
    FocusMove OnKey(NavKey key, bool shift, int count, int current, bool currentTakesArrows, bool* changed = nullptr);

private:
    bool m_cuesShown = false;
};
