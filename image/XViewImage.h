// The image pane of an image window: draws every image of its document at
// its placement, one image pixel per screen pixel, on a scrolling canvas
// offset by the display margins.
#pragma once

#include "../framework/View.h"
#include "../settings/Options.h"

class XDocument;
class XImage;

class XViewImage : public ScrollView {
public:
    void OnInitialUpdate() override;
    void OnUpdate(View* sender, LPARAM hint) override;
    void OnActivateView(bool activate, View* activated, View* deactivated) override;
    void OnDraw(HDC dc) override;
    virtual void UpdateScrollSizes();

    XDocument* GetDocument() const;
    // Sets the origins of dc for canvas coordinates: viewport at the
    // margins, window at the scroll position.
    void PrepareCanvasDC(HDC dc) const;

    BOOL m_bPickMode = FALSE;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnSetFocus() override;

private:
    void OnLButtonDblClk(POINT pt);
    void OnKeyDown(UINT key);
    BOOL OnEraseBackground(HDC dc);
};

// Paints image at its placement on dc (origins already set), with the
// selection and the top-image border as session asks; part of the image
// object's drawing that the full-screen view shares.
void DrawImage(const XImage& image, HDC dc, const SessionOptions& session);
