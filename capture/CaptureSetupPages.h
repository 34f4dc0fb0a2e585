// The Capture Setup sheet's pages. Each page shows its part of the working
// copy when it opens and takes its controls back when it is left (and on
// OK, for the page then active); a number outside its range keeps the
// page open. The sheet's shared state (the working copy, what the pages
// show besides it, the active page and whether OK was pressed) is one
// object that every page refers to.
#pragma once

#include "CaptureSetupSheet.h"

#include "../framework/Dialog.h"

struct SetupSheetState {
    CaptureSetupValues& values;
    const CaptureSetupContext& context;
    int activePage = 0;
    bool confirmed = false;
};

class SetupPage : public PropertyPage {
public:
    SetupPage(UINT templateId, int index, const char* helpKeyword, SetupSheetState& sheet)
        : PropertyPage(templateId), m_nIndex(index), m_szHelpKeyword(helpKeyword), m_sheet(sheet)
    {
    }

protected:
    // Values to controls, and controls to values (false keeps the page).
    virtual void Show() = 0;
    virtual bool Take() = 0;

    BOOL OnInitDialog() override
    {
        Show();
        return TRUE;
    }
    bool OnKillActive() override { return Take(); }
    void OnSetActive() override { m_sheet.activePage = m_nIndex; }
    void OnApply() override { m_sheet.confirmed = true; }
    void OnHelp() override;

    // The Capture Tools group's hotkey and HotButton texts for capture code.
    void ShowCaptureTools(int captureCode) const;

    CaptureSetupValues& Values() const { return m_sheet.values; }
    const CaptureSetupContext& Context() const { return m_sheet.context; }

private:
    int m_nIndex;
    const char* m_szHelpKeyword;
    SetupSheetState& m_sheet;
};

class SendToPage : public SetupPage {
public:
    explicit SendToPage(SetupSheetState& sheet);

protected:
    void Show() override;
    bool Take() override;
    bool OnCommand(UINT id, UINT code) override;

private:
    void EnableOptions() const;
};

class CapturePage : public SetupPage {
public:
    explicit CapturePage(SetupSheetState& sheet);

protected:
    void Show() override;
    bool Take() override;
    bool OnCommand(UINT id, UINT code) override;

private:
    void EnableButtons() const;
    void TakeChoices();
    void RunTest();
};

class ScreenPage : public SetupPage {
public:
    explicit ScreenPage(SetupSheetState& sheet);

protected:
    void Show() override;
    bool Take() override;
    bool OnCommand(UINT id, UINT code) override;
};

class WindowPage : public SetupPage {
public:
    explicit WindowPage(SetupSheetState& sheet);

protected:
    void Show() override;
    bool Take() override;
};

// The pages with a capture sample: Region, Title & Menu and Freehand. The
// sample is an owner-drawn placeholder that the page paints after taking
// its check boxes.
class SamplePage : public SetupPage {
public:
    using SetupPage::SetupPage;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    virtual void DrawSample(HDC dc, const RECT& rc) = 0;
    void RepaintSample() const;
    // The colour dialog with the current colour and the custom colours
    // open; true when a colour was chosen.
    bool ChoosePenColor(COLORREF& color);
    // Draws bitmap resource id centred in rc.
    static void DrawBitmap(HDC dc, const RECT& rc, int id);

private:
};

class RegionPage : public SamplePage {
public:
    explicit RegionPage(SetupSheetState& sheet);

protected:
    void Show() override;
    bool Take() override;
    bool OnCommand(UINT id, UINT code) override;
    void DrawSample(HDC dc, const RECT& rc) override;
};

class TitleMenuPage : public SamplePage {
public:
    explicit TitleMenuPage(SetupSheetState& sheet);

protected:
    void Show() override;
    bool Take() override;
    bool OnCommand(UINT id, UINT code) override;
    void DrawSample(HDC dc, const RECT& rc) override;
};

class FreehandPage : public SamplePage {
public:
    explicit FreehandPage(SetupSheetState& sheet);

protected:
    void Show() override;
    bool Take() override;
    bool OnCommand(UINT id, UINT code) override;
    void DrawSample(HDC dc, const RECT& rc) override;
};

class RunningModePage : public SetupPage {
public:
    explicit RunningModePage(SetupSheetState& sheet);

protected:
    void Show() override;
    bool Take() override;
};
