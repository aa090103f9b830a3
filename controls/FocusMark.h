#pragma once
// The mark of the keyboard focus on a skinned control: a focus rectangle inset
// in its client area, shown once its host shows the focus.
#include "platform/Wnd.h"

// Whether `control` has the focus and its host shows it.
bool ShowsFocusMark(const CWnd& control);
// Draws the mark over what `dc` shows of the client area `client`.
void DrawFocusMark(HDC dc, const RECT& client);
