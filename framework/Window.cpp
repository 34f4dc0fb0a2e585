// Window thunks and class registration shared by every program window.
#include "Window.h"

#include "HandleObjects.h"
#include "WinApp.h"

#include <string>

namespace {
using WindowObjects = HandleObjects<Window>;
}

Window::~Window()
{
    // A window object destroyed while its window lives (an early failure
    // path) must not leave a dangling pointer behind.
    if (m_hWnd && IsWindow(m_hWnd)) {
        WindowObjects::Remove(m_hWnd);
        HWND hwnd = m_hWnd;
        m_hWnd = nullptr;
        DestroyWindow(hwnd);
    }
}

Window* Window::FromHandle(HWND hwnd)
{
    if (!hwnd) return nullptr;
    return WindowObjects::Find(hwnd);
}

bool Window::RegisterThunkClass(const char* name, UINT style, LPCSTR systemCursor, HBRUSH background, UINT iconId,
                                WNDPROC proc)
{
    WNDCLASSA wc = {};
    if (GetClassInfoA(WinApp::Instance(), name, &wc)) return true;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = WinApp::Instance();
    wc.hCursor = systemCursor ? LoadCursorA(nullptr, systemCursor) : nullptr;
    wc.hbrBackground = background;
    wc.hIcon = iconId ? LoadIconA(WinApp::Instance(), MAKEINTRESOURCEA(iconId)) : nullptr;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

bool Window::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                      int cx, int cy, HWND parent, HMENU menuOrId)
{
    HWND hwnd = CreateWindowExA(exStyle, className, title, style, x, y, cx, cy, parent, menuOrId, WinApp::Instance(), this);
    return hwnd != nullptr && m_hWnd == hwnd;
}

LRESULT Window::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultProc(msg, wParam, lParam); }

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT Window::Dispatch(Window* self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool mdiChild)
{
    if (msg == WM_NCCREATE && !self) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (mdiChild) {
            auto* mcs = static_cast<MDICREATESTRUCTA*>(cs->lpCreateParams);
            self = mcs ? reinterpret_cast<Window*>(mcs->lParam) : nullptr;
        } else {
            self = static_cast<Window*>(cs->lpCreateParams);
        }
        if (self) {
            self->m_hWnd = hwnd;
            WindowObjects::Add(hwnd, self);
        }
    }
    if (!self) return mdiChild ? DefMDIChildProcA(hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->WindowProc(msg, wParam, lParam);
    } catch (...) {
        result = 0;
    }
    if (msg == WM_NCDESTROY) {
        WindowObjects::Remove(hwnd);
        self->m_hWnd = nullptr;
        try {
            self->OnFinalMessage();
        } catch (...) {
        }
    }
    return result;
}

LRESULT CALLBACK Window::WindowThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(FromHandle(hwnd), hwnd, msg, wParam, lParam, false);
}

LRESULT CALLBACK Window::MDIChildThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(FromHandle(hwnd), hwnd, msg, wParam, lParam, true);
}

std::string LoadResourceString(UINT id)
{
    char buffer[512];
    int n = LoadStringA(WinApp::Instance(), id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, size_t(n)) : std::string();
}

std::string PromptPart(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string TipPart(const std::string& text)
{
    size_t pos = text.find('\n');
    return pos == std::string::npos ? std::string() : text.substr(pos + 1);
}
