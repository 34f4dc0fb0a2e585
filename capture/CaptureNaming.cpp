// Capture names and Send To File naming (see CaptureNaming.h).
#include "CaptureNaming.h"

#include "../hook/HookWire.h"
#include "../resources/resource.h"

#include <cstdio>

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}

unsigned CaptureOriginId(int mode)
{
    switch (mode) {
    case kCaptureScreen: return IDS_ORIGIN_SCREEN;
    case kCaptureWindow: return IDS_ORIGIN_WINDOW;
    case kCaptureRegion: return IDS_ORIGIN_REGION;
    case kCaptureTitleMenu: return IDS_ORIGIN_TITLE_MENU;
    case kCaptureFreehand: return IDS_ORIGIN_FREEHAND;
    case kCapturePointer: return IDS_ORIGIN_POINTER;
    case kCaptureButton: return IDS_ORIGIN_BUTTON;
    default: return 0;
    }
}

std::string AugmentFileName(const std::string& name)
{
    std::string next = name;
    size_t dot = next.find('.');
    if (dot == std::string::npos || dot == 0) return next;
    for (size_t i = dot; i-- > 0;) {
        if (!IsDigit(next[i])) break;
        if (next[i] != '9') {
            ++next[i];
            break;
        }
        next[i] = '0';
    }
    return next;
}

std::string FileNameByTime(const std::string& oldName, int day, int hour, int minute, int second)
{
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%02d%02d%02d%02d", day, hour, minute, second);
    size_t dot = oldName.rfind('.');
    return std::string(stamp) + (dot == std::string::npos ? std::string() : oldName.substr(dot));
}

std::string SendToFilePath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

std::string FreeFileName(const std::string& name, const std::function<bool(const std::string&)>& taken)
{
    std::string candidate = name;
    while (taken(candidate)) {
        candidate = AugmentFileName(candidate);
        if (candidate == name) return std::string();
    }
    return candidate;
}
