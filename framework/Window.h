// Base of every window the program implements. One static thunk per window
// class stores `this` at WM_NCCREATE (from lpCreateParams, or from the
// MDICREATESTRUCT of an MDI child) and forwards to the virtual WindowProc;
// until then, and after WM_NCDESTROY, messages go to the default procedure.
// No exception leaves the thunk. Objects that own their lifetime
// (frames, views) delete themselves in OnFinalMessage.
#pragma once

#include "CmdUI.h"

#include <windows.h>

#include <string>

class Window : public CommandTarget {
public:
    Window() = default;
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The Window object behind hwnd when it was created through a thunk.
    static Window* FromHandle(HWND hwnd);

    HWND m_hWnd = nullptr;

protected:
    // Registers a class whose procedure is the thunk; true when the class
    // exists afterwards. Styles and background as the caller wants; the
    // cursor is a system cursor id and the icon one of the program's
    // resource ids (0 for none), loaded only when the class is registered,
    // not on every window created with it.
    static bool RegisterThunkClass(const char* name, UINT style, LPCSTR systemCursor, HBRUSH background,
                                   UINT iconId = 0, WNDPROC proc = WindowThunk);
    // Creates the window with `this` as creation parameter.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                  int cx, int cy, HWND parent, HMENU menuOrId);

    // Typed handlers are called from here; unhandled messages go to
    // DefaultProc.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, once the handle is gone.
    virtual void OnFinalMessage() {}

    static LRESULT CALLBACK WindowThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MDIChildThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT Dispatch(Window* self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool mdiChild);
};

// Loads string id of the program's resources; empty when missing.
std::string LoadResourceString(UINT id);
// The part of a command's string before "\n" (the status-bar prompt) or
// after it (the tool tip).
std::string PromptPart(const std::string& text);
std::string TipPart(const std::string& text);
