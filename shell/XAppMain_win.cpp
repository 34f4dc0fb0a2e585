// The program's entry point: keeps the module handle and runs the one
// application object.
#include "../framework/WinApp.h"
#include "XApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    WinApp::SetInstance(instance);
    XApp app;
    return app.Run(showCommand);
}
