#include "platform/win32/dialog_win32.h"

#include <cstring>
#include <vector>

#include "resources/resource.h"

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
    // A modeless window outliving its object would call into freed memory. The messages of its destruction find
    // no object: the derived parts of this one are gone already.
    if (m_hWnd && !m_modal) {
        HWND window = m_hWnd;
        SetWindowLongPtrW(window, DWLP_USER, 0);
        m_hWnd = nullptr;
        DestroyWindow(window);
    }
}

HINSTANCE CDialog::ResourceModule() {
    // The module that holds this function's code holds the templates too; no DllMain bookkeeping needed.
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&CDialog::ResourceModule), &module);
    return module;
}

INT_PTR CDialog::DoModal() {
    // Unicode windows: a text set as UTF-16 is kept as it is (an ANSI window would take it through the system's
    // code page).
    m_modal = true;
    return DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(m_templateId), m_parent, &CDialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create() {
    m_modal = false;
    return CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(m_templateId), m_parent, &CDialog::DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    if (!m_hWnd) return;
    if (m_modal) {
        ::EndDialog(m_hWnd, result);
    } else {
        DestroyWindow(m_hWnd);
    }
}

std::string CDialog::itemText(int id) const {
    // Asked for its length first: nothing the operator typed is cut.
    HWND control = GetDlgItem(id);
    if (!control) return {};
    const int length = GetWindowTextLengthA(control);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int got = GetWindowTextA(control, buffer.data(), length + 1);
    return std::string(buffer.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

namespace {

std::wstring wide(const std::string& bytes, UINT codePage) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), length);
    return text;
}

} // namespace

void CDialog::setItemText(int id, const std::string& text, UINT codePage) {
    SetDlgItemTextW(m_hWnd, id, wide(text, codePage).c_str());
}

void CDialog::setWindowText(const std::string& text, UINT codePage) {
    if (m_hWnd) SetWindowTextW(m_hWnd, wide(text, codePage).c_str());
}

bool CDialog::ReadInitList(HINSTANCE module, UINT templateId, std::vector<InitEntry>& entries) {
    entries.clear();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(RT_VUVO_DLGINIT));
    if (!found) return true;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    return bytes && ParseInitList(bytes, SizeofResource(module, found), entries);
}

bool CDialog::ParseInitList(const unsigned char* bytes, std::size_t size, std::vector<InitEntry>& entries) {
    entries.clear();
    // Records of: WORD control id, WORD message, DWORD length, length bytes of text ending in a zero; a zero
    // control id ends the list.
    auto word = [&](std::size_t at) { return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8); };
    std::size_t at = 0;
    for (;;) {
        if (size < 2 || at > size - 2) return false;
        const unsigned control = word(at);
        if (control == 0) return true;
        if (at > size - 8) return false;
        const unsigned message = word(at + 2);
        const std::size_t length = word(at + 4) | static_cast<std::size_t>(word(at + 6)) << 16;
        at += 8;
        if (length > size - at) return false;
        const char* text = reinterpret_cast<const char*>(bytes + at);
        entries.push_back({static_cast<int>(control), message, std::string(text, strnlen(text, length))});
        at += length;
    }
}

BOOL CDialog::OnInitDialog() {
    std::vector<InitEntry> entries;
    ReadInitList(ResourceModule(), m_templateId, entries);
    for (const InitEntry& entry : entries) {
        // The 16-bit message numbers of the list mean today's "add a string".
        const UINT message = entry.message == 0x0401                        ? LB_ADDSTRING
                             : entry.message == VUVO_DLGINIT_CB_ADDSTRING ? CB_ADDSTRING
                                                                          : 0;
        if (message) {
            SendDlgItemMessageA(m_hWnd, entry.control, message, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
        }
    }
    return TRUE;
}

HBRUSH CDialog::OnCtlColor(HDC, HWND, UINT) { return nullptr; }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->m_hWnd = window;
    } else {
        self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet: the system's defaults serve.
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    // An exception must not unwind through the system's frames (that would crash the host).
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->m_hWnd = nullptr;
    }
    return result;
}

// OnMessage sees every message before the handlers: the main window takes its own check boxes' clicks (WM_COMMAND)
// there, and its own messages.
INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (OnMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_DRAWITEM: {
        // Reflected to the control's object, as MFC does.
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CButton* control = item && item->CtlType == ODT_BUTTON ? CButton::FromHandle(item->hwndItem) : nullptr;
        if (!control) return FALSE;
        control->DrawItem(*item);
        return TRUE;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        // A dialog procedure answers these with the brush itself, not through DWLP_MSGRESULT.
        return reinterpret_cast<INT_PTR>(OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                                    message - WM_CTLCOLORMSGBOX));
    case WM_COMMAND:
        // Enter, the default button and the OK button all arrive as IDOK; Escape and closing as IDCANCEL.
        if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// ---- CButton

namespace {
const wchar_t kControlObject[] = L"VuvoControlObject";
}

CButton::~CButton() { detach(); }

CButton* CButton::FromHandle(HWND control) {
    return control ? static_cast<CButton*>(GetPropW(control, kControlObject)) : nullptr;
}

void CButton::DrawItem(const DRAWITEMSTRUCT&) {}

// A Unicode procedure: the control's texts pass through unconverted.
bool CButton::SubclassDlgItem(UINT id, CDialog* parent) {
    HWND control = parent ? parent->GetDlgItem(static_cast<int>(id)) : nullptr;
    if (!control || m_hWnd || FromHandle(control)) return false;
    m_hWnd = control;
    PreSubclassWindow();
    if (!SetPropW(control, kControlObject, this)) {
        m_hWnd = nullptr;
        return false;
    }
    m_oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CButton::WindowProc)));
    if (!m_oldProc) {
        RemovePropW(control, kControlObject);
        m_hWnd = nullptr;
        return false;
    }
    return true;
}

void CButton::detach() {
    if (!m_hWnd) return;
    if (GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CButton::WindowProc)) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    }
    RemovePropW(m_hWnd, kControlObject);
    m_hWnd = nullptr;
}

// The object forgets a control that is being destroyed, so that it never acts on a dead (or reused) handle.
LRESULT CALLBACK CButton::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CButton* self = FromHandle(window);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC old = self->m_oldProc;
    if (message == WM_NCDESTROY) self->detach();
    return CallWindowProcW(old, window, message, wParam, lParam);
}
