// The program's MDI frame: tool bar and status bar, the five status panes
// about the active image, Close All, and the receiving end of the hook
// library, of the progress reports and of the images handed to new image
// windows. Trigger, hotkey, progress and timer messages are unpacked here
// and handed to the capture dispatch.
#pragma once

#include "../framework/MDIFrameWindow.h"

#include <memory>

class AppSettings;
class XDocument;
class XImage;

class XMainFrame : public MDIFrameWindow {
public:
    static const UINT kTimerId = 1;
    static const UINT kTimerPeriod = 100;  // ms

    // settings: the application's, which outlive the frame.
    explicit XMainFrame(AppSettings& settings) : m_settings(settings) {}

    // The document and top image of the active image window, or null.
    XDocument* ActiveImageDocument() const;
    XImage* ActiveTopImage() const;

    // Opens a new image window on image (a capture, paste or operation
    // result); none for an image without pixels.
    XDocument* OpenImageWindow(std::unique_ptr<XImage> image);

    void OnIdleUpdate() override;

    // The application's settings (the capture's Printer destination prints
    // with them).
    AppSettings& Settings() const { return m_settings; }

protected:
    bool OnCreate() override;
    bool OnFrameCmdMsg(UINT id, CmdUI* ui) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPasteImage(UINT id);
    void OnUpdatePasteImage(CmdUI& ui);
    void OnFilePrint(UINT id);
    void OnUpdateFilePrint(CmdUI& ui);
    void OnFilePrintAll(UINT id);
    void OnUpdateFilePrintAll(CmdUI& ui);
    void OnCloseAll(UINT id);
    void OnUpdateCloseAll(CmdUI& ui);
    void OnClockSetup(UINT id);
    void OnSnapshotButtonSetup(UINT id);
    void OnImageInfo(UINT id);
    void OnUpdateImageInfo(CmdUI& ui);
    void OnFullScreenView(UINT id);
    void OnUpdateFullScreenView(CmdUI& ui);
    void OnUpdatePaneSize(CmdUI& ui);
    void OnUpdatePaneColors(CmdUI& ui);
    void OnUpdatePaneStamp(CmdUI& ui);
    void OnUpdatePaneCount(CmdUI& ui);
    void OnEnterIdle(UINT source, HWND window);
    void OnPaletteChanged(HWND changer);

    AppSettings& m_settings;
};
