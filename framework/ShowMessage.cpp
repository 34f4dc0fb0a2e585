// The standard message box.
#include "ShowMessage.h"

#include "FrameworkIds.h"
#include "WinApp.h"
#include "Window.h"

#include <string>

int ShowMessage(UINT id, UINT flags)
{
    return ShowMessageText(LoadResourceString(id), flags);
}

int ShowMessageText(const std::string& text, UINT flags)
{
    const std::string title = LoadResourceString(IDS_APP_TITLE);
    HWND owner = WinApp::MainWnd();
    if (owner) owner = GetLastActivePopup(owner);
    return MessageBoxA(owner, text.c_str(), title.c_str(), flags);
}
