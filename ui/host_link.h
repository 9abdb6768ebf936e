// The host's automation object, as the window thread uses it: three operations, made on that thread only.
// Contract: without a link every operation returns at once, does nothing and succeeds with an empty answer (0 Hz,
// an empty text). A call that the host answers with an error (a busy or closing host) fails: no answer, or false;
// the caller ends what it was doing at that point. Nothing here throws for it.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace ui {

class HostLink {
public:
    virtual ~HostLink() = default;
    // Whether the host's object was found: a link that failed stays failed while the window lives.
    virtual bool linked() const = 0;
    // The host's current frequency in hertz (property 2); none when the call fails or the answer is no number.
    virtual std::optional<double> frequency() = 0;
    // The text of one of the host's entry fields (method 8); field 5 holds the call being typed.
    virtual std::optional<std::string> entryText(int field) = 0;
    // Hands the host a command text such as "<MODE:CW>" (method 16); false when the call fails.
    [[nodiscard]] virtual bool sendCommand(std::string_view command) = 0;
};

// The entry field that holds the call being typed.
inline constexpr int kCallField = 5;

} // namespace ui
