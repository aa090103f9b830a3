#include "controls/SkinProgress.h"

#include "platform/Win32Handles.h"

void SkinProgress::SetBarPictures(const RECT& rect, const CBitmap* main, const CBitmap* down)
{
    SetPictures(rect, main, nullptr, down, nullptr);
}

void SkinProgress::Paint(HDC dc) const
{
    const CBitmap& back = m_face.m_bmpMain;
    const CBitmap& fill = m_face.m_bmpDown;
    // Without a background there is nothing to show the share against.
    if (!back)
        return;
    platform::MemoryDc memory(::CreateCompatibleDC(nullptr));
    if (!memory)
        return;
    const RECT client = GetClientRect();
    const int w = client.right - client.left, h = client.bottom - client.top;
    platform::Selection selected(memory.Get(), back.GetSafeHandle());
    ::BitBlt(dc, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
    // A missing Down picture fills with the background: nothing changes.
    if (!fill)
        return;
    ::SelectObject(memory.Get(), fill.GetSafeHandle()); // the selection restores the original
    ::BitBlt(dc, 0, 0, m_bar.FilledWidth(w), m_bar.FilledHeight(h), memory.Get(), 0, 0, SRCCOPY);
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

void ProgressItem::OnMouseMove(UINT flags, POINT point)
{
    SkinProgress::OnMouseMove(flags, point);
    ReportMouseMove(point);
}
