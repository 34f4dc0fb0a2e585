// The Tool menu's operations on the document's image: each runs its dialog
// when it has one, passes the image to the operation and opens the result
// in a new window (or says why there is none). The view's own Tool
// commands (Show Border on Top Image, Invert Selection, Check & Change
// Colors) are routed from here to the image view, so that they work
// whichever pane has the focus.
#include "XDocument.h"

#include "../framework/ColorDialog.h"
#include "../framework/ShowMessage.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"
#include "../settings/Settings.h"
#include "ImageOps.h"
#include "ImageWindowOptions.h"
#include "ToolDialogs.h"
#include "XViewImage.h"

#include <memory>
#include <string>

namespace {
// Change Color's replacement colour: black at start, then the last one
// chosen; not kept in the settings.
COLORREF g_replacement = RGB(0, 0, 0);

void ShowResult(ImageOpResult result)
{
    if (result) {
        AfterOperation(std::move(result.image));
        return;
    }
    if (UINT message = ImageOpMessage(result.error)) ShowMessage(message);
}

void WriteSettings(KeyGroup group)
{
    if (ImageOptions().write) ImageOptions().write(group);
}

struct SimpleOperation {
    UINT id;
    ImageOpResult (*run)(const XImage&);
};

const SimpleOperation kSimpleOperations[] = {
    {ID_TOOL_ZOOM_IN, &ZoomIn},           {ID_TOOL_ZOOM_OUT, &ZoomOut},        {ID_TOOL_FLIP_H, &FlipHorizontal},
    {ID_TOOL_FLIP_V, &FlipVertical},      {ID_TOOL_ROTATE_LEFT, &RotateLeft}, {ID_TOOL_ROTATE_RIGHT, &RotateRight},
    {ID_TOOL_GRAYSCALE, &Grayscale},      {ID_TOOL_INVERT, &Invert},          {ID_TOOL_REDUCE_COLORS, &ReduceColors},
};

class ToolCommands {
public:
    explicit ToolCommands(XDocument& document) : m_document(document) {}

    void OnSimple(UINT id);
    void OnFrame(UINT);
    void OnScale(UINT);
    void OnBlackWhite(UINT);
    void OnCountColors(UINT);
    void OnMerge(UINT);
    void OnCrop(UINT);
    void OnErase(UINT);
    void OnShowBorder(UINT);
    void OnInvertSelection(UINT);
    void OnChangeColors(UINT);

    void UpdateOneImage(CmdUI& ui) { ui.Enable(Single() != nullptr); }
    void UpdateMoreThan1Bit(CmdUI& ui) { ui.Enable(Single() && Single()->m_nBitCount > 1); }
    void UpdateReduce(CmdUI& ui) { ui.Enable(Single() && (Single()->m_nBitCount == 8 || Single()->m_nBitCount == 24)); }
    void UpdateMerge(CmdUI& ui) { ui.Enable(m_document.ImageCount() >= 2); }
    void UpdateCrop(CmdUI& ui);
    void UpdateErase(CmdUI& ui) { ui.Enable(Single() && Single()->m_bSelected); }
    void UpdateShowBorder(CmdUI& ui);
    void UpdateInvertSelection(CmdUI& ui);

private:
    const XImage* Single() const { return m_document.ImageCount() == 1 ? m_document.GetImage(0) : nullptr; }
    XDocument& m_document;
};

void ToolCommands::OnSimple(UINT id)
{
    const XImage* image = Single();
    if (!image) return;
    for (const SimpleOperation& operation : kSimpleOperations)
        if (operation.id == id) ShowResult(operation.run(*image));
}

void ToolCommands::OnFrame(UINT)
{
    const XImage* image = Single();
    FrameOptions& frame = ImageOptions().frame;
    if (!image || !RunFrameDialog(WinApp::MainWnd(), &frame)) return;
    WriteSettings(KeyGroup::kFrame);
    ShowResult(FrameImage(*image, FrameInRange(frame)));
}

void ToolCommands::OnScale(UINT)
{
    const XImage* image = Single();
    int64_t width = 0, height = 0;
    if (!image || !RunScaleDialog(WinApp::MainWnd(), image->m_nWidth, image->m_nHeight, &width, &height)) return;
    if (XViewImage* view = m_document.GetImageView()) UpdateWindow(view->m_hWnd);
    ShowResult(ScaleImage(*image, width, height));
}

void ToolCommands::OnBlackWhite(UINT)
{
    const XImage* image = Single();
    BlackWhiteOptions& table = ImageOptions().blackWhite;
    if (!image || !RunBlackWhiteDialog(WinApp::MainWnd(), &table)) return;
    WriteSettings(KeyGroup::kBlackWhite);
    ShowResult(BlackAndWhite(*image, table));
}

void ToolCommands::OnCountColors(UINT)
{
    XImage* image = m_document.ImageCount() == 1 ? m_document.GetImage(0) : nullptr;
    if (!image) return;
    if (image->m_nColors == 0) {
        uint32_t count = 0;
        if (CountColors(*image, &count) != ImageOpError::kNone) {
            ShowMessage(IDS_INSUFFICIENT_MEMORY);
            return;
        }
        image->m_nColors = count;
    }
    ShowMessageText("Total different colors in this image: " + std::to_string(image->m_nColors),
                    MB_OK | MB_ICONINFORMATION);
}

void ToolCommands::OnMerge(UINT)
{
    if (m_document.ImageCount() < 2) return;
    std::vector<const XImage*> images;
    for (const auto& image : m_document.m_images) images.push_back(image.get());
    ImageOpResult result;
    {
        MergeStatusBox box(WinApp::MainWnd());
        result = MergeImages(images, ImageOptions().session.mergeBack, [&box](MergeStage stage) { box.Show(stage); });
    }
    ShowResult(std::move(result));
}

void ToolCommands::OnCrop(UINT)
{
    if (const XImage* image = Single()) ShowResult(CropImage(*image, image->m_rcCrop));
}

void ToolCommands::OnErase(UINT)
{
    if (const XImage* image = Single()) ShowResult(EraseImage(*image, image->m_rcCrop));
}

void ToolCommands::UpdateCrop(CmdUI& ui)
{
    // An empty cropping rectangle would crop to nothing.
    const XImage* image = Single();
    const RECT* crop = image ? &image->m_rcCrop : nullptr;
    ui.Enable(image && image->m_bSelected && crop->right > crop->left && crop->bottom > crop->top &&
              (crop->right - crop->left != image->m_nWidth || crop->bottom - crop->top != image->m_nHeight));
}

void ToolCommands::OnShowBorder(UINT)
{
    SessionOptions& session = ImageOptions().session;
    session.showBorderOnTop = !session.showBorderOnTop;
    if (XViewImage* view = m_document.GetImageView()) view->RedrawTopImage();
}

void ToolCommands::UpdateShowBorder(CmdUI& ui)
{
    ui.Enable(m_document.ImageCount() >= 2);
    ui.SetCheck(ImageOptions().session.showBorderOnTop);
}

void ToolCommands::OnInvertSelection(UINT)
{
    SessionOptions& session = ImageOptions().session;
    session.invertSelection = !session.invertSelection;
    if (XViewImage* view = m_document.GetImageView()) view->RedrawTopImage();
}

void ToolCommands::UpdateInvertSelection(CmdUI& ui)
{
    ui.Enable(Single() != nullptr);
    ui.SetCheck(ImageOptions().session.invertSelection);
}

void ToolCommands::OnChangeColors(UINT)
{
    XViewImage* view = m_document.GetImageView();
    if (Single() && view) view->StartPickMode();
}
}

bool XDocument::OnToolCmdMsg(UINT id, CmdUI* ui)
{
    typedef ToolCommands T;
    static const CommandEntry<T> table[] = {
        {ID_TOOL_FRAME, ID_TOOL_FRAME, &T::OnFrame, &T::UpdateOneImage},
        {ID_TOOL_ZOOM_IN, ID_TOOL_ZOOM_OUT, &T::OnSimple, &T::UpdateOneImage},
        {ID_TOOL_SCALE, ID_TOOL_SCALE, &T::OnScale, &T::UpdateOneImage},
        {ID_TOOL_FLIP_H, ID_TOOL_ROTATE_RIGHT, &T::OnSimple, &T::UpdateOneImage},
        {ID_TOOL_MERGE, ID_TOOL_MERGE, &T::OnMerge, &T::UpdateMerge},
        {ID_TOOL_SHOW_BORDER, ID_TOOL_SHOW_BORDER, &T::OnShowBorder, &T::UpdateShowBorder},
        {ID_TOOL_BLACK_WHITE, ID_TOOL_BLACK_WHITE, &T::OnBlackWhite, &T::UpdateMoreThan1Bit},
        {ID_TOOL_GRAYSCALE, ID_TOOL_GRAYSCALE, &T::OnSimple, &T::UpdateMoreThan1Bit},
        {ID_TOOL_INVERT, ID_TOOL_INVERT, &T::OnSimple, &T::UpdateOneImage},
        {ID_TOOL_COUNT_COLORS, ID_TOOL_COUNT_COLORS, &T::OnCountColors, &T::UpdateMoreThan1Bit},
        {ID_TOOL_CHANGE_COLORS, ID_TOOL_CHANGE_COLORS, &T::OnChangeColors, &T::UpdateMoreThan1Bit},
        {ID_TOOL_REDUCE_COLORS, ID_TOOL_REDUCE_COLORS, &T::OnSimple, &T::UpdateReduce},
        {ID_TOOL_INVERT_SELECTION, ID_TOOL_INVERT_SELECTION, &T::OnInvertSelection, &T::UpdateInvertSelection},
        {ID_TOOL_CROP, ID_TOOL_CROP, &T::OnCrop, &T::UpdateCrop},
        {ID_TOOL_ERASE, ID_TOOL_ERASE, &T::OnErase, &T::UpdateErase},
    };
    // Built on the heap like every other command target: the handlers are
    // called through member pointers, which GCC cannot follow into a
    // stack object without a false "may be used uninitialized".
    std::unique_ptr<ToolCommands> tools(new ToolCommands(*this));
    return DispatchCommand(tools.get(), table, id, ui);
}

void XDocument::CheckAndChangeColor(COLORREF picked)
{
    if (ImageCount() != 1 || !RunCheckColorDialog(WinApp::MainWnd(), picked)) return;
    if (!ChooseColorFor(WinApp::MainWnd(), &g_replacement)) return;
    ShowResult(ChangeColor(*GetImage(0), picked, g_replacement));
}
