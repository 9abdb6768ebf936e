#include "platform/win32/dialog_win32.h"

#include <cstring>
#include <vector>

#include "resources/resource.h"

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
    // A modeless window outliving its object would call into freed memory.
    if (m_hWnd && !m_modal) DestroyWindow(m_hWnd);
}

HINSTANCE CDialog::ResourceModule() {
    // The module that holds this function's code holds the templates too; no DllMain bookkeeping needed.
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&CDialog::ResourceModule), &module);
    return module;
}

INT_PTR CDialog::DoModal() {
    m_modal = true;
    return DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(m_templateId), m_parent, &CDialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create() {
    m_modal = false;
    return CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(m_templateId), m_parent, &CDialog::DialogProc,
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

void CDialog::setItemText(int id, const std::string& text) { SetDlgItemTextA(m_hWnd, id, text.c_str()); }

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

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->m_hWnd = window;
    } else {
        self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet: the system's defaults serve.
    if (!self) return FALSE;
    const INT_PTR result = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (OnMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
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
