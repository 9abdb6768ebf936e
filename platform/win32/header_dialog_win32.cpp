// The Cabrillo header dialog on Windows: template 101 of the plug-in's resources, run modally with no parent.
#include "platform/header_dialog.h"

#include <windows.h>

#include "platform/portable/ascii.h"
#include "platform/win32/dialog_win32.h"
#include "resources/resource.h"

namespace {

// The header dialog: the data exchange between the eighteen values and their controls.
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

using V = platform::HeaderDialogValues;

// Each control and the value it edits, in the template's order; combo boxes select from their lists.
const struct {
    int control;
    std::string V::*value;
    bool combo;
} kBindings[] = {
    {IDC_CAB_CONTEST, &V::contest, false},
    {IDC_CAB_CALLSIGN, &V::callsign, false},
    {IDC_CAB_CLAIMED, &V::claimed, false},
    {IDC_CAB_CATEGORY_OPERATOR, &V::categoryOperator, true},
    {IDC_CAB_LOCATION, &V::location, true},
    {IDC_CAB_CATEGORY_BAND, &V::categoryBand, true},
    {IDC_CAB_CATEGORY_MODE, &V::categoryMode, true},
    {IDC_CAB_CATEGORY_POWER, &V::categoryPower, true},
    {IDC_CAB_CATEGORY_TRANSMITTER, &V::categoryTransmitter, true},
    {IDC_CAB_NAME, &V::name, false},
    {IDC_CAB_ADDRESS, &V::address, false},
    {IDC_CAB_ADDRESS_CITY, &V::addressCity, false},
    {IDC_CAB_ADDRESS_POSTALCODE, &V::addressPostalCode, false},
    {IDC_CAB_ADDRESS_COUNTRY, &V::addressCountry, false},
    {IDC_CAB_OPERATORS, &V::operators, false},
    {IDC_CAB_CLUB, &V::club, false},
    {IDC_CAB_SOAPBOX, &V::soapbox, false},
    {IDC_CAB_EMAIL, &V::email, false},
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
    for (const auto& binding : kBindings) {
        std::string& value = m_values.*binding.value;
        if (save) {
            // A combo box gives the text of its edit part, typed or chosen.
            value = itemText(binding.control);
        } else if (binding.combo) {
            selectInCombo(binding.control, value);
        } else {
            setItemText(binding.control, value);
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
