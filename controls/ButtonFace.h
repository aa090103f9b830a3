#pragma once
// What every skinned push button has besides its window: its four looks, its
// rectangle of the skin's shared full-window pictures, its hover state and its
// tool in a tooltip. A button class holds one, made with its own window
// object, and passes it the messages that concern it.
#include "controls/ButtonLook.h"
#include "platform/ToolTipCtrl.h"
#include "platform/Wnd.h"
#include "skin/SkinPictures.h"

#include <memory>
#include <string>

class ButtonFace : public HoverTracker, private ButtonSeam {
public:
    explicit ButtonFace(CWnd& button) : m_button(button) {}
    ButtonFace(const ButtonFace&) = delete;
    ButtonFace& operator=(const ButtonFace&) = delete;

    bool m_staticLook = false; // always the Main look
    // The pictures the looks come from (the dialog's, which outlive the
    // button), and the button's rectangle in them; none until SetPictures.
    SkinPictures* m_pictures = nullptr;
    RECT m_area{};

    // While the window is being bound: an owner-drawn button without tab stop.
    void MakeOwnerDrawn();
    // The looks are `rect` (the dialog's client coordinates) of `pictures`.
    void SetPictures(const RECT& rect, SkinPictures* pictures);
    // Finds the tooltip: the one its host shares among its controls, else one of the button's own.
    void InitToolTip();
    // Registers the button's tool at the first call; later calls only change its text.
    void SetToolTipText(const std::string& text, bool activate);
    void RelayToToolTip(MSG* msg);
    CToolTipCtrl& ToolTip();

    ButtonLook LookFor(UINT itemState) const;
    const std::string& ToolTipText() const { return m_toolTipText; }
    // The picture of `look`, decoded now if it was waiting; empty without pictures.
    const CBitmap& Picture(ButtonLook look) const;
    // Copies the button's area of the current look's picture over the whole
    // client area, with the focus mark when it shows.
    void Draw(const DRAWITEMSTRUCT& item) const;

    // The message steps; Windows' default processing is the caller's.
    void TrackMouseMove(UINT flags, POINT point);
    void CaptureLost(HWND gaining);
    void FocusLost();
    // A left-button release at `point`: true when it is a click.
    bool ReleaseIsClick(POINT point);

private:
    bool HoldsCapture() const override;
    bool HasActiveWindowAndOwner() const override;
    WindowUnderPointer WindowAt(ButtonPoint point) const override;
    void SetCapture() override;
    void ReleaseCapture() override;
    void Invalidate() override;

    CWnd& m_button;
    CToolTipCtrl* m_toolTip = nullptr;             // the tooltip that holds the button's tool
    std::unique_ptr<CToolTipCtrl> m_ownToolTip; // for a button without a host that shares one
    bool m_toolAdded = false;
    std::string m_toolTipText;
};
