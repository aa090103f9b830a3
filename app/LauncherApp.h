#pragma once
// The start menu's application object: works out where the program lies and
// runs the main window; the program ends with the window.
#include "platform/WinApp.h"

#include <string>
#include <vector>

class LauncherApp : public CWinApp {
public:
    bool InitInstance() override;

    std::string m_programDir;     // the program's folder, with a trailing backslash
    std::string m_autorunInfPath; // m_programDir + "AUTORUN.INF"
    std::vector<std::string> m_languages; // whose sections the menu reads, most specific first
};

LauncherApp& TheLauncherApp();
