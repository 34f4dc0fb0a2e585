// kestrel-driver: a small console program that the end-to-end scenarios run
// in the same Wine prefix and desktop as kestrel.exe. It finds windows by
// exact title, sends and posts messages, synthesises input, and writes what
// the user would see (screen or window pixels, clipboard images, status bar
// texts) to files or stdout so that the scenario scripts can check them.
//
// Every subcommand prints its result on stdout and exits 0 on success,
// 1 when what it waited for did not happen, 2 on a usage error.
// A window argument is an exact top-level title (dialog boxes excluded),
// "dialog:TITLE" for a dialog box such as a message box, "class:NAME" for
// the topmost window of a class (an open pop-up menu is "class:#32768"), or
// "hwnd:0x1234" for a handle printed by an earlier call.
//
// The status bar lives in another process: SB_GETPARTS and SB_GETTEXT take
// pointers, which the system does not marshal for common controls, so the
// buffers are allocated inside the owner process and read back from it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const UINT kPollMs = 50;

struct Owned
{
    HANDLE h = nullptr;
    explicit Owned(HANDLE handle) : h(handle) {}
    ~Owned() { if (h) CloseHandle(h); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
};

struct ScreenDc
{
    HDC dc;
    ScreenDc() : dc(GetDC(nullptr)) {}
    ~ScreenDc() { if (dc) ReleaseDC(nullptr, dc); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
};

struct ClipboardOpen
{
    bool open;
    ClipboardOpen() : open(OpenClipboard(nullptr) != FALSE) {}
    ~ClipboardOpen() { if (open) CloseClipboard(); }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
};

unsigned long ParseNumber(const char* text)
{
    return std::strtoul(text, nullptr, 0);
}

// The title as the system stores it. GetWindowText would send WM_GETTEXT to
// windows of other processes and block on any thread that is busy, for
// example one still starting up.
std::string WindowTitle(HWND hwnd)
{
    wchar_t wide[512] = L"";
    const int length = InternalGetWindowText(hwnd, wide, 512);
    char text[1024] = "";
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text - 1, nullptr, nullptr);
    return text;
}

struct TitleSearch
{
    std::string title;
    bool dialog;  // match only dialog boxes (class #32770), otherwise skip them
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<TitleSearch*>(param);
    char className[64] = "";
    GetClassNameA(hwnd, className, sizeof className);
    const bool isDialog = std::strcmp(className, "#32770") == 0;
    if (isDialog != search->dialog || search->title != WindowTitle(hwnd))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindTopLevel(const std::string& target)
{
    if (target.compare(0, 5, "hwnd:") == 0)
        return reinterpret_cast<HWND>(static_cast<uintptr_t>(ParseNumber(target.c_str() + 5)));
    if (target.compare(0, 6, "class:") == 0)
        return FindWindowA(target.c_str() + 6, nullptr);
    TitleSearch search = {target, false, nullptr};
    if (target.compare(0, 7, "dialog:") == 0) {
        search.title = target.substr(7);
        search.dialog = true;
    }
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ClassSearch
{
    const char* name;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<ClassSearch*>(param);
    char name[128] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, search->name) != 0)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindChildOfClass(HWND parent, const char* className)
{
    ClassSearch search = {className, nullptr};
    EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> MdiChildren(HWND frame)
{
    std::vector<HWND> children;
    HWND client = FindChildOfClass(frame, "MDIClient");
    if (!client)
        return children;
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindow(child, GW_OWNER) == nullptr)  // skip icon title windows
            children.push_back(child);
    }
    return children;
}

// Writes a bottom-up 24-bit BMP of the given bitmap (any depth).
bool WriteBitmapAs24(HBITMAP bitmap, const char* path)
{
    BITMAP info;
    if (!GetObjectA(bitmap, sizeof info, &info))
        return false;
    const LONG width = info.bmWidth, height = info.bmHeight;
    const DWORD rowBytes = ((DWORD(width) * 24 + 31) / 32) * 4;
    std::vector<unsigned char> pixels(size_t(rowBytes) * size_t(height));
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    ScreenDc screen;
    if (GetDIBits(screen.dc, bitmap, 0, UINT(height), pixels.data(), &bmi, DIB_RGB_COLORS) != height)
        return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = DWORD(file.bfOffBits + pixels.size());
    bmi.bmiHeader.biSizeImage = DWORD(pixels.size());
    FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1
        && std::fwrite(&bmi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, out) == 1
        && std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    return std::fclose(out) == 0 && ok;
}

// Copies a rectangle of the screen, as the user sees it, into a BMP file.
// The arrow cursor as the system draws it at (0, 0) on a 32 x 32 white picture.
bool DrawArrowPicture(const char* path)
{
    ScreenDc screen;
    HDC memory = CreateCompatibleDC(screen.dc);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.dc, 32, 32);
    bool ok = false;
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        PatBlt(memory, 0, 0, 32, 32, WHITENESS);
        DrawIcon(memory, 0, 0, LoadCursor(nullptr, IDC_ARROW));
        SelectObject(memory, old);
        ok = WriteBitmapAs24(bitmap, path);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    return ok;
}

bool GrabScreenRect(const RECT& rc, const char* path)
{
    ScreenDc screen;
    HDC memory = CreateCompatibleDC(screen.dc);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.dc, rc.right - rc.left, rc.bottom - rc.top);
    bool ok = false;
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, rc.right - rc.left, rc.bottom - rc.top, screen.dc, rc.left, rc.top,
                    SRCCOPY) != FALSE;
        SelectObject(memory, old);
        ok = ok && WriteBitmapAs24(bitmap, path);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    return ok;
}

// Writes a packed DIB from the clipboard as a BMP file unchanged.
bool WritePackedDib(HGLOBAL block, const char* path)
{
    const SIZE_T size = GlobalSize(block);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(block));
    if (!header)
        return false;
    bool ok = false;
    if (size >= sizeof(BITMAPINFOHEADER) && header->biSize >= sizeof(BITMAPINFOHEADER) && header->biSize <= size) {
        DWORD colors = header->biClrUsed;
        if (colors == 0 && header->biBitCount <= 8)
            colors = 1u << header->biBitCount;
        DWORD masks = header->biCompression == BI_BITFIELDS && header->biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
        const unsigned long long offBits = 14ull + header->biSize + masks + 4ull * colors;
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = DWORD(offBits);
        file.bfSize = DWORD(14 + size);
        FILE* out = std::fopen(path, "wb");
        if (out && offBits <= 14ull + size) {
            ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(header, 1, size, out) == size;
        }
        if (out)
            ok = std::fclose(out) == 0 && ok;
    }
    GlobalUnlock(block);
    return ok;
}

int Usage()
{
    std::fputs(
        "usage: kestrel-driver COMMAND ARGS\n"
        "  wait-window TITLE [TIMEOUT_MS]           wait for a top-level window, print its handle\n"
        "  wait-gone TITLE [TIMEOUT_MS]             wait until no such window exists\n"
        "  children FRAME                           list the MDI children: handle<TAB>title\n"
        "  wait-child FRAME TITLE [TIMEOUT_MS]      wait for an MDI child with that title\n"
        "  title WINDOW                             print the window's title\n"
        "  foreground                               print the foreground window: handle<TAB>title\n"
        "  cursor                                   print the pointer position: x y\n"
        "  state WINDOW                             print visible|hidden normal|iconic|zoomed foreground|background\n"
        "  count TITLE                              print how many top-level windows have that title\n"
        "  texts WINDOW                             the child controls: id<TAB>class<TAB>text\n"
        "  rect WINDOW                              print the window rectangle: l t r b\n"
        "  client-rect WINDOW                       print the client area on screen: l t r b\n"
        "  child-rect WINDOW ID|CLASS               rectangle of the first such descendant control\n"
        "  child-text WINDOW ID|CLASS               text of the first such descendant control\n"
        "  click-child WINDOW ID|CLASS [ACTION]     click the middle of the first visible such control\n"
        "  child-state WINDOW ID|CLASS              checked|unchecked|indeterminate enabled|disabled\n"
        "  click-tab WINDOW INDEX                   click that tab of the window's tab control\n"
        "  click-control WINDOW ID|CLASS            post BM_CLICK to the control (as a user's click)\n"
        "  move WINDOW X Y                          move the window's top-left corner there\n"
        "  activate WINDOW                          make it the foreground window (or the active MDI child)\n"
        "  send WINDOW MSG WPARAM LPARAM [TIMEOUT]  SendMessageTimeout, print the result\n"
        "  post WINDOW MSG WPARAM LPARAM            PostMessage\n"
        "  keys KEY...                              SendInput chords like ctrl+1, alt+f4, y, return\n"
        "  mouse X Y [click|rclick|mclick|dclick|down|up|move]  SendInput at screen coordinates\n"
        "  type TEXT                                type the characters as key strokes\n"
        "  time-input FRAME CHILD TIMEOUT keys|mouse ARGS...  input, then ms until a new child\n"
        "  time-inputs FRAME CHILD TIMEOUT COUNT FOCUS keys|mouse ARGS...  COUNT times: FOCUS to\n"
        "                                           the front, then time-input\n"
        "  clipboard FILE.bmp                       clipboard image (CF_BITMAP as 24-bit, else CF_DIB)\n"
        "  set-clipboard FILE.bmp                   the BMP file onto the clipboard as CF_DIB\n"
        "  put-png FILE.png                         the file alone on the clipboard as format \"PNG\"\n"
        "  grab FILE.bmp [WINDOW]                   screen pixels (whole screen or the window's area)\n"
        "  arrow FILE.bmp                           the system's arrow cursor drawn at (0, 0) on 32x32 white\n"
        "  status WINDOW                            status bar pane texts, one per line\n"
        "  screen                                   print the screen size: w h bits\n"
        "  time-capture WINDOW CODE CHILD [TIMEOUT] send WM_USER+1 CODE, time grab and new child (ms)\n",
        stderr);
    return 2;
}

DWORD TimeoutArg(int argc, char** argv, int index, DWORD fallback)
{
    return argc > index ? DWORD(ParseNumber(argv[index])) : fallback;
}

int CmdWaitWindow(const std::string& title, DWORD timeout, bool gone)
{
    const DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = FindTopLevel(title);
        if (hwnd && !IsWindow(hwnd))  // a "hwnd:" argument names a window that has gone
            hwnd = nullptr;
        if (!gone && hwnd) {
            std::printf("0x%lx\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hwnd)));
            return 0;
        }
        if (gone && !hwnd)
            return 0;
        if (GetTickCount() - start >= timeout)
            return 1;
        Sleep(kPollMs);
    }
}

BOOL CALLBACK CountTitle(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<std::pair<const std::string*, int>*>(param);
    if (WindowTitle(hwnd) == *search->first)
        ++search->second;
    return TRUE;
}

BOOL CALLBACK PrintControl(HWND hwnd, LPARAM)
{
    char className[64] = "";
    GetClassNameA(hwnd, className, sizeof className);
    std::printf("%d\t%s\t%s\n", GetDlgCtrlID(hwnd), className, WindowTitle(hwnd).c_str());
    return TRUE;
}

struct ControlSearch
{
    std::string target;  // a control id as a number, or a class name
    HWND found;
    bool visibleOnly = false;  // skip hidden controls (the other pages of a property sheet)
};

BOOL CALLBACK MatchControl(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<ControlSearch*>(param);
    char className[64] = "";
    GetClassNameA(hwnd, className, sizeof className);
    const bool byId = !search->target.empty() && search->target[0] >= '0' && search->target[0] <= '9';
    if (byId ? GetDlgCtrlID(hwnd) != int(ParseNumber(search->target.c_str()))
             : lstrcmpiA(className, search->target.c_str()) != 0)
        return TRUE;
    if (search->visibleOnly && !IsWindowVisible(hwnd))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// Screen rectangle of the first descendant control with that id or class.
int CmdChildRect(HWND hwnd, const char* target)
{
    ControlSearch search = {target, nullptr, false};
    EnumChildWindows(hwnd, MatchControl, reinterpret_cast<LPARAM>(&search));
    RECT rc;
    if (!search.found || !GetWindowRect(search.found, &rc))
        return 1;
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right, rc.bottom);
    return 0;
}

// Text of the first descendant control with that id or class, asked with
// WM_GETTEXT (edit controls keep their text to themselves).
int CmdChildText(HWND hwnd, const char* target)
{
    ControlSearch search = {target, nullptr, false};
    EnumChildWindows(hwnd, MatchControl, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return 1;
    std::vector<char> text(65536, '\0');
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(search.found, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_NORMAL, 10000, &length))
        return 1;
    std::printf("%s\n", text.data());
    return 0;
}

HWND VisibleControl(HWND hwnd, const char* target)
{
    ControlSearch search = {target, nullptr, true};
    EnumChildWindows(hwnd, MatchControl, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        std::fprintf(stderr, "no visible control %s\n", target);
    return search.found;
}

int CmdMouse(int x, int y, const std::string& action);

// Clicks the middle of the first visible descendant control with that id
// or class, with real mouse input.
int CmdClickChild(HWND hwnd, const char* target, const std::string& action)
{
    HWND control = VisibleControl(hwnd, target);
    RECT rc;
    if (!control || !GetWindowRect(control, &rc))
        return 1;
    return CmdMouse((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2, action);
}

// Check and enabled state of the first visible such control.
int CmdChildState(HWND hwnd, const char* target)
{
    HWND control = VisibleControl(hwnd, target);
    if (!control)
        return 1;
    DWORD_PTR check = 0;
    if (!SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, 10000, &check))
        return 1;
    std::printf("%s %s\n", check == BST_CHECKED ? "checked" : check == BST_INDETERMINATE ? "indeterminate" : "unchecked",
                IsWindowEnabled(control) ? "enabled" : "disabled");
    return 0;
}

// Posted, so that a button that opens a modal dialog does not hold the driver.
int CmdClickControl(HWND hwnd, const char* target)
{
    HWND control = VisibleControl(hwnd, target);
    return control && PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
}

int CmdTexts(HWND hwnd)
{
    EnumChildWindows(hwnd, PrintControl, 0);
    return 0;
}

int CmdChildren(HWND frame)
{
    for (HWND child : MdiChildren(frame))
        std::printf("0x%lx\t%s\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(child)),
                    WindowTitle(child).c_str());
    return 0;
}

int CmdWaitChild(const std::string& frameTarget, const std::string& title, DWORD timeout)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND frame = FindTopLevel(frameTarget)) {
            for (HWND child : MdiChildren(frame)) {
                if (WindowTitle(child) == title) {
                    std::printf("0x%lx\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(child)));
                    return 0;
                }
            }
        }
        if (GetTickCount() - start >= timeout)
            return 1;
        Sleep(kPollMs);
    }
}

// Virtual-key code of one key name: letters, digits, F1-F24 and a few names.
WORD KeyCode(const std::string& name)
{
    static const struct { const char* name; WORD vk; } named[] = {
        {"ctrl", VK_CONTROL}, {"shift", VK_SHIFT}, {"alt", VK_MENU}, {"esc", VK_ESCAPE},
        {"return", VK_RETURN}, {"enter", VK_RETURN}, {"tab", VK_TAB}, {"space", VK_SPACE},
        {"delete", VK_DELETE}, {"backspace", VK_BACK}, {"left", VK_LEFT}, {"right", VK_RIGHT},
        {"up", VK_UP}, {"down", VK_DOWN}, {"home", VK_HOME}, {"end", VK_END}, {"print", VK_SNAPSHOT}};
    for (const auto& n : named) {
        if (lstrcmpiA(name.c_str(), n.name) == 0)
            return n.vk;
    }
    if (name.size() == 1) {
        const char c = name[0];
        if (c >= 'a' && c <= 'z')
            return WORD(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return WORD(c);
    }
    if (name.size() >= 2 && (name[0] == 'f' || name[0] == 'F')) {
        const int n = std::atoi(name.c_str() + 1);
        if (n >= 1 && n <= 24)
            return WORD(VK_F1 + n - 1);
    }
    return 0;
}

// Presses the keys of a chord "ctrl+shift+x" in order and releases them in
// reverse, like a person would, pausing after each. A timed input (lastSent
// given) notes when its last chord went out and does not pause after it.
int CmdKeys(int count, char** chords, LARGE_INTEGER* lastSent = nullptr)
{
    for (int i = 0; i < count; ++i) {
        std::vector<WORD> keys;
        std::string chord = chords[i];
        size_t begin = 0;
        while (begin <= chord.size()) {
            size_t end = chord.find('+', begin);
            if (end == std::string::npos)
                end = chord.size();
            const WORD vk = KeyCode(chord.substr(begin, end - begin));
            if (!vk) {
                std::fprintf(stderr, "unknown key in %s\n", chords[i]);
                return 2;
            }
            keys.push_back(vk);
            begin = end + 1;
        }
        std::vector<INPUT> inputs;
        for (WORD vk : keys) {
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            inputs.push_back(in);
        }
        for (size_t k = keys.size(); k-- > 0;) {
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = keys[k];
            in.ki.dwFlags = KEYEVENTF_KEYUP;
            inputs.push_back(in);
        }
        if (SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
            return 1;
        if (lastSent && i == count - 1) {
            QueryPerformanceCounter(lastSent);
            break;
        }
        Sleep(kPollMs);
    }
    return 0;
}

int CmdMouse(int x, int y, const std::string& action)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    // Rounded up: the system maps back by truncation, so the pointer lands
    // on exactly (x, y).
    move.mi.dx = LONG((x * 65536LL + width - 1) / width);
    move.mi.dy = LONG((y * 65536LL + height - 1) / height);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    std::vector<INPUT> inputs(1, move);
    // Every button event carries the position too. Under Wine a press
    // without one lands where the system last saw the pointer, and in a
    // fresh X session a pointer event from before the move (the pointer
    // starts in the middle of the screen) can still arrive between the move
    // and the press: the click then hits whatever sits in the middle, such
    // as a dialog's Cancel button.
    auto button = [&inputs, &move](DWORD flags) {
        INPUT in = move;
        in.mi.dwFlags |= flags;
        inputs.push_back(in);
    };
    if (action == "click" || action == "dclick" || action == "down")
        button(MOUSEEVENTF_LEFTDOWN);
    if (action == "click" || action == "dclick" || action == "up")
        button(MOUSEEVENTF_LEFTUP);
    if (action == "dclick") {
        button(MOUSEEVENTF_LEFTDOWN);
        button(MOUSEEVENTF_LEFTUP);
    }
    if (action == "rclick") {
        button(MOUSEEVENTF_RIGHTDOWN);
        button(MOUSEEVENTF_RIGHTUP);
    }
    if (action == "mclick") {
        button(MOUSEEVENTF_MIDDLEDOWN);
        button(MOUSEEVENTF_MIDDLEUP);
    }
    return SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size() ? 0 : 1;
}

// Types text as key strokes of the current layout (VkKeyScan), with Shift
// where the character needs it; characters the layout lacks are an error.
int CmdType(const char* text)
{
    for (const char* p = text; *p; ++p) {
        const SHORT scan = VkKeyScanA(*p);
        if (scan == -1 || (HIBYTE(scan) & ~1)) {
            std::fprintf(stderr, "cannot type '%c'\n", *p);
            return 2;
        }
        std::vector<INPUT> inputs;
        auto key = [&inputs](WORD vk, DWORD flags) {
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            in.ki.dwFlags = flags;
            inputs.push_back(in);
        };
        const bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift) key(VK_SHIFT, 0);
        key(LOBYTE(scan), 0);
        key(LOBYTE(scan), KEYEVENTF_KEYUP);
        if (shift) key(VK_SHIFT, KEYEVENTF_KEYUP);
        if (SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
            return 1;
        Sleep(10);
    }
    return 0;
}

// The timing commands poll lightly: this program and the one it measures
// share the wineserver, and every window query is a request to it, so a
// heavy poll slows down what it measures.

// The MDI client of a frame with the children it has before a capture;
// the capture's window is the one that comes on top of them.
struct ChildWatch
{
    HWND client;
    std::vector<HWND> before;
};

ChildWatch WatchChildren(HWND frame)
{
    ChildWatch watch = {FindChildOfClass(frame, "MDIClient"), {}};
    for (HWND child = GetWindow(watch.client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        watch.before.push_back(child);
    return watch;
}

// Polls (1 ms) the top MDI child until it is a new window, visible, with
// the given title; that child, or null after timeout milliseconds. A new
// child is made on top and activated, so the top one is all there is to
// look at.
HWND WaitForNewChild(const ChildWatch& watch, const std::string& childTitle, DWORD timeout)
{
    const DWORD waitStart = GetTickCount();
    HWND checked = nullptr;  // a new top child whose title did not match
    for (;;) {
        HWND top = GetWindow(watch.client, GW_CHILD);
        if (top && top != checked && IsWindowVisible(top) &&
            std::find(watch.before.begin(), watch.before.end(), top) == watch.before.end()) {
            if (WindowTitle(top) == childTitle)
                return top;
            checked = top;
        }
        if (GetTickCount() - waitStart >= timeout)
            return nullptr;
        Sleep(1);
    }
}

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM windows)
{
    if (IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
    return TRUE;
}

// The visible windows inside child, child first.
std::vector<HWND> VisibleWindowsIn(HWND child)
{
    std::vector<HWND> windows;
    CollectVisible(child, reinterpret_cast<LPARAM>(&windows));
    EnumChildWindows(child, CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool AnyUnpainted(const std::vector<HWND>& windows)
{
    for (HWND hwnd : windows)
        if (GetUpdateRect(hwnd, nullptr, FALSE))
            return true;
    return false;
}

// Polls (1 ms) until no visible window inside child waits for a paint,
// then lets the frame's thread answer a message: the paints that began
// (BeginPaint empties the update region) have ended by then. A child seen
// while the frame's thread is still showing it may have no update region
// yet, so the check is repeated, on a fresh list of windows, after the
// frame has answered.
void WaitUntilPainted(HWND frame, HWND child, DWORD timeout)
{
    const DWORD waitStart = GetTickCount();
    for (;;) {
        const std::vector<HWND> windows = VisibleWindowsIn(child);
        while (AnyUnpainted(windows) && GetTickCount() - waitStart < timeout)
            Sleep(1);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, timeout, &result);
        if (!AnyUnpainted(VisibleWindowsIn(child)) || GetTickCount() - waitStart >= timeout)
            return;
    }
}

// Runs one input command (keys or mouse) and measures how long after the
// input went out a new visible MDI child with the given title appeared and
// had its first paint handled (ms); 0, or the failing command's exit code.
int TimeInput(HWND frame, const std::string& childTitle, DWORD timeout, int argc, char** argv, double* ms)
{
    LARGE_INTEGER frequency, start, shown;
    QueryPerformanceFrequency(&frequency);
    const ChildWatch watch = WatchChildren(frame);
    const std::string what = argv[0];
    int sent = 2;
    // The clock starts when the last input event has gone out.
    if (what == "keys" && argc >= 2) {
        sent = CmdKeys(argc - 1, argv + 1, &start);
    } else if (what == "mouse" && argc >= 3) {
        sent = CmdMouse(std::atoi(argv[1]), std::atoi(argv[2]), argc >= 4 ? argv[3] : "move");
        QueryPerformanceCounter(&start);
    }
    if (sent != 0)
        return sent;
    const HWND child = WaitForNewChild(watch, childTitle, timeout);
    if (!child)
        return 1;
    WaitUntilPainted(frame, child, timeout);
    QueryPerformanceCounter(&shown);
    *ms = double(shown.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
    return 0;
}

// One timed input; the system's double-click time is printed too, for
// HotButton triggers that wait for it.
int CmdTimeInput(HWND frame, const std::string& childTitle, DWORD timeout, int argc, char** argv)
{
    double ms = 0;
    const int code = TimeInput(frame, childTitle, timeout, argc, argv, &ms);
    if (code == 0)
        std::printf("window_ms %.1f\ndouble_click_ms %u\n", ms, GetDoubleClickTime());
    return code;
}

// A series of timed inputs, each after focus has been made the foreground
// window again (as a user goes back to the program they capture from) and
// the screen has settled. The series runs in this one process: a Wine
// process that starts makes the others reload their display settings at
// their next drawing, which would land inside the capture it times.
int CmdTimeInputs(HWND frame, const std::string& childTitle, DWORD timeout, int count, HWND focus, int argc,
                  char** argv)
{
    const DWORD kSettleMs = 300;
    for (int i = 0; i < count; ++i) {
        SetForegroundWindow(focus);
        const DWORD waitStart = GetTickCount();
        while (GetForegroundWindow() != focus) {
            if (GetTickCount() - waitStart >= timeout)
                return 1;
            Sleep(1);
        }
        Sleep(kSettleMs);
        double ms = 0;
        const int code = TimeInput(frame, childTitle, timeout, argc, argv, &ms);
        if (code != 0)
            return code;
        std::printf("window_ms %.1f\n", ms);
    }
    return 0;
}

int CmdClipboard(const char* path)
{
    ClipboardOpen clipboard;
    if (!clipboard.open) {
        std::fputs("cannot open the clipboard\n", stderr);
        return 1;
    }
    if (IsClipboardFormatAvailable(CF_BITMAP)) {
        HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
        if (bitmap && WriteBitmapAs24(bitmap, path))
            return 0;
    }
    if (IsClipboardFormatAvailable(CF_DIB)) {
        HGLOBAL block = GetClipboardData(CF_DIB);
        if (block && WritePackedDib(block, path))
            return 0;
    }
    std::fputs("no image on the clipboard\n", stderr);
    return 1;
}

// The file's bytes from offset on, alone on the clipboard in format.
int PutFileOnClipboard(const char* path, size_t offset, UINT format)
{
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 1;
    }
    std::vector<char> bytes;
    char chunk[65536];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(file);
    if (bytes.size() <= offset) {
        std::fprintf(stderr, "%s is too short\n", path);
        return 1;
    }
    const size_t size = bytes.size() - offset;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return 1;
    std::memcpy(GlobalLock(block), bytes.data() + offset, size);
    GlobalUnlock(block);
    ClipboardOpen clipboard;
    if (!clipboard.open || !EmptyClipboard() || !SetClipboardData(format, block)) {
        GlobalFree(block);
        std::fputs("cannot fill the clipboard\n", stderr);
        return 1;
    }
    return 0;
}

int CmdStatus(HWND frame)
{
    HWND bar = FindChildOfClass(frame, STATUSCLASSNAMEA);
    if (!bar) {
        std::fputs("no status bar\n", stderr);
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    Owned process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process.h)
        return 1;
    const SIZE_T remoteSize = 4096;
    void* remote = VirtualAllocEx(process.h, nullptr, remoteSize, MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return 1;
    int result = 0;
    const int parts = int(SendMessageA(bar, SB_GETPARTS, 0, 0));
    for (int i = 0; i < parts && i < 256; ++i) {
        const LRESULT length = SendMessageA(bar, SB_GETTEXTLENGTHA, WPARAM(i), 0);
        if (LOWORD(length) >= remoteSize) {
            result = 1;
            break;
        }
        SendMessageA(bar, SB_GETTEXTA, WPARAM(i), reinterpret_cast<LPARAM>(remote));
        char text[remoteSize] = "";
        SIZE_T read = 0;
        if (!ReadProcessMemory(process.h, remote, text, LOWORD(length) + 1, &read)) {
            result = 1;
            break;
        }
        text[LOWORD(length)] = '\0';
        std::printf("%s\n", text);
    }
    VirtualFreeEx(process.h, remote, 0, MEM_RELEASE);
    return result;
}

// Clicks tab number index (from 0) of the first tab control in the window,
// as a property sheet's pages are chosen. TCM_GETITEMRECT takes a pointer,
// so the rectangle is read back from the owner process.
int CmdClickTab(HWND hwnd, int index, const std::string& action)
{
    HWND tabs = FindChildOfClass(hwnd, WC_TABCONTROLA);
    if (!tabs) {
        std::fputs("no tab control\n", stderr);
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(tabs, &pid);
    Owned process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process.h)
        return 1;
    void* remote = VirtualAllocEx(process.h, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return 1;
    RECT rc = {};
    SIZE_T read = 0;
    const bool found = SendMessageA(tabs, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(remote)) &&
                       ReadProcessMemory(process.h, remote, &rc, sizeof rc, &read) && read == sizeof rc;
    VirtualFreeEx(process.h, remote, 0, MEM_RELEASE);
    if (!found)
        return 1;
    POINT middle = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(tabs, &middle);
    return CmdMouse(middle.x, middle.y, action);
}

// Sends a capture trigger and reports how long the grab (the sent message
// returns after the capture routine) and the new image window took.
int CmdTimeCapture(HWND frame, WPARAM code, const std::string& childTitle, DWORD timeout)
{
    LARGE_INTEGER frequency, start, sent, shown;
    QueryPerformanceFrequency(&frequency);
    const ChildWatch watch = WatchChildren(frame);
    QueryPerformanceCounter(&start);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(frame, WM_USER + 1, code, 0, SMTO_NORMAL, timeout, &result))
        return 1;
    QueryPerformanceCounter(&sent);
    const HWND child = WaitForNewChild(watch, childTitle, timeout);
    if (!child)
        return 1;
    WaitUntilPainted(frame, child, timeout);
    QueryPerformanceCounter(&shown);
    const double ms = 1000.0 / double(frequency.QuadPart);
    std::printf("grab_ms %.1f\nwindow_ms %.1f\n", double(sent.QuadPart - start.QuadPart) * ms,
                double(shown.QuadPart - start.QuadPart) * ms);
    return 0;
}

HWND RequireWindow(const char* target)
{
    HWND hwnd = FindTopLevel(target);
    if (!hwnd || !IsWindow(hwnd))
        std::fprintf(stderr, "no window \"%s\"\n", target);
    return hwnd && IsWindow(hwnd) ? hwnd : nullptr;
}

int Run(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const std::string cmd = argv[1];
    if (cmd == "wait-window" && argc >= 3)
        return CmdWaitWindow(argv[2], TimeoutArg(argc, argv, 3, 10000), false);
    if (cmd == "wait-gone" && argc >= 3)
        return CmdWaitWindow(argv[2], TimeoutArg(argc, argv, 3, 10000), true);
    if (cmd == "wait-child" && argc >= 4)
        return CmdWaitChild(argv[2], argv[3], TimeoutArg(argc, argv, 4, 10000));
    if (cmd == "keys" && argc >= 3)
        return CmdKeys(argc - 2, argv + 2);
    if (cmd == "mouse" && argc >= 4)
        return CmdMouse(std::atoi(argv[2]), std::atoi(argv[3]), argc >= 5 ? argv[4] : "move");
    if (cmd == "type" && argc >= 3)
        return CmdType(argv[2]);
    if (cmd == "clipboard" && argc >= 3)
        return CmdClipboard(argv[2]);
    if (cmd == "set-clipboard" && argc >= 3)  // the BMP file's header and pixels, as CF_DIB
        return PutFileOnClipboard(argv[2], sizeof(BITMAPFILEHEADER), CF_DIB);
    if (cmd == "put-png" && argc >= 3)  // as programs that copy only PNG do
        return PutFileOnClipboard(argv[2], 0, RegisterClipboardFormatA("PNG"));
    if (cmd == "count" && argc >= 3) {
        const std::string title = argv[2];
        std::pair<const std::string*, int> search(&title, 0);
        EnumWindows(CountTitle, reinterpret_cast<LPARAM>(&search));
        std::printf("%d\n", search.second);
        return 0;
    }
    if (cmd == "screen") {
        ScreenDc screen;
        std::printf("%d %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                    GetDeviceCaps(screen.dc, BITSPIXEL) * GetDeviceCaps(screen.dc, PLANES));
        return 0;
    }
    if (cmd == "cursor") {
        POINT pt = {};
        GetCursorPos(&pt);
        std::printf("%ld %ld\n", pt.x, pt.y);
        return 0;
    }
    if (cmd == "foreground") {
        HWND hwnd = GetForegroundWindow();
        std::printf("0x%lx\t%s\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hwnd)),
                    WindowTitle(hwnd).c_str());
        return 0;
    }
    if (cmd == "grab" && argc >= 3) {
        RECT rc = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (argc >= 4) {
            HWND hwnd = RequireWindow(argv[3]);
            if (!hwnd || !GetWindowRect(hwnd, &rc))
                return 1;
        }
        return GrabScreenRect(rc, argv[2]) ? 0 : 1;
    }
    if (cmd == "arrow" && argc >= 3)
        return DrawArrowPicture(argv[2]) ? 0 : 1;
    if (argc < 3)
        return Usage();
    HWND hwnd = RequireWindow(argv[2]);
    if (!hwnd)
        return 1;
    if (cmd == "children")
        return CmdChildren(hwnd);
    if (cmd == "title") {
        std::printf("%s\n", WindowTitle(hwnd).c_str());
        return 0;
    }
    if (cmd == "state") {
        std::printf("%s %s %s\n", IsWindowVisible(hwnd) ? "visible" : "hidden",
                    IsIconic(hwnd) ? "iconic" : IsZoomed(hwnd) ? "zoomed" : "normal",
                    GetForegroundWindow() == hwnd ? "foreground" : "background");
        return 0;
    }
    if (cmd == "texts")
        return CmdTexts(hwnd);
    if (cmd == "child-rect" && argc >= 4)
        return CmdChildRect(hwnd, argv[3]);
    if (cmd == "child-text" && argc >= 4)
        return CmdChildText(hwnd, argv[3]);
    if (cmd == "click-child" && argc >= 4)
        return CmdClickChild(hwnd, argv[3], argc >= 5 ? argv[4] : "click");
    if (cmd == "child-state" && argc >= 4)
        return CmdChildState(hwnd, argv[3]);
    if (cmd == "click-tab" && argc >= 4)
        return CmdClickTab(hwnd, std::atoi(argv[3]), "click");
    if (cmd == "click-control" && argc >= 4)
        return CmdClickControl(hwnd, argv[3]);
    if (cmd == "rect" || cmd == "client-rect") {
        RECT rc;
        if (cmd == "rect") {
            GetWindowRect(hwnd, &rc);
        } else {
            GetClientRect(hwnd, &rc);
            MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        }
        std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right, rc.bottom);
        return 0;
    }
    if (cmd == "status")
        return CmdStatus(hwnd);
    if (cmd == "activate") {
        // An MDI child is activated by its client window.
        if (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) {
            SendMessageA(GetParent(hwnd), WM_MDIACTIVATE, WPARAM(hwnd), 0);
            return 0;
        }
        return SetForegroundWindow(hwnd) ? 0 : 1;
    }
    if (cmd == "move" && argc >= 5)
        return SetWindowPos(hwnd, nullptr, std::atoi(argv[3]), std::atoi(argv[4]), 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
    if ((cmd == "send" || cmd == "post") && argc >= 6) {
        const UINT msg = UINT(ParseNumber(argv[3]));
        const WPARAM wParam = WPARAM(ParseNumber(argv[4]));
        const LPARAM lParam = LPARAM(ParseNumber(argv[5]));
        if (cmd == "post")
            return PostMessageA(hwnd, msg, wParam, lParam) ? 0 : 1;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_NORMAL, TimeoutArg(argc, argv, 6, 30000), &result))
            return 1;
        std::printf("%lu\n", static_cast<unsigned long>(result));
        return 0;
    }
    if (cmd == "time-input" && argc >= 7)
        return CmdTimeInput(hwnd, argv[3], DWORD(ParseNumber(argv[4])), argc - 5, argv + 5);
    if (cmd == "time-inputs" && argc >= 9) {
        HWND focus = RequireWindow(argv[6]);
        if (!focus)
            return 1;
        return CmdTimeInputs(hwnd, argv[3], DWORD(ParseNumber(argv[4])), std::atoi(argv[5]), focus, argc - 7,
                             argv + 7);
    }
    if (cmd == "time-capture" && argc >= 5)
        return CmdTimeCapture(hwnd, WPARAM(ParseNumber(argv[3])), argv[4], TimeoutArg(argc, argv, 5, 30000));
    return Usage();
}

}  // namespace

int main(int argc, char** argv)
{
    const int code = Run(argc, argv);
    std::fflush(stdout);
    return code;
}
