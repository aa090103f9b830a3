#include "ImageButton.h"

void ImageButton::OnLButtonUp(UINT, POINT point)
{
    // The click is reported while the platform still shows the button pushed
    // and holds the capture; its own release processing comes after.
    if (m_face.ReleaseIsClick(point))
        if (ControlHost* host = Host())
            host->ReportButtonClick(m_index);
    Default();
}

void ImageButton::OnMouseMove(UINT flags, POINT point)
{
    if (ControlHost* host = Host())
        host->ReportControlMouseMove(m_name, point);
    SkinButton::OnMouseMove(flags, point);
}
