#include "controls/SkinProgress.h"

#include "controls/FocusMark.h"
#include "skin/PictureLoader.h"

void SkinProgress::Paint(HDC dc) const
{
    const CBitmap& back = m_face.Picture(ButtonLook::Main);
    // Without a background there is nothing to show the share against.
    if (!back)
        return;
    const RECT client = GetClientRect();
    const int w = client.right - client.left, h = client.bottom - client.top;
    const RECT& area = m_face.m_area;
    DrawPictureArea(dc, back, RECT{area.left, area.top, area.left + w, area.top + h}, POINT{0, 0});
    const int filledW = m_bar.FilledWidth(w), filledH = m_bar.FilledHeight(h);
    // An empty share needs no Down picture yet; a missing one fills with the background: nothing changes.
    if (filledW > 0 && filledH > 0)
        DrawPictureArea(dc, m_face.Picture(ButtonLook::Down),
                        RECT{area.left, area.top, area.left + filledW, area.top + filledH}, POINT{0, 0});
    if (ShowsFocusMark(*this))
        DrawFocusMark(dc, client);
}

void SkinProgress::OnPaint()
{
    platform::PaintDc paint(m_hWnd);
    if (paint)
        Paint(paint.Dc());
}

void SkinProgress::OnLButtonDown(UINT, POINT point)
{
    // No default handling: the button neither captures nor shows itself pushed;
    // the hover tracking holds the capture already.
    const RECT client = GetClientRect();
    m_bar.Press(point.x, point.y, client.right, client.bottom);
    Invalidate(true);
}

void SkinProgress::OnMouseMove(UINT flags, POINT point)
{
    SkinButton::OnMouseMove(flags, point);
    const RECT client = GetClientRect();
    if (m_bar.Move(m_face.m_hover == 1, point.x, point.y, client.right, client.bottom))
        Invalidate(true);
}

void ProgressItem::OnLButtonUp(UINT, POINT point)
{
    m_bar.Release();
    Invalidate(true);
    const RECT client = GetClientRect();
    if (InsideClient(client.right, client.bottom, ButtonPoint{point.x, point.y}))
        ReportToHost(&ControlHost::ReportProgressClick);
}

LRESULT ProgressItem::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    // The arrows come to the bar rather than moving the focus.
    if (msg == WM_GETDLGCODE)
        return SkinProgress::WindowProc(msg, wp, lp) | DLGC_WANTARROWS;
    return SkinProgress::WindowProc(msg, wp, lp);
}

void ProgressItem::OnKeyDown(UINT key)
{
    static constexpr struct {
        UINT key;
        ProgressKey step;
    } kSteps[] = {{VK_LEFT, ProgressKey::Less},       {VK_UP, ProgressKey::Less},
                  {VK_RIGHT, ProgressKey::More},      {VK_DOWN, ProgressKey::More},
                  {VK_PRIOR, ProgressKey::PageLess},  {VK_NEXT, ProgressKey::PageMore},
                  {VK_HOME, ProgressKey::Home},       {VK_END, ProgressKey::End}};
    for (const auto& s : kSteps)
        if (s.key == key) {
            m_bar.Key(s.step);
            Invalidate(true);
            ReportToHost(&ControlHost::ReportProgressClick);
            return;
        }
    Default();
}

void ProgressItem::OnMouseMove(UINT flags, POINT point)
{
    SkinProgress::OnMouseMove(flags, point);
    ReportMouseMove(point);
}
