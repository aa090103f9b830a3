#pragma once
// The start menu's main window: a skin dialog on template 102 that loads
// Data\main.ini below the program's folder.
#include "dialog/SkinDialog.h"
#include "app/resource.h"

class MenuDialog : public SkinDialog {
public:
    enum { IDD = IDD_MENU };
    explicit MenuDialog(CWnd* parent);

    HICON m_hIcon;

    // Hands `path` to the shell with the file type's default action.
    void RunFile(const std::string& path);

protected:
    bool OnInitDialog() override;
    // Enter goes to the focused button, if any; the menu never ends by it.
    void OnOK() override { ActivateFocusedControl(); }
    void OnCancel() override { CDialog::OnCancel(); }
    void OnButtonClick(std::string name) override;
    ButtonWords DescribeButton(const std::string& name) override;
    void OnPaint() override;
    HCURSOR OnQueryDragIcon() override { return reinterpret_cast<HCURSOR>(m_hIcon); }
};
