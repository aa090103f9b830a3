#pragma once
// CDialog: a modal dialog made from a dialog template resource. The modal loop
// is our own, so that every message first passes the PreTranslateMessage of the
// window it is for and of that window's parents (controls relay messages to
// their tooltips there).
#include "platform/Wnd.h"

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

    // Creates the dialog, runs it until EndDialog, destroys it; returns the
    // EndDialog result, or -1 when the dialog could not be created.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Called by the modal loop whenever no message waits, until it returns
    // false; again after the next message. Work that nothing on the screen
    // waits for goes here, one piece a call.
    virtual bool OnIdle() { return false; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(WPARAM wp, LPARAM lp) override;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    bool PreTranslateChain(MSG& msg);

    UINT m_templateId;
    CWnd* m_parent;
    bool m_ending = false;
    INT_PTR m_result = -1;
};
