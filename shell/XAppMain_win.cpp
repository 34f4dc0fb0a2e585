// The program's entry point: keeps the module handle and runs the one
// application object.
#include "AppState.h"
#include "XApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    g_hInstance = instance;
    XApp app;
    return app.Run(showCommand);
}
