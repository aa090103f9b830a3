#pragma once
// SkinSlider: the Windows trackbar, which keeps doing all of a trackbar's
// work, drawn entirely from skin pictures: its background its rectangle of
// the Main picture, and a thumb picture of its own, with another while it is held.
#include "platform/Bitmap.h"
#include "controls/HostedControl.h"
#include "platform/Accessible.h"
#include "platform/SliderCtrl.h"
#include "skin/SkinPictures.h"

#include <string>

class SkinSlider : public CSliderCtrl {
public:
    // Where the thumb picture is drawn, in client coordinates.
    void GetThumbRect(RECT* rect) const;

    // The pictures the background comes from, and the trackbar's rectangle in them.
    SkinPictures* m_pictures = nullptr;
    RECT m_area{};
    CBitmap m_bmpThumb;
    CBitmap m_bmpThumbDown;
    bool m_thumbDown = false; // the press hit the thumb picture and the button is still down

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC) override { return FALSE; }
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnCaptureChanged(HWND gaining) override;
};

// One line of TRACKBARINFO. From a press on it until the release, every
// pointer move reports the position to the host, and the release reports the
// end of the tracking.
// With the focus it takes the arrow keys (Windows' trackbar moves by them and
// by Page Up, Page Down, Home and End, and tells the host as for a drag).
// Assistive technology reads it as a slider whose value is its position.
class TrackbarItem : public HostedControl<SkinSlider>, public platform::AccessibleWindow {
public:
    bool TakesArrows() const override { return true; }
    platform::AccessibleFacts Facts() const override
    {
        return {ROLE_SYSTEM_SLIDER, m_name, std::to_string(GetPos()), "", ""};
    }

    // The thumb pictures at `dpi` (PictureAtDpiWin32.h).
    void SetSliderPictures(const RECT& rect, SkinPictures* pictures, const std::string& thumbPath,
                           const std::string& thumbDownPath, int dpi = kBaseDpi);

    bool m_tracking = false;

protected:
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    // The trackbar's own scroll notifications to its parent, reflected here and reported to the host.
    bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
};
