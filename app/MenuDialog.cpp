#include "app/MenuDialog.h"

#include "app/AppPaths.h"
#include "platform/FileSystem.h"
#include "app/LauncherApp.h"
#include "app/MenuCommand.h"
#include "platform/Module.h"
#include "platform/Profile.h"
#include "platform/Shell.h"
#include "platform/Win32Handles.h"

namespace {

// AUTORUN.INF is read at every question, so that edits take effect at the next one.
InfReader AutorunInf()
{
    return [](const std::string& section, const std::string& key) {
        const LauncherApp& app = TheLauncherApp();
        return platform::ReadProfileString(app.m_autorunInfPath, section, key, "", kInfValueBufferChars,
                                           app.m_languages);
    };
}

} // namespace

MenuDialog::MenuDialog(CWnd* parent)
    : SkinDialog(IDD, parent), m_hIcon(platform::LoadResourceIcon(IDI_DISC_BLUE))
{
}

bool MenuDialog::OnInitDialog()
{
    SkinDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowText(platform::LoadResourceString(IDS_TITLE));
    SetSkinPath(TheLauncherApp().m_programDir + kSkinRelativePath);
    SetLanguages(TheLauncherApp().m_languages);
    LoadSkin();
    ModifyStyle(0, WS_SYSMENU, 0); // the taskbar button offers the window menu
    return false; // no control has the focus until a key gives it one
}

void MenuDialog::OnButtonClick(std::string name)
{
    const std::string& dir = TheLauncherApp().m_programDir;
    for (const MenuEffect& e : DecideMenuClick(name, dir, AutorunInf(), &platform::PathExists)) {
        switch (e.kind) {
        case MenuEffect::EndDialog:
            CDialog::OnCancel();
            break;
        case MenuEffect::Minimize:
            ::ShowWindow(m_hWnd, SW_MINIMIZE);
            break;
        case MenuEffect::SetLabelText:
            SetLabelText(e.target, e.text);
            break;
        case MenuEffect::ShowMessage:
            MessageBox(e.text, e.target, MB_ICONINFORMATION);
            break;
        case MenuEffect::Open:
            if (e.text.empty())
                RunFile(e.target);
            else
                platform::ShellOpen(m_hWnd, e.text, e.target);
            break;
        case MenuEffect::Repaint:
            SendMessage(WM_PAINT, 0, 0);
            break;
        }
    }
}

ControlHost::ButtonWords MenuDialog::DescribeButton(const std::string& name)
{
    const MenuButtonWords words = DescribeMenuButton(name, AutorunInf());
    return {words.info, words.command};
}

void MenuDialog::RunFile(const std::string& path)
{
    platform::ShellOpen(m_hWnd, "", path);
}

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
