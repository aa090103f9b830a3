#pragma once
// SkinProgress: a bar drawn from the skin's Main picture, with the Down picture
// over the share that the user sets by pressing and dragging on it. It is a
// SkinButton for the hover tracking (which also ends a drag that leaves the
// bar) and the tooltip, with painting of its own.
#include "controls/ProgressCore.h"
#include "controls/SkinButton.h"
#include "controls/HostedControl.h"
#include "platform/Accessible.h"

class SkinProgress : public SkinButton {
public:
    // The bar shows `rect` (the dialog's client coordinates) of the Main and Down pictures.
    void SetBarPictures(const RECT& rect, SkinPictures* pictures) { SetPictures(rect, pictures); }

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
// and every pointer move over it is reported by its name. With the focus, the
// arrows, Page Up, Page Down, Home and End set its share and report as a press
// does. Assistive technology reads it as a progress bar whose value is its
// percentage.
class ProgressItem : public HostedControl<SkinProgress>, public platform::AccessibleWindow {
public:
    bool TakesArrows() const override { return true; }
    platform::AccessibleFacts Facts() const override
    {
        const std::string& tip = m_face.ToolTipText();
        return {ROLE_SYSTEM_PROGRESSBAR, tip.empty() ? m_name : tip, std::to_string(m_bar.m_percent) + "%", "", ""};
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnKeyDown(UINT key) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
};
