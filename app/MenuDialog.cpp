#include "MenuDialog.h"

#include "LauncherApp.h"
#include "Module.h"
#include "Win32Handles.h"

MenuDialog::MenuDialog(CWnd* parent)
    : SkinDialog(IDD, parent), m_hIcon(::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(128)))
{
}

bool MenuDialog::OnInitDialog()
{
    SkinDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowText(platform::LoadResourceString(3));
    SetSkinPath(TheLauncherApp().m_programDir + "Data\\main.ini");
    LoadSkin();
    ModifyStyle(0, WS_SYSMENU, 0); // the taskbar button offers the window menu
    return true;
}

void MenuDialog::OnButtonClick(std::string) {}

void MenuDialog::OnPaint()
{
    if (!IsIconic()) {
        SkinDialog::OnPaint();
        return;
    }
    platform::PaintDc paint(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Dc()), 0);
    RECT client = GetClientRect();
    int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(paint.Dc(), x, y, m_hIcon);
}
