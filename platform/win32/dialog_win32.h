// A dialog built from a template of the plug-in's resources, over plain Win32. The window finds its object
// through DWLP_USER (stored at WM_INITDIALOG); every later message goes to the object's virtual handlers.
// The windows are Unicode: texts given as bytes are converted from their code page explicitly.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The code page of the Russian window texts, which are held as bytes.
constexpr UINT kCyrillicCodePage = 1251;

class CDialog {
public:
    // No parent: the plug-in's windows stand on their own beside the host's.
    explicit CDialog(UINT templateId, HWND parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally: the code it ended with (IDOK, IDCANCEL), or -1 when it could not be made.
    INT_PTR DoModal();
    // Makes the dialog modeless (visible only when the template says so); false when it could not be made.
    // The caller's message loop must hand its messages to IsDialogMessage.
    bool Create();
    // Ends a modal dialog with this code, destroys a modeless one.
    void EndDialog(INT_PTR result);

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::string itemText(int id) const;
    // The texts are bytes in codePage, set as UTF-16 (so they read right whatever the system's code page).
    void setItemText(int id, const std::string& text, UINT codePage = CP_ACP);
    void setWindowText(const std::string& text, UINT codePage = CP_ACP);

    // The module whose resources hold the templates: the one this code is linked into (the plug-in's DLL).
    static HINSTANCE ResourceModule();
    // The entries of a template's initialisation list (resource type RT_VUVO_DLGINIT): which control, which
    // message (the 16-bit numbers 0x0401 add to a list box, 0x0403 add to a combo box) and its text.
    struct InitEntry {
        int control;
        unsigned message;
        std::string text;
    };
    // False when the template has a list that does not parse; an absent list is an empty one.
    static bool ReadInitList(HINSTANCE module, UINT templateId, std::vector<InitEntry>& entries);
    static bool ParseInitList(const unsigned char* bytes, std::size_t size, std::vector<InitEntry>& entries);

protected:
    // Fills the controls from the template's initialisation list; true lets the system focus the first control.
    virtual BOOL OnInitDialog();
    // Enter or the OK button.
    virtual void OnOK() { EndDialog(IDOK); }
    // Escape, the Cancel button or closing the window.
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // The colour query of the dialog itself and of each control (type: CTLCOLOR_DLG, CTLCOLOR_BTN, ...): a brush
    // for the background, or nullptr for the system's.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);
    // Every message, first: true when handled, with the dialog procedure's answer in result; false passes it on to
    // the handlers above, and an owner-draw request from a control taken over by a CButton to that object's
    // DrawItem.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    HWND m_parent;
    bool m_modal = false;
};

// A button of a dialog taken over by an object (MFC's SubclassDlgItem): the control's messages pass through it,
// and its dialog hands it the owner-draw requests that the control sends (reflection).
class CButton {
public:
    CButton() = default;
    // Gives the control its own window procedure back.
    virtual ~CButton();
    CButton(const CButton&) = delete;
    CButton& operator=(const CButton&) = delete;

    // Takes over the parent's control with this id; false (and nothing changed) when there is none, or it is
    // taken over already, or this object holds a control already.
    bool SubclassDlgItem(UINT id, CDialog* parent);
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object that holds the control, nullptr for none.
    static CButton* FromHandle(HWND control);

    // Paints the control when the system asks its owner to (owner-draw style).
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

protected:
    // Runs just before the object takes the control over, with m_hWnd set.
    virtual void PreSubclassWindow() {}

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void detach();

    WNDPROC m_oldProc = nullptr;
};
