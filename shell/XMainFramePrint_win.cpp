// The main frame's print commands: Print for the active image window and
// Print All for every image window, with capture triggers held off while
// they run.
#include "XMainFrame.h"

#include "AppSettings.h"

#include "../capture/CaptureState.h"
#include "../framework/DocTemplate.h"
#include "../framework/WinApp.h"
#include "../image/XDocument.h"
#include "../print/PrintCommands.h"

#include <vector>

void XMainFrame::OnFilePrint(UINT)
{
    XDocument* document = ActiveImageDocument();
    if (!document || !document->TopImage()) return;
    g_bPrinting = TRUE;
    PrintDocument(*document, PrintContext{m_settings.options, m_settings.Profile(), m_hWnd});
    g_bPrinting = FALSE;
}

void XMainFrame::OnUpdateFilePrint(CmdUI& ui) { ui.Enable(ActiveTopImage() != nullptr); }

void XMainFrame::OnFilePrintAll(UINT)
{
    WinApp* app = WinApp::Current();
    if (!app || !app->m_pDocTemplate) return;
    std::vector<XDocument*> documents;
    for (Document* document : app->m_pDocTemplate->GetDocuments())
        if (auto* imageDocument = dynamic_cast<XDocument*>(document))
            if (imageDocument->TopImage()) documents.push_back(imageDocument);
    g_bPrinting = TRUE;
    PrintAllDocuments(documents, PrintContext{m_settings.options, m_settings.Profile(), m_hWnd});
    g_bPrinting = FALSE;
}

void XMainFrame::OnUpdateFilePrintAll(CmdUI& ui) { ui.Enable(g_nDocuments > 0); }
