#include "platform/Dialog.h"

#include "platform/StartupTimes.h"
#include "platform/WinApp.h"

namespace {
// The dialog whose window is being created on this thread: the dialog
// procedure binds it to the window at the first message it sees. A TLS slot
// of the system's rather than thread_local, whose emulation in MinGW's
// runtime brings a thread library of some 30 KB into the programs.
DWORD CreatingSlot()
{
    static const DWORD slot = ::TlsAlloc();
    return slot;
}

CDialog* Creating() { return static_cast<CDialog*>(::TlsGetValue(CreatingSlot())); }
void SetCreating(CDialog* dialog) { ::TlsSetValue(CreatingSlot(), dialog); }
} // namespace

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND wnd, UINT, WPARAM, LPARAM)
{
    if (CDialog* dialog = Creating(); dialog && !FromHandle(wnd)) {
        SetCreating(nullptr);
        dialog->SubclassWindow(wnd);
    }
    return FALSE; // everything else is handled by the bound object before the dialog manager
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(m_templateId), MAKEINTRESOURCEW(5)); // RT_DIALOG
    HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
    auto* tmpl = loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
    if (!tmpl || CreatingSlot() == TLS_OUT_OF_INDEXES)
        return -1;

    HWND parent = m_parent ? m_parent->m_hWnd : nullptr;
    m_ending = false;
    m_result = -1;
    SetCreating(this);
    HWND wnd = ::CreateDialogIndirectParamW(instance, tmpl, parent, &CDialog::StaticDialogProc, 0);
    SetCreating(nullptr);
    AK_STARTUP_TIME("dialog made and shown");
    if (!wnd)
        return -1;
    if (parent)
        ::EnableWindow(parent, FALSE);

    MSG msg;
    bool idle = true; // idle work may wait
    while (!m_ending && ::IsWindow(wnd)) {
        while (idle && !m_ending && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            idle = OnIdle();
        idle = true;
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam)); // leave WM_QUIT to the outer loop
            break;
        }
        if (PreTranslateChain(msg) || ::IsDialogMessageW(wnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    if (parent)
        ::EnableWindow(parent, TRUE);
    DestroyWindow();
    return m_result;
}

void CDialog::EndDialog(INT_PTR result)
{
    m_result = result;
    m_ending = true;
    if (m_hWnd)
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wake the loop
}

bool CDialog::PreTranslateChain(MSG& msg)
{
    for (HWND wnd = msg.hwnd; wnd; wnd = ::GetParent(wnd)) {
        if (CWnd* target = FromHandle(wnd); target && target->PreTranslateMessage(&msg))
            return true;
        if (wnd == m_hWnd)
            break;
    }
    return false;
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_INITDIALOG)
        return OnInitDialog() ? TRUE : FALSE;
    return CWnd::WindowProc(msg, wp, lp);
}

bool CDialog::OnCommand(WPARAM wp, LPARAM)
{
    switch (LOWORD(wp)) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}
