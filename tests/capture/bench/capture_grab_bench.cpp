// Timing of the Screen capture's hot path at the current screen size:
// the grab alone (one CreateCompatibleBitmap and one BitBlt from the
// "DISPLAY" context), the conversion into the pixel block (one GetDIBits),
// and the whole of CaptureScreen up to the posted New command, with no
// flash. Run it under Wine in an X server of the size to measure, e.g.
//   Xvfb :93 -screen 0 1920x1080x24 &
//   DISPLAY=:93 WINEDEBUG=-all wine capture_grab_bench.exe 20
// The time from a trigger to the image window is measured end to end by
// the harness's benchmark script; this program isolates the capture core.
#include "capture/CaptureCore.h"
#include "capture/CaptureState.h"
#include "capture/ScreenGrab.h"
#include "framework/WinApp.h"
#include "image/ImageHandover.h"
#include "image/XImage.h"
#include "settings/Settings.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-28s median %8.2f ms   min %8.2f ms   max %8.2f ms\n", what, times[times.size() / 2], times.front(),
                times.back());
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::printf("screen %dx%d, %d rounds\n", width, height, rounds);
    SystemDefaults system;
    system.screenWidth = width;
    system.screenHeight = height;
    Options options = DefaultOptions(system);
    options.capture.capture.notification = kNoFlash;
    options.capture.capture.bringKestrelToTop = FALSE;
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    WinApp::SetMainWnd(frame);

    std::vector<double> grab, convert, whole;
    CaptureRequest screen;
    screen.mode = kCaptureScreen;
    screen.captureRect = RECT{0, 0, width, height};
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER t0, t1, t2;
        XImage image;
        image.m_nWidth = width;
        image.m_nHeight = height;
        image.m_nBitCount = 24;
        QueryPerformanceCounter(&t0);
        image.m_bitmap.reset(GrabDisplayArea(screen, options.capture));
        QueryPerformanceCounter(&t1);
        image.InfoFromScreen();
        image.BitsFromBitmap();
        QueryPerformanceCounter(&t2);
        if (!image.m_hBits) {
            std::printf("conversion failed\n");
            return 1;
        }
        grab.push_back(Milliseconds(t0, t1));
        convert.push_back(Milliseconds(t1, t2));

        QueryPerformanceCounter(&t0);
        CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
        QueryPerformanceCounter(&t1);
        whole.push_back(Milliseconds(t0, t1));
        DropPostedImages(frame);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    Report("grab (BitBlt)", grab);
    Report("convert (GetDIBits)", convert);
    Report("CaptureScreen to image window posted", whole);
    DestroyWindow(frame);
    return 0;
}
