// The operator at the real header dialog and message boxes of the Windows plug-in, on a thread of hostsim's that
// watches this process's windows while the host's thread sits in the plug-in's modal loops.
#include "dialog_operator.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "window_picture.h"

namespace {

const char* const kHeaderCaption = "JIDX-CW/SSB Contest";

// The header dialog's boxes by the labels beside them.
const struct {
    const char* label;
    int id;
} kBoxes[] = {
    {"CONTEST", IDC_CAB_CONTEST},
    {"CALLSIGN", IDC_CAB_CALLSIGN},
    {"CLAIMED", IDC_CAB_CLAIMED},
    {"CATEGORY-OPERATOR", IDC_CAB_CATEGORY_OPERATOR},
    {"LOCATION", IDC_CAB_LOCATION},
    {"CATEGORY-BAND", IDC_CAB_CATEGORY_BAND},
    {"CATEGORY-MODE", IDC_CAB_CATEGORY_MODE},
    {"CATEGORY-POWER", IDC_CAB_CATEGORY_POWER},
    {"CATEGORY-TRANSMITTER", IDC_CAB_CATEGORY_TRANSMITTER},
    {"NAME", IDC_CAB_NAME},
    {"ADDRESS", IDC_CAB_ADDRESS},
    {"ADDRESS-CITY", IDC_CAB_ADDRESS_CITY},
    {"ADDRESS-POSTALCODE", IDC_CAB_ADDRESS_POSTALCODE},
    {"ADDRESS-COUNTRY", IDC_CAB_ADDRESS_COUNTRY},
    {"OPERATORS", IDC_CAB_OPERATORS},
    {"CLUB", IDC_CAB_CLUB},
    {"SOAPBOX", IDC_CAB_SOAPBOX},
    {"E-MAIL", IDC_CAB_EMAIL},
};

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

// A value as an edit box holds it: "\n" written out, or a line break, becomes CR LF.
std::string asBoxText(const std::string& value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n') {
            text += "\r\n";
            ++i;
        } else if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
            text += "\r\n";
            ++i;
        } else if (value[i] == '\n' || value[i] == '\r') {
            text += "\r\n";
        } else {
            text += value[i];
        }
    }
    return text;
}

// The text of a message box: Windows gives it the id 0xFFFF; failing that, its first non-empty static text.
std::string messageText(HWND box) {
    if (HWND text = GetDlgItem(box, 0xFFFF)) return windowText(text);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") == 0 && GetWindowTextLengthA(child) > 0) return windowText(child);
    }
    return {};
}

// A picture of what the screen shows at the window's place, as a 24-bit BMP file. None is no failure of the run:
// the pictures are there for people to look at.
void savePicture(HWND window, const std::string& path) {
    window_picture::Picture picture;
    std::string why;
    if (window_picture::readWindow(window, picture, why)) window_picture::saveBmp(picture, path, why);
}

class Operator {
public:
    void answer(const std::vector<std::pair<std::string, std::string>>& answers, bool cancel) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_answers = answers;
            m_cancel = cancel;
        }
        start();
    }

    void start() {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_thread.joinable()) m_thread = std::thread([this] { watch(); });
    }

    std::vector<std::string> takeMessages() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return std::exchange(m_messages, {});
    }

    ~Operator() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
    }

private:
    void watch() {
        while (!m_stop) {
            std::vector<HWND> dialogs;
            EnumWindows(collect, reinterpret_cast<LPARAM>(&dialogs));
            for (HWND dialog : dialogs) {
                if (m_handled.count(dialog)) continue;
                m_handled.insert(dialog);
                if (windowText(dialog) == kHeaderCaption) {
                    fillAndClose(dialog);
                } else if (isMessageBox(dialog)) {
                    readAndDismiss(dialog);
                }
            }
            // Windows closed are forgotten, so that a new one given the same handle is seen.
            for (auto it = m_handled.begin(); it != m_handled.end();) {
                it = IsWindow(*it) ? std::next(it) : m_handled.erase(it);
            }
            Sleep(15);
        }
    }

    // The plug-in's own windows come from its templates: their module is the one with the plug-in's exports.
    // Every other dialog is a message box.
    static bool isMessageBox(HWND dialog) {
        const auto module = reinterpret_cast<HMODULE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
        return module == nullptr || GetProcAddress(module, "ResetStats0") == nullptr;
    }

    // The visible dialog-class windows of this process.
    static BOOL CALLBACK collect(HWND window, LPARAM into) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (process == GetCurrentProcessId() && lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
            reinterpret_cast<std::vector<HWND>*>(into)->push_back(window);
        }
        return TRUE;
    }

    void fillAndClose(HWND dialog) {
        std::vector<std::pair<std::string, std::string>> answers;
        bool cancel;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            answers = m_answers;
            cancel = m_cancel;
        }
        for (const auto& [label, value] : answers) {
            for (const auto& box : kBoxes) {
                if (label == box.label) SetDlgItemTextA(dialog, box.id, asBoxText(value).c_str());
            }
        }
        ++m_pictures;
        if (const char* folder = std::getenv("VUVO_ARTIFACTS"); folder != nullptr && *folder != '\0') {
            const char* name = std::getenv("VUVO_PICTURE_NAME");
            SetForegroundWindow(dialog);
            UpdateWindow(dialog);
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            Sleep(200);
            savePicture(dialog, std::string(folder) + "\\" + (name && *name ? name : "hostsim") + "_dialog" +
                                    std::to_string(m_pictures) + ".bmp");
        }
        // Pressed through the dialog's own loop, as a click would be.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(cancel ? IDCANCEL : IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, cancel ? IDCANCEL : IDOK)));
    }

    // Kept before the box is dismissed: the plug-in's call returns only after that, with the text in place.
    void readAndDismiss(HWND box) {
        const std::string text = messageText(box);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_messages.push_back(text);
        }
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    }

    std::mutex m_mutex;
    std::vector<std::pair<std::string, std::string>> m_answers;
    bool m_cancel = false;
    std::vector<std::string> m_messages;
    std::atomic<bool> m_stop{false};
    std::set<HWND> m_handled;
    int m_pictures = 0;
    std::thread m_thread;
};

Operator& theOperator() {
    static Operator instance;
    return instance;
}

} // namespace

void answerHeaderDialogs(const std::vector<std::pair<std::string, std::string>>& answers, bool cancel) {
    theOperator().answer(answers, cancel);
}

void watchMessages() { theOperator().start(); }

std::vector<std::string> takeMessages() { return theOperator().takeMessages(); }
