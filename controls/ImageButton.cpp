#include "ImageButton.h"

void ImageButton::OnLButtonUp(UINT, POINT point)
{
    // The click is reported while Windows still shows the button pushed
    // and holds the capture; its own release processing comes after.
    if (m_face.ReleaseIsClick(point))
        ReportToHost(&ControlHost::ReportButtonClick);
    Default();
}

void ImageButton::OnMouseMove(UINT flags, POINT point)
{
    ReportMouseMove(point);
    SkinButton::OnMouseMove(flags, point);
}
