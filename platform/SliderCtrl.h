#pragma once
// CSliderCtrl: a window of Windows' trackbar class. It keeps doing all
// the work of a trackbar (range, position, dragging, paging, keyboard); its
// notifications to the parent come back to it by reflection.
#include "platform/Wnd.h"

class CSliderCtrl : public CWnd {
public:
    // A child trackbar (WS_CHILD is added) at `rect` in the parent's client coordinates.
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetPos() const;
    // Windows keeps the position within the range.
    void SetPos(int pos, bool redraw = true);
    // Windows' own thumb, in client coordinates.
    RECT GetThumbRect() const;
};
