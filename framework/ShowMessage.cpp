// The standard message box.
#include "ShowMessage.h"

#include "FrameworkIds.h"
#include "WinApp.h"
#include "Window.h"

#include <string>

int ShowMessage(UINT id, UINT flags)
{
    const std::string text = LoadResourceString(id);
    const std::string title = LoadResourceString(IDS_APP_TITLE);
    return MessageBoxA(WinApp::MainWnd(), text.c_str(), title.c_str(), flags);
}
