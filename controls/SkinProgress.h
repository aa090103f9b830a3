#pragma once
// SkinProgress: a bar drawn from the skin's Main picture, with the Down picture
// over the share that the user sets by pressing and dragging on it. It is a
// SkinButton for the hover tracking (which also ends a drag that leaves the
// bar) and the tooltip, with painting of its own.
#include "controls/ProgressCore.h"
#include "controls/SkinButton.h"
#include "controls/HostedControl.h"

class SkinProgress : public SkinButton {
public:
    // Crops the Main and Down pictures at `rect`; a picture without a bitmap
    // leaves its crop as it was.
    void SetBarPictures(const RECT& rect, const CBitmap* main, const CBitmap* down);

    // Windows may ask for an owner drawing (focus, state changes): it gets the bar too.
    void DrawItem(const DRAWITEMSTRUCT* item) override { Paint(item->hDC); }

    ProgressCore m_bar;

protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;

private:
    void Paint(HDC dc) const;
};

// One line of PROGRESSINFO: a release inside reports a click by its index,
// and every pointer move over it is reported by its name.
class ProgressItem : public HostedControl<SkinProgress> {
protected:
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
};
