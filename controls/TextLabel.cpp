#include "TextLabel.h"

void TextLabel::OnLButtonUp(UINT, POINT)
{
    // No test of the position: every release the label receives is reported.
    Default();
    if (ControlHost* host = Host())
        host->ReportTextClick(m_index);
}

void TextLabel::OnMouseMove(UINT, POINT point)
{
    // Only the report: a label takes no capture and shows no hovered look.
    if (ControlHost* host = Host())
        host->ReportControlMouseMove(m_name, point);
}
