#pragma once
// How a skinned push button looks, and when it counts the pointer as over it.
// Window-free: the few platform operations that the hover steps need come
// through ButtonSeam, so that every step can be driven without a window system.
#include <cstdint>

enum class ButtonLook { Main, Over, Down, Disabled };

// The look to draw, chosen afresh at every drawing. A static look always shows
// Main; otherwise pushed wins over hovered, and hovered over disabled. A button
// that shows the keyboard focus looks hovered.
ButtonLook ChooseLook(bool staticLook, bool pushed, bool hover, bool disabled, bool showsFocus = false);

// A pointer position in the button's client coordinates (negative while the
// button holds the capture and the pointer is left of or above it).
struct ButtonPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// True when `point` lies in a client area of that size: left and top edges
// inside, right and bottom edges outside.
bool InsideClient(std::int32_t width, std::int32_t height, ButtonPoint point);

enum class WindowUnderPointer { None, ThisButton, Other };

// The platform operations of one button window.
class ButtonSeam {
public:
    virtual ~ButtonSeam() = default;
    virtual bool HoldsCapture() const = 0;
    // Whether the thread has an active window and the button has an owner.
    virtual bool HasActiveWindowAndOwner() const = 0;
    virtual WindowUnderPointer WindowAt(ButtonPoint point) const = 0;
    virtual void SetCapture() = 0;
    // Releases the mouse capture of the thread, whoever holds it.
    virtual void ReleaseCapture() = 0;
    // Repaints the whole button, background erase requested.
    virtual void Invalidate() = 0;
};

// The hover state of a button and the steps that change it. The button holds
// the mouse capture while hovered, so that it sees the pointer leave.
class HoverTracker {
public:
    int m_hover = 0; // 1 while the button considers the pointer to be over it

    // The pointer moved (after Windows' own handling of the move).
    void MouseMove(ButtonSeam& seam, bool leftHeld, ButtonPoint point);
    // The capture changed hands; `toThisButton` when the button itself took it
    // again (Windows' press does), which loses nothing.
    void CaptureChanged(ButtonSeam& seam, bool toThisButton);
    // The keyboard focus went elsewhere: the hovered look ends at once.
    void FocusLost(ButtonSeam& seam);
    // The left button was released at `point` (before Windows' own
    // release). Inside the client area that is a click: the hover is cleared
    // first, so that the capture given up afterwards ends in Normal. Returns
    // whether it was a click.
    bool Release(ButtonSeam& seam, std::int32_t width, std::int32_t height, ButtonPoint point);
};
