// The Cabrillo header dialog on Windows: template 101 of the plug-in's resources, run modally with no parent.
#include "platform/header_dialog.h"

#include <windows.h>

#include "platform/portable/ascii.h"
#include "platform/win32/dialog_win32.h"
#include "resources/resource.h"

namespace {

// The header dialog: the data exchange between the values and the boxes they name.
class Cabrillo : public CDialog {
public:
    explicit Cabrillo(platform::HeaderDialogValues& values) : CDialog(IDD_CABRILLO), m_values(values) {}

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void DoDataExchange(bool save);
    void selectInCombo(int control, const std::string& value);

    platform::HeaderDialogValues& m_values;
};

BOOL Cabrillo::OnInitDialog() {
    CDialog::OnInitDialog();
    DoDataExchange(false);
    // The host's thread waits for the operator's answer: keep the dialog in front of the host's window and of
    // the plug-in's always-on-top main window, which would otherwise cover it.
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(m_hWnd);
    return TRUE;
}

void Cabrillo::OnOK() {
    DoDataExchange(true);
    EndDialog(IDOK);
}

void Cabrillo::DoDataExchange(bool save) {
    for (platform::HeaderDialogEntry& entry : m_values) {
        if (save) {
            // A combo box gives the text of its edit part, typed or chosen.
            entry.value = itemText(entry.box.control);
        } else if (entry.box.combo) {
            selectInCombo(entry.box.control, entry.value);
        } else {
            setItemText(entry.box.control, entry.value);
        }
    }
}

// The first entry that begins with the value, letter case ignored; when none does, the value as it is.
void Cabrillo::selectInCombo(int control, const std::string& value) {
    HWND combo = GetDlgItem(control);
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
        if (length < 0) continue;
        std::string entry(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(static_cast<std::size_t>(length));
        if (ascii::startsWithNoCase(entry, value)) {
            SendMessageA(combo, CB_SETCURSEL, i, 0);
            return;
        }
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextA(combo, value.c_str());
}

} // namespace

namespace platform {

HeaderDialogOutcome runHeaderDialog(HeaderDialogValues& values) {
    // The dialog edits a copy: only OK hands the values back, a cancelled or failed dialog leaves them as given.
    HeaderDialogValues edited = values;
    Cabrillo dialog(edited);
    const INT_PTR answer = dialog.DoModal();
    // DialogBoxParam gives 0 for a missing parent and -1 for any other failure to make the dialog.
    if (answer == -1 || answer == 0) return HeaderDialogOutcome::failed;
    if (answer != IDOK) return HeaderDialogOutcome::cancelled;
    values = edited;
    return HeaderDialogOutcome::confirmed;
}

} // namespace platform
