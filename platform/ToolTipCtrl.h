#pragma once
// CToolTipCtrl: Windows' tooltip window. It is a pop-up owned by the
// window it serves, and shows a tool's text when the mouse messages relayed to
// it rest over the tool.
#include "platform/Wnd.h"

#include <commctrl.h>

#include <string>

class CToolTipCtrl : public CWnd {
public:
    bool Create(CWnd* parent, DWORD style = 0);
    // A tool of `wnd` with the id `id`, covering `rect` (client coordinates of `wnd`).
    bool AddTool(CWnd* wnd, const std::string& text, const RECT& rect, UINT_PTR id);
    void UpdateTipText(const std::string& text, CWnd* wnd, UINT_PTR id);
    void Activate(bool activate) { SendMessage(TTM_ACTIVATE, activate ? TRUE : FALSE); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
};
