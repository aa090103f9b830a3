#include "ButtonEx.h"

void ButtonEx::DrawItem(const DRAWITEMSTRUCT* item)
{
    // Without a window region the call fails and the clip keeps what it held,
    // the empty region at first: a button whose mask failed draws nothing.
    ::GetWindowRgn(m_hWnd, m_clipRgn.Get());
    ::SelectClipRgn(item->hDC, m_clipRgn.Get());
    m_face.Draw(*item);
}

void ButtonExItem::OnLButtonUp(UINT, POINT point)
{
    // The full rectangle counts, not the shape: a press inside the shape
    // released beside it, within the rectangle, is a click.
    if (m_face.ReleaseIsClick(point))
        ReportToHost(&ControlHost::ReportButtonExClick);
    Default();
}

void ButtonExItem::OnMouseMove(UINT flags, POINT point)
{
    ReportMouseMove(point);
    ButtonEx::OnMouseMove(flags, point);
}
