// The host's automation object, as the window thread uses it: three operations, made on that thread only.
// Contract: without a link every operation returns at once and does nothing (results stay as given); a call the
// host answers with an error throws HostCallFailed, which ends the live update or window event at that point.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

namespace ui {

struct HostCallFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class HostLink {
public:
    virtual ~HostLink() = default;
    // Whether the host's object was found: a link that failed stays failed while the window lives.
    virtual bool linked() const = 0;
    // The host's current frequency in hertz (property 2).
    virtual double frequency() = 0;
    // The text of one of the host's entry fields (method 8); field 5 holds the call being typed.
    virtual std::string entryText(int field) = 0;
    // Hands the host a command text such as "<MODE:CW>" (method 16).
    virtual void sendCommand(std::string_view command) = 0;
};

// The entry field that holds the call being typed.
inline constexpr int kCallField = 5;

} // namespace ui
