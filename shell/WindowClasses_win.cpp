// Registration of the program's window classes and the cover window.
#include "WindowClasses.h"

#include "../capture/CoverWindow.h"
#include "../dialogs/HotKeyDialog.h"
#include "../framework/WinApp.h"
#include "../image/XWndFullView.h"
#include "../print/PrintProgressDialog.h"
#include "../print/PrintSheet.h"

#include <windows.h>

std::string g_strFullViewClass;

namespace {

LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterPlainClass(const char* name, UINT style, HBRUSH background, WNDPROC procedure = PlainWindowProc)
{
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = WinApp::Instance();
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

bool RegisterWindowClasses()
{
    // The full-screen view's class: global, no cursor, background or icon.
    g_strFullViewClass = "Kestrel:FullView";
    if (!XWndFullView::RegisterWindowClass(g_strFullViewClass.c_str())) return false;

    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (!RegisterPlainClass("PrnClass", 0, white, PositionCellProc)) return false;
    if (!RegisterPlainClass("BWClass", 0, white)) return false;
    if (!RegisterPlainClass("KeyClass", 0, white, KeyCapWindowProc)) return false;
    if (!RegisterPlainClass("MeterClass", 0, white, MeterWindowProc)) return false;
    if (!RegisterPlainClass("PLClass", 0, white)) return false;

    if (!RegisterCoverWindowClass(WinApp::Instance())) return false;
    return CreateCoverWindow(WinApp::Instance());
}
