// The HotKey Setup dialog. Caps are child windows of class "KeyClass"
// (control 100 + key-table index); each paints by asking the dialog, which
// knows the current type's key and modifiers. A modifier cap shows in red,
// filled red when the current type must hold that modifier; the current
// type's key shows inverted.
#include "HotKeyDialog.h"

#include "HotKeyRules.h"

#include "../framework/Dialog.h"
#include "../framework/GdiHandles.h"
#include "../framework/ShowMessage.h"
#include "../framework/WinApp.h"
#include "../framework/Window.h"
#include "../resources/resource.h"
#include "../settings/KeyTable.h"
#include "../settings/Settings.h"

namespace {

// From a cap to its dialog: paint (wParam the cap's DC, lParam the cap)
// and left button down (wParam the key-table index).
const UINT kMsgPaintKeyCap = WM_APP + 0x40;
const UINT kMsgKeyCapDown = WM_APP + 0x41;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// The modifier a cap stands for, or kModifierCount for other keys.
Modifier CapModifier(int key)
{
    switch (key) {
    case kKeyEsc: return kModEsc;
    case kKeyShiftLeft:
    case kKeyShiftRight: return kModShift;
    case kKeyCtrlLeft:
    case kKeyCtrlRight: return kModCtrl;
    case kKeyAltLeft:
    case kKeyAltRight: return kModAlt;
    default: return kModifierCount;
    }
}

const int kModifierCaps[] = {kKeyEsc, kKeyShiftLeft, kKeyShiftRight, kKeyCtrlLeft, kKeyCtrlRight, kKeyAltLeft,
                             kKeyAltRight};

class XHotKeyDialog : public Dialog {
public:
    XHotKeyDialog(const HotKeyAssignment& keys, int type)
        : Dialog(IDD_HOTKEY_SETUP), m_keys(HotKeysForDialog(keys)), m_nType(type)
    {
    }

    HotKeyAssignment m_keys;
    int m_nType;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void PaintCap(HDC dc, HWND cap);
    void OnCapDown(int key);
    void ChooseType(int type);
    void RepaintCap(int key) const;
    void RepaintModifierCaps() const;
    int CheckedType() const;

    HWND m_caps[kKeyTableSize] = {};
    GdiObject<HFONT> m_font;
    GdiObject<HPEN> m_penHighlight, m_penShadow, m_penRed;
};

BOOL XHotKeyDialog::OnInitDialog()
{
    for (int i = 0; i < kKeyTableSize; ++i) m_caps[i] = GetDlgItem(m_hWnd, IDC_KEY_CAP_FIRST + i);
    LOGFONTA font = {};
    font.lfHeight = -9;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    m_font.reset(CreateFontIndirectA(&font));
    m_penHighlight.reset(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    m_penShadow.reset(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    m_penRed.reset(CreatePen(PS_SOLID, 1, kRed));
    if (m_nType < 0 || m_nType >= kCaptureTypes) m_nType = 0;
    CheckRadioButton(m_hWnd, IDC_TYPE_SCREEN, IDC_TYPE_BUTTON, IDC_TYPE_SCREEN + m_nType);
    return TRUE;
}

int XHotKeyDialog::CheckedType() const
{
    for (int t = 0; t < kCaptureTypes; ++t)
        if (IsDlgButtonChecked(m_hWnd, IDC_TYPE_SCREEN + t) == BST_CHECKED) return t;
    return m_nType;
}

void XHotKeyDialog::RepaintCap(int key) const
{
    if (IsKeyIndex(key) && m_caps[key]) InvalidateRect(m_caps[key], nullptr, TRUE);
}

void XHotKeyDialog::RepaintModifierCaps() const
{
    for (int key : kModifierCaps) RepaintCap(key);
}

void XHotKeyDialog::PaintCap(HDC dc, HWND cap)
{
    const int key = GetDlgCtrlID(cap) - IDC_KEY_CAP_FIRST;
    if (!IsKeyIndex(key)) return;
    RECT rc;
    GetClientRect(cap, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    {
        // Raised edge: highlight one and two pixels in along the left and
        // top, shadow along the right and bottom.
        SelectedObject highlight(dc, m_penHighlight.get());
        for (int i = 1; i <= 2; ++i) {
            MoveToEx(dc, rc.left + i, rc.bottom - 1 - i, nullptr);
            LineTo(dc, rc.left + i, rc.top + i);
            LineTo(dc, rc.right - i, rc.top + i);
        }
    }
    {
        SelectedObject shadow(dc, m_penShadow.get());
        for (int i = 1; i <= 2; ++i) {
            MoveToEx(dc, rc.right - 1 - i, rc.top + i, nullptr);
            LineTo(dc, rc.right - 1 - i, rc.bottom - 1 - i);
            LineTo(dc, rc.left + i - 1, rc.bottom - 1 - i);
        }
    }
    SelectedObject font(dc, m_font.get());
    const char* label = kKeyTable[key].label;
    RECT inner = rc;
    InflateRect(&inner, -2, -2);
    const Modifier modifier = CapModifier(key);
    if (modifier != kModifierCount) {
        if (Holds(m_keys, m_nType, modifier)) {
            FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            GdiObject<HBRUSH> red(CreateSolidBrush(kRed));
            SelectedObject pen(dc, m_penRed.get());
            SelectedObject brush(dc, red.get());
            Rectangle(dc, inner.left, inner.top, inner.right, inner.bottom);
            SetBkColor(dc, kRed);
            SetTextColor(dc, kWhite);
        } else {
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            SetTextColor(dc, kRed);
        }
        TextOutA(dc, inner.left + 1, inner.top + 1, label, lstrlenA(label));
        return;
    }
    SetTextColor(dc, RGB(0, 0, 0));
    if (m_keys.normalKey[m_nType] == key) {
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkColor(dc, kWhite);
        TextOutA(dc, rc.left + 3, rc.top + 3, label, lstrlenA(label));
        InvertRect(dc, &inner);
    } else {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        TextOutA(dc, rc.left + 3, rc.top + 3, label, lstrlenA(label));
    }
}

void XHotKeyDialog::OnCapDown(int key)
{
    if (!IsKeyIndex(key)) return;
    if (key == kKeyF1) {
        ShowMessage(IDS_F1_IS_HELP);
        return;
    }
    const Modifier modifier = CapModifier(key);
    if (modifier == kModifierCount) {
        const int previous = m_keys.normalKey[m_nType];
        m_keys.normalKey[m_nType] = key;
        RepaintCap(previous);
        RepaintCap(key);
        return;
    }
    int& state = m_keys.modifiers[m_nType][modifier];
    state = state == -1 ? 0 : -1;
    RepaintModifierCaps();
}

void XHotKeyDialog::ChooseType(int type)
{
    RepaintCap(m_keys.normalKey[m_nType]);
    m_nType = type;
    RepaintCap(m_keys.normalKey[m_nType]);
    RepaintModifierCaps();
}

void XHotKeyDialog::OnOK()
{
    m_nType = CheckedType();
    const HotKeyVerdict verdict = CheckHotKeys(m_keys);
    switch (verdict.problem) {
    case HotKeyProblem::kNone: EndDialog(IDOK); return;
    case HotKeyProblem::kNoKey:
        // Show the type that lacks a key, ready for a click on the keyboard.
        CheckRadioButton(m_hWnd, IDC_TYPE_SCREEN, IDC_TYPE_BUTTON, IDC_TYPE_SCREEN + verdict.type);
        ChooseType(verdict.type);
        ShowMessage(IDS_CHOOSE_A_KEY);
        return;
    case HotKeyProblem::kShiftOnKeypad: ShowMessage(IDS_SHIFT_ON_KEYPAD); return;
    case HotKeyProblem::kMenuClosingKey: ShowMessage(IDS_MENU_CLOSING_KEY); return;
    case HotKeyProblem::kIdenticalKeys:
        ShowMessageText(LoadResourceString(IDS_IDENTICAL_HOTKEYS) +
                        LoadResourceString(IDS_IDENTICAL_PAIR_FIRST + verdict.pair));
        return;
    }
}

bool XHotKeyDialog::OnCommand(UINT id, UINT code)
{
    if (id >= IDC_TYPE_SCREEN && id <= IDC_TYPE_BUTTON) {
        if (code == BN_CLICKED) ChooseType(CheckedType());
        return true;
    }
    if (id == IDC_HOTKEY_DEFAULT) {
        const int previous = m_keys.normalKey[m_nType];
        m_keys = DefaultOptions(SystemDefaults()).hotKeys;
        RepaintCap(previous);
        RepaintCap(m_keys.normalKey[m_nType]);
        RepaintModifierCaps();
        return true;
    }
    if (id == IDC_HOTKEY_HELP) {
        if (WinApp* app = WinApp::Current()) app->WinHelp(reinterpret_cast<ULONG_PTR>("Hotkey Setup"), HELP_KEY);
        return true;
    }
    return false;
}

bool XHotKeyDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (msg == kMsgPaintKeyCap) {
        PaintCap(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    } else if (msg == kMsgKeyCapDown) {
        OnCapDown(int(wParam));
    } else {
        return false;
    }
    result = TRUE;
    return true;
}

}  // namespace

LRESULT CALLBACK KeyCapWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        SendMessageA(GetParent(hwnd), kMsgPaintKeyCap, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SendMessageA(GetParent(hwnd), kMsgKeyCapDown, WPARAM(GetDlgCtrlID(hwnd) - IDC_KEY_CAP_FIRST), 0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool RunHotKeyDialog(HWND owner, HotKeyAssignment& keys, int& lastType)
{
    XHotKeyDialog dialog(keys, lastType);
    if (dialog.DoModal(owner) != IDOK) return false;
    keys = dialog.m_keys;
    lastType = dialog.m_nType;
    return true;
}
