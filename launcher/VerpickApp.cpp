#include "launcher/VerpickApp.h"

#include "launcher/Win32LaunchServices.h"

#include <cstdlib>

VerpickApp theApp;

bool VerpickApp::InitInstance()
{
    launcher::Win32LaunchServices services;
    m_programDir = launcher::RunLauncher(services);
    // Nothing to wait for and nothing to report: end here, so that the
    // message loop is never entered.
    std::exit(0);
}
