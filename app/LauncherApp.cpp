#include "app/LauncherApp.h"

#include "app/AppPaths.h"
#include "app/MenuDialog.h"
#include "platform/DisplayLanguages.h"
#include "platform/LanguageSections.h"
#include "platform/Process.h"

namespace {
LauncherApp theApp;
}

LauncherApp& TheLauncherApp()
{
    return theApp;
}

bool LauncherApp::InitInstance()
{
    // The framework's control-container and 3D-look steps have no counterpart here.
    AppPaths paths = PathsFromModule(platform::ModuleFileName());
    m_programDir = paths.programDir;
    m_autorunInfPath = paths.autorunInfPath;
    // Asked once: the menu keeps the language it opened in.
    m_languages = platform::ChooseLanguages(platform::UserDisplayLanguages());

    MenuDialog dialog(nullptr);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
