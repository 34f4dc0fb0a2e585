// kesthook.dll: the system-wide keyboard and mouse hooks. The system maps
// this library into every process that receives input while the hooks are
// installed; all of those copies share the one HookData section below, so
// the program's settings reach the hooks and the click state survives from
// one process to the next. The hooks report to the program's main frame
// by window messages (hook/HookWire.h) and never swallow an event; they
// allocate nothing and read no files, as they run for every input event.
//
// Sent messages (key releases and the snapshot press) use
// SendMessageTimeout with SMTO_ABORTIFHUNG, so a hung or busy program can
// stall another application only for a bounded time.
#define KESTHOOK_BUILD
#include "kesthook.h"

#include "ClickState.h"
#include "HookWire.h"

#include <cstdint>

namespace {

// One copy for every process: a section marked shared in the image.
HookData g_data __attribute__((section(".shr"), shared)) = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, kInitialDoubleClickTime,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// This process's own module handle. The shared copy is overwritten by
// every process that attaches, and the library may sit at another address
// there, so the hooks are always installed with this one.
HINSTANCE g_hModule = nullptr;

// How long a hooked thread waits for the main frame to handle a sent
// report (which may include a whole capture) before it goes on.
const UINT kSendTimeoutMs = 10000;

HWND Target()
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(g_data.targetWindow));
}

uint32_t Word(const void* handle)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

HHOOK Hook(uint32_t word)
{
    return reinterpret_cast<HHOOK>(static_cast<uintptr_t>(word));
}

// Learns the hooked thread's cursor: setting none returns the current one,
// which is put back at once.
HCURSOR TakeCursor()
{
    HCURSOR cursor = SetCursor(nullptr);
    SetCursor(cursor);
    g_data.lastCursor = Word(cursor);
    return cursor;
}

void SendReport(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND target = Target();
    if (!target) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(target, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
}

void PostReport(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND target = Target();
    if (target) PostMessageA(target, message, wParam, lParam);
}

bool IsDown(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && (static_cast<DWORD>(lParam) & 0x80000000u)) {
        const uint32_t report = MakeKeyReleaseReport(static_cast<unsigned>(wParam), IsDown(VK_ESCAPE),
                                                     IsDown(VK_SHIFT), IsDown(VK_CONTROL), IsDown(VK_MENU));
        HCURSOR cursor = TakeCursor();
        SendReport(kMsgKeyRelease, report, reinterpret_cast<LPARAM>(cursor));
    }
    return CallNextHookEx(Hook(g_data.keyboardHook), code, wParam, lParam);
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam) {
        const MOUSEHOOKSTRUCT* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        const MouseActions actions = OnMouseMessage(g_data, static_cast<unsigned>(wParam), mouse->pt.x,
                                                    mouse->pt.y, GetTickCount());
        if (actions.sendSnapshotPress) SendReport(kMsgTrigger, kCodeSnapshotPress, 0);
        if (actions.postButtonReport) PostReport(kMsgTrigger, kCodeButtonReport, actions.buttonReportParam);
        if (actions.postSnapshotRelease) PostReport(kMsgTrigger, kCodeSnapshotRelease, 0);
        if (actions.takeCursor) TakeCursor();
    }
    return CallNextHookEx(Hook(g_data.mouseHook), code, wParam, lParam);
}

void RemoveHooks()
{
    if (g_data.keyboardHook) UnhookWindowsHookEx(Hook(g_data.keyboardHook));
    if (g_data.mouseHook) UnhookWindowsHookEx(Hook(g_data.mouseHook));
    g_data.keyboardHook = 0;
    g_data.mouseHook = 0;
}

}  // namespace

KESTHOOK_API void __cdecl InstallHooks(int install)
{
    if (!install) {
        RemoveHooks();
        return;
    }
    RemoveHooks();  // a second install must not leak the first pair
    g_data.keyboardHook = Word(SetWindowsHookExA(WH_KEYBOARD, KeyboardProc, g_hModule, 0));
    g_data.mouseHook = Word(SetWindowsHookExA(WH_MOUSE, MouseProc, g_hModule, 0));
}

KESTHOOK_API void __cdecl PassKestrelWnd(HWND hwnd)
{
    g_data.targetWindow = Word(hwnd);
}

KESTHOOK_API void __cdecl PassButtonShotDef(int leftDouble, int middleSingle, int middleDouble, int rightSingle,
                                            int rightDouble)
{
    StoreButtonShotDef(g_data, leftDouble, middleSingle, middleDouble, rightSingle, rightDouble);
}

KESTHOOK_API void __cdecl PassLeftButtonStatus(int taken)
{
    g_data.leftButtonTaken = static_cast<uint32_t>(taken);
}

KESTHOOK_API void __cdecl PassSnapRect(const RECT* rect)
{
    if (!rect) return;
    g_data.snapLeft = rect->left;
    g_data.snapTop = rect->top;
    g_data.snapRight = rect->right;
    g_data.snapBottom = rect->bottom;
}

KESTHOOK_API void __cdecl ClickCounter(void)
{
    const int code = PollClicks(g_data, GetTickCount());
    if (code >= 0) PostReport(kMsgTrigger, static_cast<WPARAM>(code), static_cast<LPARAM>(g_data.lastCursor));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_hModule = instance;
        g_data.module = Word(instance);
        g_data.doubleClickTime = GetDoubleClickTime();
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
