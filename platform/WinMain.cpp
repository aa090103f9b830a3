// The entry point of the programs: run the application object.
#include "platform/WinApp.h"
#include "platform/StartupTimes.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    AK_STARTUP_TIME("WinMain");
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
