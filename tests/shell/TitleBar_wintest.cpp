// The frame repaint before a capture must not wait on a window whose
// thread has stopped reading its messages.
#include "shell/TitleBar_win.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct HungWindow {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND hwnd = nullptr;
    DWORD hangMs = 0;
};

DWORD WINAPI HangingThread(void* param)
{
    auto* hung = static_cast<HungWindow*>(param);
    hung->hwnd = CreateWindowExA(0, "STATIC", "hung", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SetEvent(hung->ready);
    Sleep(hung->hangMs);  // no message is read meanwhile
    DestroyWindow(hung->hwnd);
    return 0;
}

}  // namespace

TEST(RepaintFrameNow, DoesNotWaitForAHungWindow)
{
    HungWindow hung;
    hung.hangMs = 3000;
    HANDLE thread = CreateThread(nullptr, 0, HangingThread, &hung, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(hung.ready, 10000), WAIT_OBJECT_0);
    ASSERT_NE(hung.hwnd, nullptr);

    const DWORD start = GetTickCount();
    RepaintFrameNow(hung.hwnd);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_LT(elapsed, 1500u);

    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(hung.ready);
}
