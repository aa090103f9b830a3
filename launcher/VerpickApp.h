#pragma once
// The launcher program: its whole work is done in InitInstance, which ends
// the process and never returns.
#include "platform/WinApp.h"

#include <string>

class VerpickApp : public CWinApp {
public:
    bool InitInstance() override;

    std::string m_programDir; // with a trailing backslash
};
