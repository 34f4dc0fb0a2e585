// Print, Print All, the capture's Printer destination and Set Print (see
// PrintCommands.h).
#include "PrintCommands.h"

#include "CurrentPrinter.h"
#include "PrintFlatten.h"
#include "PrintJob.h"
#include "PrintSheet.h"

#include "../framework/GlobalBlock.h"
#include "../framework/ShowMessage.h"
#include "../framework/WinApp.h"
#include "../image/XDocument.h"
#include "../image/XViewNotepad.h"
#include "../resources/resource.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

// The notepad's text, or the note still waiting for the pane.
std::string NoteOf(const XDocument& document)
{
    XViewNotepad* notepad = document.GetNotepadView();
    const int length = notepad && notepad->m_hEdit ? GetWindowTextLengthA(notepad->m_hEdit) : 0;
    if (length > 0) {
        std::vector<char> text(size_t(length) + 1);
        GetWindowTextA(notepad->m_hEdit, text.data(), length + 1);
        return std::string(text.data());
    }
    if (!document.m_hNote) return std::string();
    LockedBlock<char> waiting(document.m_hNote);
    const size_t size = GlobalSize(document.m_hNote);
    return waiting ? std::string(waiting.get(), strnlen(waiting.get(), size)) : std::string();
}

// A note edited on the sheet goes to the notepad: the pane opens when it
// was hidden, or shows the text at once.
void GiveNoteBack(XDocument& document, const std::string& note)
{
    if (note == NoteOf(document)) return;
    OwnedBlock block;
    if (!block.Allocate(note.size() + 1)) return;
    {
        LockedBlock<char> text(block);
        if (!text) return;
        std::memcpy(text.get(), note.c_str(), note.size() + 1);
    }
    if (document.m_hNote) GlobalFree(document.m_hNote);
    document.m_hNote = block.release();
    XViewNotepad* notepad = document.GetNotepadView();
    if (notepad && notepad->m_bShown)
        notepad->OnUpdate(nullptr, 0);
    else
        PostMessageA(WinApp::MainWnd(), WM_COMMAND, ID_VIEW_NOTEPAD, 0);
}

// What a document prints: its one image, or its merge flattened on white
// (kept alive in holder).
const XImage* ImageToPrint(const XDocument& document, std::unique_ptr<XImage>& holder)
{
    if (document.ImageCount() < 2) return document.GetImage(0);
    holder = FlattenForPrint(document);
    if (!holder) ShowMessage(IDS_INSUFFICIENT_MEMORY);
    return holder.get();
}

bool OpenSheet(const PrintContext& context, const XImage* image, std::string& note)
{
    PrintSheetInput input{context.options, context.profile, image, note};
    return RunPrintSheet(context.owner, input);
}

PrintJobEnd PrintOne(const PrintContext& context, const XImage& image, const std::string& note, int number,
                     int count)
{
    PrintJobInput input{image, note, context.options, number, count};
    return PrintImage(input);
}

}  // namespace

void PrintDocument(XDocument& document, const PrintContext& context)
{
    std::unique_ptr<XImage> flattened;
    const XImage* image = ImageToPrint(document, flattened);
    if (!image) return;
    std::string note = NoteOf(document);
    const std::string before = note;
    const bool confirmed = OpenSheet(context, image, note);
    if (note != before) GiveNoteBack(document, note);
    if (!confirmed) return;
    PrintOne(context, *image, note, 0, 0);
}

void PrintAllDocuments(const std::vector<XDocument*>& documents, const PrintContext& context)
{
    if (documents.empty()) return;
    std::unique_ptr<XImage> firstHolder;
    const XImage* first = ImageToPrint(*documents[0], firstHolder);
    std::string firstNote = NoteOf(*documents[0]);
    if (!OpenSheet(context, first, firstNote)) return;
    const int count = int(documents.size());
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<XImage> holder;
        const XImage* image = i == 0 ? first : ImageToPrint(*documents[size_t(i)], holder);
        if (!image) continue;
        const std::string note = i == 0 ? firstNote : NoteOf(*documents[size_t(i)]);
        if (PrintOne(context, *image, note, i + 1, count) == PrintJobEnd::kCancelled) return;
    }
}

void PrintCaptureImage(const XImage& image, bool withPrintDialog, const PrintContext& context)
{
    std::string note;
    if (withPrintDialog) {
        if (!OpenSheet(context, &image, note)) return;
    } else if (!EnsurePrinter(context.options.printer.text)) {
        ShowMessage(IDS_NO_PRINTER);
        return;
    }
    PrintOne(context, image, note, 0, 0);
}

void RunPrintSettings(const PrintContext& context)
{
    std::string note;
    OpenSheet(context, nullptr, note);
}
