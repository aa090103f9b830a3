#include "SkinButton.h"

void SkinButton::PreSubclassWindow()
{
    m_face.MakeOwnerDrawn();
    CButton::PreSubclassWindow();
}

bool SkinButton::PreTranslateMessage(MSG* msg)
{
    // Every message, not only the mouse's: the tooltip takes what it needs.
    m_face.RelayToToolTip(msg);
    return CButton::PreTranslateMessage(msg);
}

void SkinButton::OnMouseMove(UINT flags, POINT point)
{
    Default(); // the button's own push tracking first
    m_face.TrackMouseMove(flags, point);
}

void SkinButton::OnCaptureChanged(HWND gaining)
{
    m_face.CaptureLost(gaining);
    Default();
}

void SkinButton::OnKillFocus(HWND)
{
    Default();
    m_face.FocusLost();
}
