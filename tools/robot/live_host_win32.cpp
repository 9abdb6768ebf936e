// The host's live side on Windows. The plug-in's windows are dialogs of its own window thread in this process;
// hostsim finds them through Win32 by the controls they hold, serves their calls to the host's object by pumping
// messages on the thread that calls the exports (as the host's main thread does), and looks at them on the screen.
#include "live_host.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "host_automation_win32.h"
#include "window_picture.h"

namespace {

constexpr COLORREF kWorkedFace = RGB(255, 0, 255);
constexpr COLORREF kNotWorkedFace = RGB(0, 255, 0);
constexpr WPARAM kMarkerTag = 0x56555630; // "VUV0": the marker hostsim posts behind the plug-in's own messages
constexpr int kDxccPanel = 1003;

// Seen on the window thread by the message hook, read on the host's thread.
std::atomic<LONG> g_markerSeen{0};
std::atomic<long long> g_markerTime{0};
std::atomic<HWND> g_panel{nullptr};
std::atomic<long long> g_panelPaintTime{0};

long long now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double milliseconds(long long from, long long to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to - from) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Runs on the window thread for every message it takes from its queue.
LRESULT CALLBACK takenMessage(int code, WPARAM removal, LPARAM lParam) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (msg.message == WM_NULL && msg.wParam == kMarkerTag) {
            g_markerTime = now();
            g_markerSeen = static_cast<LONG>(msg.lParam);
        } else if (msg.message == WM_PAINT && msg.hwnd && msg.hwnd == g_panel.load() && g_panelPaintTime == 0) {
            g_panelPaintTime = now();
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

void CALLBACK roundTripDone(HWND, UINT, ULONG_PTR done, LRESULT) { *reinterpret_cast<bool*>(done) = true; }

// Serves whatever waits in this thread's queue: the plug-in's calls to the host's object come as messages.
void pumpWaiting() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        pumpWaiting();
    } while (GetTickCount() - start < ms);
}

struct PluginWindows {
    HWND master = nullptr, dxcc = nullptr, county = nullptr, zone = nullptr;
    DWORD hostThread = 0;
};

bool hasItem(HWND window, int id) { return GetDlgItem(window, id) != nullptr; }

// The plug-in's windows by the controls their templates hold: the main window 1106-1110, 1123 and 1124; the
// DXCC window only 1003; the county grid 50 buttons with 1015; the zone grid 40 with 1106-1109 but no 1124.
BOOL CALLBACK classify(HWND window, LPARAM into) {
    auto& found = *reinterpret_cast<PluginWindows*>(into);
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process != GetCurrentProcessId() || thread == found.hostThread || lstrcmpW(className, L"#32770") != 0 ||
        !IsWindowVisible(window))
        return TRUE;
    if (hasItem(window, 1124) && hasItem(window, 1110)) {
        found.master = window;
    } else if (hasItem(window, 1106) && hasItem(window, 1109)) {
        found.zone = window;
    } else if (hasItem(window, 1015)) {
        found.county = window;
    } else if (hasItem(window, kDxccPanel)) {
        found.dxcc = window;
    }
    return TRUE;
}

std::string titleOf(HWND window) {
    wchar_t text[512] = {};
    const int n = InternalGetWindowText(window, text, 512);
    return utf8(text, n);
}

class Win32LiveHost : public LiveHost {
public:
    Win32LiveHost() : m_hostThread(GetCurrentThreadId()) {
        std::string why;
        std::vector<std::string> cleaned;
        const bool offered = m_object.offer(why, cleaned);
        for (const std::string& c : cleaned) std::fprintf(stderr, "hostsim: %s\n", c.c_str());
        if (offered) return;
        if (m_object.liveRefused) m_refusal = why + "; the live steps are refused";
        std::fprintf(stderr, "hostsim: %s\n",
                     (m_object.liveRefused ? m_refusal : why + "; the plug-in's windows find no host").c_str());
    }
    ~Win32LiveHost() override {
        forgetWindows();
        m_object.withdraw();
    }

    bool hasWindows() const override { return true; }
    void setEntry(const std::string& text) override { m_object.entry = fromUtf8(text); }
    void setFrequency(double hertz) override { m_object.frequency = hertz; }
    void setFailing(bool on) override { m_object.failing = on; }
    std::string refusal() const override { return m_refusal; }
    double frequency() const override { return m_object.frequency; }
    std::string mode(const std::string& fallback) const override {
        return m_object.mode.empty() ? fallback : m_object.mode;
    }
    void setSlowAnswers(unsigned ms) override { m_object.slowMs = ms; }

    void keystroke() override {
        pumpWaiting();
        m_keyTime = now();
        m_entryReadsAtKey = m_object.entryReads;
        m_markerAtKey = m_markerSequence + 1;
        g_panelPaintTime = 0;
    }

    // Two steps. Everything posted to the window thread so far has been taken once a marker posted behind it
    // comes through (its queue is first in, first out). Then the thread is idle: sent messages reach it only while
    // it waits for messages or for one of its calls to the host, so two round trips some time apart with no call
    // of the host meanwhile find it waiting with nothing left to do.
    bool settle(std::string& why) override {
        const PluginWindows found = find();
        if (!found.master) return pumpWaiting(), true;
        watch(found);
        const DWORD start = GetTickCount();
        const DWORD limit = 20000 + 10 * m_object.slowMs;
        auto late = [&] { return GetTickCount() - start > limit; };
        const LONG marker = ++m_markerSequence;
        PostMessageW(found.master, WM_NULL, kMarkerTag, marker);
        while (g_markerSeen < marker && IsWindow(found.master)) {
            if (late()) return why = "the main window took nothing from its queue for " + seconds(limit), false;
            pumpFor(5);
        }
        for (int quiet = 0; quiet < 2 && IsWindow(found.master);) {
            const unsigned before = m_object.calls;
            bool done = false;
            if (!SendMessageCallbackW(found.master, WM_NULL, 0, 0, roundTripDone, reinterpret_cast<ULONG_PTR>(&done)))
                break;
            while (!done && IsWindow(found.master)) {
                if (late()) return why = "the main window answered nothing for " + seconds(limit), false;
                pumpFor(5);
            }
            pumpFor(30);
            quiet = m_object.calls == before ? quiet + 1 : 0;
        }
        return true;
    }

    void pump() override { pumpWaiting(); }

    bool click(int id, std::string& why) override {
        const PluginWindows found = find();
        if (!found.master) return why = "the main window is not open", false;
        HWND box = GetDlgItem(found.master, id);
        if (!box) return why = "the main window has no control " + std::to_string(id), false;
        // Sent, not waited for: the click's handler calls the host, which answers only while this thread pumps.
        bool done = false;
        if (!SendMessageCallbackW(box, BM_CLICK, 0, 0, roundTripDone, reinterpret_cast<ULONG_PTR>(&done)))
            return why = "the click could not be sent", false;
        const DWORD start = GetTickCount();
        while (!done && IsWindow(box)) {
            if (GetTickCount() - start > 20000 + 10 * m_object.slowMs) return why = "the click was not handled", false;
            pumpFor(5);
        }
        return settle(why);
    }

    bool caption(const std::string& name, std::string& text) override {
        HWND window = byName(find(), name);
        if (!window) return false;
        text = titleOf(window);
        return true;
    }

    bool marks(const std::string& name, std::vector<std::string>& labels, std::string& why) override {
        HWND grid = byName(find(), name);
        if (!grid) return why = "the " + name + " window is not open", false;
        window_picture::Picture shot;
        if (!shootWindow(grid, shot, why)) return false;
        for (HWND button = GetWindow(grid, GW_CHILD); button; button = GetWindow(button, GW_HWNDNEXT)) {
            RECT r;
            if (!GetWindowRect(button, &r)) continue;
            int worked = 0, notWorked = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) {
                    if (x < shot.frame.left || y < shot.frame.top || x >= shot.frame.right || y >= shot.frame.bottom)
                        continue;
                    const COLORREF c = shot.at(x, y);
                    worked += c == kWorkedFace;
                    notWorked += c == kNotWorkedFace;
                }
            if (worked > notWorked) labels.push_back(titleOf(button));
        }
        return true;
    }

    bool picture(const std::string& path, const std::string& window, std::string& why) override {
        window_picture::Picture shot;
        if (window == "screen") {
            pumpFor(200);
            if (!window_picture::readScreen(window_picture::wholeScreen(), shot, why)) return false;
        } else {
            HWND target = byName(find(), window);
            if (!target) return why = "the " + window + " window is not open", false;
            if (!shootWindow(target, shot, why)) return false;
        }
        return window_picture::saveBmp(shot, path, why);
    }

    std::vector<std::string> openWindows() override {
        const PluginWindows found = find();
        std::vector<std::string> names;
        for (const char* name : {"master", "dxcc", "county", "zone"})
            if (byName(found, name)) names.emplace_back(name);
        return names;
    }

    std::vector<std::string> takeCommands() override {
        pumpWaiting();
        return std::exchange(m_object.commands, {});
    }

    LiveTiming timing() const override {
        LiveTiming t;
        if (m_object.entryReads > m_entryReadsAtKey)
            t.callRead = milliseconds(m_keyTime, m_object.lastEntryRead.QuadPart);
        if (g_markerSeen >= m_markerAtKey) t.passDone = milliseconds(m_keyTime, g_markerTime);
        if (g_panelPaintTime != 0) t.panelPainted = milliseconds(m_keyTime, g_panelPaintTime);
        return t;
    }

    unsigned callsAnswered() const override { return m_object.calls; }

    void forgetWindows() override {
        if (m_hook) UnhookWindowsHookEx(m_hook);
        m_hook = nullptr;
        m_hookedThread = 0;
        g_panel = nullptr;
    }

    void beforeExit() override {
        forgetWindows();
        m_object.removeClassEntry();
    }

private:
    PluginWindows find() const {
        PluginWindows found;
        found.hostThread = m_hostThread;
        EnumWindows(classify, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    static HWND byName(const PluginWindows& found, const std::string& name) {
        if (name == "master") return found.master;
        if (name == "dxcc") return found.dxcc;
        if (name == "county") return found.county;
        if (name == "zone") return found.zone;
        return nullptr;
    }

    static std::string seconds(DWORD ms) { return std::to_string(ms / 1000) + " s"; }

    // The hook that sees what the window thread takes from its queue; set again for a new window thread.
    void watch(const PluginWindows& found) {
        const DWORD thread = GetWindowThreadProcessId(found.master, nullptr);
        if (thread != m_hookedThread) {
            forgetWindows();
            m_hook = SetWindowsHookExW(WH_GETMESSAGE, takenMessage, nullptr, thread);
            if (m_hook) m_hookedThread = thread;
        }
        g_panel = found.dxcc ? GetDlgItem(found.dxcc, kDxccPanel) : nullptr;
    }

    // The window as the screen shows it, once its thread has painted it and handed its pixels to the display.
    // Brought to the front first: an inactive window of Wine's may keep showing older pixels on the screen.
    bool shootWindow(HWND window, window_picture::Picture& shot, std::string& why) {
        window_picture::bringToFront(window);
        pumpFor(300);
        return window_picture::readWindow(window, shot, why);
    }

    HostAutomation m_object;
    DWORD m_hostThread;
    std::string m_refusal;
    HHOOK m_hook = nullptr;
    DWORD m_hookedThread = 0;
    LONG m_markerSequence = 0;
    LONG m_markerAtKey = 1;
    long long m_keyTime = 0;
    unsigned m_entryReadsAtKey = 0;
};

} // namespace

std::unique_ptr<LiveHost> LiveHost::make() { return std::make_unique<Win32LiveHost>(); }
