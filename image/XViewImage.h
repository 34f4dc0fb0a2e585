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
    void OnUpdate(View* sender, LPARAM hint) override;
    void OnActivateView(bool activate, View* activated, View* deactivated) override;
    void OnDraw(HDC dc) override;
    virtual void UpdateScrollSizes();

    XDocument* GetDocument() const;
    // Sets the origins of dc for canvas coordinates: viewport at the
    // margins, window at the scroll position.
    void PrepareCanvasDC(HDC dc) const;

    // Show Border on Top Image and Invert Selection: the top image drawn
    // again over itself with the options as they now are.
    void RedrawTopImage();
    // Check & Change Colors: the next left click picks a pixel of the image.
    void StartPickMode();

    BOOL m_bPickMode = FALSE;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnSetFocus() override;

private:
    void OnLButtonDblClk(POINT pt);
    void OnKeyDown(UINT key);
    BOOL OnEraseBackground(HDC dc);

    // Mouse and keyboard work on the images (XViewImageTools.cpp).
    void OnLButtonDown(POINT pt, WPARAM flags);
    // Cropping lines (one selected image) or the top image (a merge
    // window) moved by a key; false when the key is not theirs.
    bool OnToolKey(UINT key);
    void MoveCropLines(UINT key);
    void MoveTopImageBy(int dx, int dy);
    void PickColor(POINT pt);
    void TrackCropHandle(POINT pt);
    void DragImageToOtherWindow();
    void MoveOrPickTopImage(POINT pt, bool control);
    void TrackTopImage(POINT from);
    // Image pixel (possibly outside the image) under client point pt.
    POINT ImagePixelAt(POINT pt) const;
    // The pointer kept over the visible part of the one image.
    void ConfinePointerToImage() const;
    RECT CanvasToClient(const RECT& rc) const;
};

// Self-inverting dotted outline from (left, top) to (right-1, bottom-1).
void DrawDottedOutline(HDC dc, const RECT& rc);
// The cropping rectangle's outline and its four inverted handles, at the
// image's placement; drawing twice erases.
void DrawCropLines(const XImage& image, HDC dc);

// Paints image at its placement on dc (origins already set), with the
// selection and the top-image border as session asks; part of the image
// object's drawing that the full-screen view shares.
void DrawImage(const XImage& image, HDC dc, const SessionOptions& session);
