// Without windows: the native plug-in starts no window thread, so nothing ever calls the host's object. The host
// keeps its entry, frequency and mode for the call checks; every question about windows finds none open.
#include "live_host.h"

namespace {

class NoWindowsHost : public LiveHost {
public:
    bool hasWindows() const override { return false; }
    void setEntry(const std::string&) override {}
    void setFrequency(double hertz) override { m_frequency = hertz; }
    double frequency() const override { return m_frequency; }
    std::string mode(const std::string& fallback) const override { return fallback; }
    void setSlowAnswers(unsigned) override {}
    void setFailing(bool) override {}
    std::string refusal() const override { return {}; }
    void keystroke() override {}
    bool settle(std::string&) override { return true; }
    void pump() override {}
    bool click(int, std::string& why) override { return why = "no main window is open", false; }
    bool caption(const std::string&, std::string&) override { return false; }
    bool marks(const std::string&, std::vector<std::string>&, std::string& why) override {
        return why = "the window is not open", false;
    }
    bool picture(const std::string&, const std::string&, std::string& why) override {
        return why = "no display in this build", false;
    }
    std::vector<std::string> openWindows() override { return {}; }
    std::vector<std::string> takeCommands() override { return {}; }
    LiveTiming timing() const override { return {}; }
    unsigned callsAnswered() const override { return 0; }
    void forgetWindows() override {}
    void beforeExit() override {}

private:
    double m_frequency = 0;
};

} // namespace

std::unique_ptr<LiveHost> LiveHost::make() { return std::make_unique<NoWindowsHost>(); }
