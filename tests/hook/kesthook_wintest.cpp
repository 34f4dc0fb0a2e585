// kesthook.dll under Wine: the exports by name, the shared section's flag
// in the image, and the hooks reporting real input (synthesised with
// SendInput) to a window of this test as the program's main frame would
// receive it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

typedef void(__cdecl* InstallHooksFn)(int);
typedef void(__cdecl* PassKestrelWndFn)(HWND);
typedef void(__cdecl* PassButtonShotDefFn)(int, int, int, int, int);
typedef void(__cdecl* PassLeftButtonStatusFn)(int);
typedef void(__cdecl* PassSnapRectFn)(const RECT*);
typedef void(__cdecl* ClickCounterFn)(void);

struct Report {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Report> g_reports;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 1 || msg == WM_USER + 3) {
        g_reports.push_back({msg, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Pump(DWORD milliseconds, ClickCounterFn clickCounter = nullptr)
{
    const DWORD start = GetTickCount();
    DWORD lastPoll = start;
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (clickCounter && GetTickCount() - lastPoll >= 100) {
            lastPoll = GetTickCount();
            clickCounter();
        }
        Sleep(10);
    }
}

void Key(WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void Mouse(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// The export name as a typed function pointer (through void*, since the
// exports are cdecl and FARPROC is not).
template <typename F>
F Export(HMODULE module, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class HookLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryA("kesthook.dll");
        ASSERT_NE(module, nullptr);
        installHooks = Export<InstallHooksFn>(module, "InstallHooks");
        passWnd = Export<PassKestrelWndFn>(module, "PassKestrelWnd");
        passShotDef = Export<PassButtonShotDefFn>(module, "PassButtonShotDef");
        passLeft = Export<PassLeftButtonStatusFn>(module, "PassLeftButtonStatus");
        passSnapRect = Export<PassSnapRectFn>(module, "PassSnapRect");
        clickCounter = Export<ClickCounterFn>(module, "ClickCounter");
        ASSERT_TRUE(installHooks && passWnd && passShotDef && passLeft && passSnapRect && clickCounter);

        WNDCLASSA wc = {};
        wc.lpfnWndProc = TargetProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KesthookTestTarget";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&wc);
        target = CreateWindowExA(WS_EX_TOPMOST, "KesthookTestTarget", "target", WS_POPUP | WS_VISIBLE, 100, 100,
                                 300, 300, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(target, nullptr);
        SetForegroundWindow(target);
        SetFocus(target);
        SetCursorPos(250, 250);
        Pump(300);
        const RECT empty = {0, 0, 0, 0};
        passSnapRect(&empty);
        passLeft(0);
        passWnd(target);
        installHooks(1);
        g_reports.clear();
    }
    void TearDown() override
    {
        if (installHooks) installHooks(0);
        if (passWnd) passWnd(nullptr);
        if (target) DestroyWindow(target);
        if (module) FreeLibrary(module);
    }

    HMODULE module = nullptr;
    HWND target = nullptr;
    InstallHooksFn installHooks = nullptr;
    PassKestrelWndFn passWnd = nullptr;
    PassButtonShotDefFn passShotDef = nullptr;
    PassLeftButtonStatusFn passLeft = nullptr;
    PassSnapRectFn passSnapRect = nullptr;
    ClickCounterFn clickCounter = nullptr;
};

}  // namespace

TEST_F(HookLibrary, SharedSectionIsMarkedShared)
{
    const BYTE* base = reinterpret_cast<const BYTE*>(module);
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    bool found = false;
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if (std::string(reinterpret_cast<const char*>(section->Name), 4) != ".shr") continue;
        found = true;
        EXPECT_TRUE(section->Characteristics & IMAGE_SCN_MEM_SHARED);
        EXPECT_TRUE(section->Characteristics & IMAGE_SCN_MEM_WRITE);
        EXPECT_GE(section->Misc.VirtualSize, 30u * 4u);
    }
    EXPECT_TRUE(found);
}

TEST_F(HookLibrary, KeyReleaseReportsKeyAndModifiers)
{
    Key(VK_CONTROL, false);
    Key('1', false);
    Key('1', true);
    Key(VK_CONTROL, true);
    Pump(500);
    std::vector<Report> keys;
    for (const Report& r : g_reports)
        if (r.message == WM_USER + 3) keys.push_back(r);
    ASSERT_EQ(keys.size(), 2u);  // the two releases; presses are not reported
    // Release of 1 with Ctrl held: key 49, Alt, Shift and Esc up, Ctrl down.
    EXPECT_EQ(keys[0].wParam, 0x11010031u);
    // Release of Ctrl itself: the key states are those before the release,
    // so only Ctrl still counts as held.
    EXPECT_EQ(keys[1].wParam, 0x11010000u | VK_CONTROL);
}

TEST_F(HookLibrary, MiddleClickPostsReportAndHotButtonCode)
{
    passShotDef(0, 3, 0, 0, 0);  // middle single click: Region
    Mouse(MOUSEEVENTF_MIDDLEDOWN);
    Mouse(MOUSEEVENTF_MIDDLEUP);
    Pump(1500, clickCounter);
    ASSERT_GE(g_reports.size(), 2u);
    EXPECT_EQ(g_reports[0].message, UINT(WM_USER + 1));
    EXPECT_EQ(g_reports[0].wParam, WPARAM(14));
    EXPECT_EQ(g_reports[0].lParam, 0);
    EXPECT_EQ(g_reports.back().wParam, WPARAM(3));
    int triggers = 0;
    for (const Report& r : g_reports) triggers += r.wParam == 3;
    EXPECT_EQ(triggers, 1);
}

TEST_F(HookLibrary, TakenLeftButtonIsIgnoredAndSnapshotPressIsSent)
{
    passLeft(1);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
    Pump(300);
    EXPECT_TRUE(g_reports.empty());

    passLeft(0);
    const RECT strip = {240, 240, 260, 260};  // around the pointer
    passSnapRect(&strip);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
    Pump(300);
    ASSERT_EQ(g_reports.size(), 3u);
    EXPECT_EQ(g_reports[0].wParam, WPARAM(13));
    EXPECT_EQ(g_reports[1].wParam, WPARAM(14));
    EXPECT_EQ(g_reports[2].wParam, WPARAM(12));
}
