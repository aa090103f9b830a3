#include "controls/SkinButton.h"

void SkinButtonWindow::PreSubclassWindow()
{
    m_face.MakeOwnerDrawn();
    CButton::PreSubclassWindow();
}

bool SkinButtonWindow::PreTranslateMessage(MSG* msg)
{
    // Every message, not only the mouse's: the tooltip takes what it needs.
    m_face.RelayToToolTip(msg);
    return CButton::PreTranslateMessage(msg);
}

void SkinButtonWindow::OnMouseMove(UINT flags, POINT point)
{
    Default(); // the button's own push tracking first
    m_face.TrackMouseMove(flags, point);
}

void SkinButtonWindow::OnCaptureChanged(HWND gaining)
{
    m_face.CaptureLost(gaining);
    Default();
}

void SkinButtonWindow::OnKillFocus(HWND)
{
    Default();
    m_face.FocusLost();
}
