// The host's live side in a script session: the entry the operator types into and the frequency the host is
// tuned to, the host's automation object that the plug-in's windows call, and the operator's eyes and hands at
// those windows. On Windows all of it is real (live_host_win32.cpp); natively the plug-in opens no window and
// this keeps only the entry, the frequency and the mode (live_host_posix.cpp).
#pragma once
#include <memory>
#include <string>
#include <vector>

// How long the latest keystroke took to reach the windows, in milliseconds from its CheckCall0; negative: not seen.
struct LiveTiming {
    double callRead = -1;     // the window asked the host for the typed call (method 8)
    double passDone = -1;     // the window thread took its next message after the live update
    double panelPainted = -1; // the DXCC panel painted after it
};

class LiveHost {
public:
    // Made before the plug-in is loaded and dropped after it is unloaded: on Windows it registers the host's
    // object "Tarn2.Application" (class entry, then the running-object table) on the calling thread.
    static std::unique_ptr<LiveHost> make();
    virtual ~LiveHost() = default;

    // Whether the plug-in has windows to look at in this build.
    virtual bool hasWindows() const = 0;

    virtual void setEntry(const std::string& text) = 0;
    virtual void setFrequency(double hertz) = 0;
    virtual double frequency() const = 0;
    // The host's mode: the last "<MODE:CW>" / "<MODE:SSB>" the plug-in sent, else fallback.
    virtual std::string mode(const std::string& fallback) const = 0;
    // Every later call of the plug-in is answered this many milliseconds late.
    virtual void setSlowAnswers(unsigned milliseconds) = 0;
    // While on, every call of the plug-in is answered with an error, as a busy or closing host answers.
    virtual void setFailing(bool on) = 0;
    // Why the live steps cannot run in this session (the host's own class entry is in place); empty when they can.
    virtual std::string refusal() const = 0;

    // A keystroke's CheckCall0 is about to be made: the clock of its timing starts.
    virtual void keystroke() = 0;
    // Serves the plug-in's calls until its window thread has handled everything asked of it so far and waits for
    // messages; false with why when that did not happen within the limit. True at once without a window.
    virtual bool settle(std::string& why) = 0;
    // Serves the plug-in's calls that are waiting, without waiting for any.
    virtual void pump() = 0;

    // Clicks a control of the main window (BM_CLICK, sent while serving the plug-in's calls), then settles.
    virtual bool click(int id, std::string& why) = 0;
    // The title of a plug-in window as UTF-8 ("master", "dxcc", "county", "zone"); false when it is not open.
    virtual bool caption(const std::string& window, std::string& text) = 0;
    // The labels of the grid's buttons that show the worked colour, in the grid's order.
    virtual bool marks(const std::string& window, std::vector<std::string>& labels, std::string& why) = 0;
    // Saves a BMP file of one window ("master", ...) or of the whole screen ("screen") at path.
    virtual bool picture(const std::string& path, const std::string& window, std::string& why) = 0;
    // The plug-in windows open now, by name, in the order master, dxcc, county, zone.
    virtual std::vector<std::string> openWindows() = 0;
    // The commands (method 16) received since the last call, oldest first.
    virtual std::vector<std::string> takeCommands() = 0;
    virtual LiveTiming timing() const = 0;
    // How many calls the host's object has answered so far.
    virtual unsigned callsAnswered() const = 0;
    // The plug-in is about to be unloaded: nothing of its windows is watched any more.
    virtual void forgetWindows() = 0;
    // The process is about to end at once: the host's class entry goes first, so that no later session finds it.
    virtual void beforeExit() = 0;
};

// The names of the windows, as the steps take them.
inline bool isWindowName(const std::string& name) {
    return name == "master" || name == "dxcc" || name == "county" || name == "zone";
}
