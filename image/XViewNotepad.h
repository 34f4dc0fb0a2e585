// The notepad pane of an image window: an edit control filling the lower
// row of the splitter. It is "shown" while its row has a height; it takes
// over the document's note block when it next paints.
#pragma once

#include "../framework/View.h"

class XViewNotepad : public View {
public:
    bool Create(HWND parent, UINT id, Document* document);
    void OnDraw(HDC dc) override;

    HWND m_hEdit = nullptr;
    BOOL m_bShown = FALSE;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnSize(int cx, int cy);
};
