#include "controls/ButtonLook.h"

ButtonLook ChooseLook(bool staticLook, bool pushed, bool hover, bool disabled, bool showsFocus)
{
    if (staticLook)
        return ButtonLook::Main;
    if (pushed)
        return ButtonLook::Down;
    if (hover || showsFocus)
        return ButtonLook::Over;
    if (disabled)
        return ButtonLook::Disabled;
    return ButtonLook::Main;
}

bool InsideClient(std::int32_t width, std::int32_t height, ButtonPoint point)
{
    return point.x >= 0 && point.y >= 0 && point.x < width && point.y < height;
}

void HoverTracker::MouseMove(ButtonSeam& seam, bool leftHeld, ButtonPoint point)
{
    // A pointer that arrives with the button held never starts hovering.
    if (leftHeld && m_hover == 0)
        return;
    if (!seam.HoldsCapture() && seam.HasActiveWindowAndOwner()) {
        m_hover = 1;
        seam.SetCapture();
        seam.Invalidate();
        return;
    }
    WindowUnderPointer under = seam.WindowAt(point);
    if (under != WindowUnderPointer::Other)
        return;
    if (m_hover == 1) {
        m_hover = 0;
        seam.Invalidate();
    }
    // While pressed Windows keeps the capture until the release.
    if (!leftHeld)
        seam.ReleaseCapture();
}

void HoverTracker::CaptureChanged(ButtonSeam& seam, bool toThisButton)
{
    if (toThisButton || m_hover != 1)
        return;
    // Keeps m_hover: the look stays Over until the pointer comes back and leaves.
    seam.ReleaseCapture();
    seam.Invalidate();
}

void HoverTracker::FocusLost(ButtonSeam& seam)
{
    m_hover = 0;
    seam.Invalidate();
}

bool HoverTracker::Release(ButtonSeam& seam, std::int32_t width, std::int32_t height, ButtonPoint point)
{
    if (!InsideClient(width, height, point))
        return false;
    m_hover = 0;
    seam.Invalidate();
    return true;
}
