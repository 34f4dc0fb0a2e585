// The image document: the ordered images of one image window (index 0 at
// the bottom, the last on top), the note text in transit to the notepad,
// and the canvas size. A new document adopts the pending image that a
// capture, paste or operation filled; an opened one reads its file. Images
// are never changed in place, so a document is never modified and closing
// never asks.
#pragma once

#include "../framework/Document.h"
#include "XImage.h"

#include <vector>

class XViewImage;
class XViewNotepad;

// The image the next new window adopts; always exists while the program
// runs (created at the end of start-up).
extern XImage* g_pPendingImage;
// Note text the next new window takes over; null when none.
extern HGLOBAL g_hPendingNote;
// Number of open image documents.
extern int g_nDocuments;

// After a producer: opens a window on the pending image when it has
// pixels (posting New to the main frame), otherwise shows the message its
// m_nOriginId names.
void AfterOperation();

class XDocument : public Document {
public:
    XDocument();
    ~XDocument() override;
    static Document* CreateObject() { return new XDocument; }

    bool OnNewDocument() override;
    bool OnOpenDocument(const std::string& path) override;
    void DeleteContents() override;

    size_t ImageCount() const { return m_images.size(); }
    XImage* GetImage(size_t index) const { return index < m_images.size() ? m_images[index] : nullptr; }
    XImage* TopImage() const { return m_images.empty() ? nullptr : m_images.back(); }
    // Appends image (the document owns it from now on) at the next slot.
    void AddImage(XImage* image);
    // Places image index at its slot and recomputes the canvas.
    void PlaceImage(size_t index);
    void RecalcExtent();
    // Removes and deletes the top image; titles the window "Merging - n".
    void DeleteTopImage();

    XViewImage* GetImageView() const;
    XViewNotepad* GetNotepadView() const;

    bool OnCmdMsg(UINT id, CmdUI* ui) override;

    std::vector<XImage*> m_images;
    HGLOBAL m_hNote = nullptr;
    int32_t m_cxExtent = 0;
    int32_t m_cyExtent = 0;

private:
    void OnOpenNoteText(UINT id);
    void OnSaveNoteText(UINT id);
    void OnUpdateSaveNoteText(CmdUI& ui);
    void OnViewBackground(UINT id);
    void OnMergeBackground(UINT id);
    void OnUpdateMergeBackground(CmdUI& ui);
    void OnSaveAs(UINT id);
    void OnUpdateSaveAs(CmdUI& ui);
    void OnCopyImage(UINT id);
    void OnUpdateCopyImage(CmdUI& ui);
    void OnDeleteImage(UINT id);
    void OnUpdateDeleteImage(CmdUI& ui);
    void OnSelectImage(UINT id);
    void OnUpdateSelectImage(CmdUI& ui);
    void OnResetCrop(UINT id);
    void OnUpdateResetCrop(CmdUI& ui);
    void OnEditUndo(UINT id);
    void OnEditCopyText(UINT id);
    void OnUpdateEditCopyText(CmdUI& ui);
    void OnEditPasteText(UINT id);
    void OnUpdateEditPasteText(CmdUI& ui);
    void OnViewNotepad(UINT id);
    void OnUpdateViewNotepad(CmdUI& ui);
};
