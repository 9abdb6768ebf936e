// The link to the host's automation object "Tarn2.Application" over IDispatch: frequency (property 2), entry
// text (method 8) and command (method 16). Made and used on the window thread only, in its apartment.
#pragma once
#include <windows.h>

#include <oaidl.h>

#include "ui/host_link.h"

class CHostLink : public ui::HostLink {
public:
    CHostLink() = default;
    ~CHostLink() override;
    CHostLink(const CHostLink&) = delete;
    CHostLink& operator=(const CHostLink&) = delete;

    // Finds the running host object; without one the link stays empty and every operation does nothing. The
    // thread's apartment must be initialised.
    void LinkToHost();
    // Lets the host's object go (before the apartment ends).
    void Release();

    bool linked() const override { return m_dispatch != nullptr; }
    std::optional<double> frequency() override;
    std::optional<std::string> entryText(int field) override;
    bool sendCommand(std::string_view command) override;

private:
    // False when the host answers with an error.
    bool invoke(DISPID id, WORD flags, VARIANT* argument, VARIANT* result);

    IDispatch* m_dispatch = nullptr;
};
