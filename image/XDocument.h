// The image document: the ordered images of one image window (index 0 at
// the bottom, the last on top), which it owns, the note text in transit to
// the notepad, and the canvas size. A document shows an image handed to it
// (AdoptImage: a capture, paste or operation result) or one read from a
// file (OpenImageFile). Images are never changed in place, so a document
// is never modified and closing never asks.
#pragma once

#include "../framework/Document.h"
#include "XImage.h"

#include <memory>
#include <string>
#include <vector>

class XViewImage;
class XViewNotepad;

// Note text the next new window takes over; null when none.
extern HGLOBAL g_hPendingNote;
// Number of open image documents.
extern int g_nDocuments;

// After a producer: hands image to a new window when it has pixels (stamped
// with the current time, posted to the main frame), otherwise shows the
// message its m_nOriginId names and drops it.
void AfterOperation(std::unique_ptr<XImage> image);

class XDocument : public Document {
public:
    XDocument();
    ~XDocument() override;
    static Document* CreateObject() { return new XDocument; }

    // A window opens only on an image: the framework's empty New is refused.
    bool OnNewDocument() override;
    // Open with nothing read beforehand (recent files, dropped files).
    bool OnOpenDocument(const std::string& path) override;
    void DeleteContents() override;

    // Shows image, a finished capture, paste or operation result: the title
    // is its origin's name (or the path it holds), a waiting note comes
    // along. False, and no window, for an image without pixels.
    bool AdoptImage(std::unique_ptr<XImage> image);
    // Shows the image file at path. preview, when given, is what the open
    // dialog's preview already read from this very path (with the message
    // of a failed read in its m_nOriginId) and is shown as it is; otherwise
    // the file is read now. A failed read shows its message and gives false.
    bool OpenImageFile(const std::string& path, std::unique_ptr<XImage> preview);
    // Open Note Text once the file is chosen: the whole text file at path
    // becomes the note and the notepad shows it; nothing when it cannot be
    // read.
    void OpenNoteFile(const std::string& path);
    // Save Note Text once the file is chosen: the notepad's text, byte for
    // byte, into the file at path.
    void SaveNoteFile(const std::string& path);
    // The notepad holds text to save.
    bool HasNoteText() const;

    size_t ImageCount() const { return m_images.size(); }
    XImage* GetImage(size_t index) const { return index < m_images.size() ? m_images[index].get() : nullptr; }
    XImage* TopImage() const { return m_images.empty() ? nullptr : m_images.back().get(); }
    // Appends image at the next slot.
    void AddImage(std::unique_ptr<XImage> image);
    // Places image index at its slot and recomputes the canvas.
    void PlaceImage(size_t index);
    void RecalcExtent();
    // Removes and deletes the top image; titles the window "Merging - n".
    void DeleteTopImage();

    XViewImage* GetImageView() const;
    XViewNotepad* GetNotepadView() const;

    bool OnCmdMsg(UINT id, CmdUI* ui) override;
    // The Tool menu's operations (XDocumentTools.cpp).
    bool OnToolCmdMsg(UINT id, CmdUI* ui);
    // Check & Change Colors once the view has picked a colour of the image.
    void CheckAndChangeColor(COLORREF picked);

    std::vector<std::unique_ptr<XImage>> m_images;
    HGLOBAL m_hNote = nullptr;
    int32_t m_cxExtent = 0;
    int32_t m_cyExtent = 0;

private:
    void OnViewBackground(UINT id);
    void OnMergeBackground(UINT id);
    void OnUpdateMergeBackground(CmdUI& ui);
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
