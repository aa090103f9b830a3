#include "controls/TextLabel.h"

void TextLabel::OnLButtonUp(UINT, POINT)
{
    // No test of the position: every release the label receives is reported.
    Default();
    ReportToHost(&ControlHost::ReportTextClick);
}

void TextLabel::OnMouseMove(UINT, POINT point)
{
    // Only the report: a label takes no capture and shows no hovered look.
    ReportMouseMove(point);
}
