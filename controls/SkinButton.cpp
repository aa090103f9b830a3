#include "SkinButton.h"

void FacedButton::PreSubclassWindow()
{
    m_face.MakeOwnerDrawn();
    CButton::PreSubclassWindow();
}

bool FacedButton::PreTranslateMessage(MSG* msg)
{
    // Every message, not only the mouse's: the tooltip takes what it needs.
    m_face.RelayToToolTip(msg);
    return CButton::PreTranslateMessage(msg);
}

void FacedButton::OnMouseMove(UINT flags, POINT point)
{
    Default(); // the button's own push tracking first
    m_face.TrackMouseMove(flags, point);
}

void FacedButton::OnCaptureChanged(HWND gaining)
{
    m_face.CaptureLost(gaining);
    Default();
}

void FacedButton::OnKillFocus(HWND)
{
    Default();
    m_face.FocusLost();
}
