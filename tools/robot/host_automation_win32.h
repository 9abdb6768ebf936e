// The host's automation object "Tarn2.Application" as the plug-in's windows reach it: frequency (property 2),
// entry text (method 8, field 5 is the call being typed) and command (method 16). It lives in the apartment of
// the thread that registers it, and answers only while that thread pumps messages.
#pragma once
#include <windows.h>

#include <oaidl.h>

#include <atomic>
#include <string>
#include <vector>

class HostAutomation : public IDispatch {
public:
    HostAutomation() = default;
    HostAutomation(const HostAutomation&) = delete;
    HostAutomation& operator=(const HostAutomation&) = delete;
    ~HostAutomation();

    // Initialises this thread's apartment, takes the live session (one per machine), removes the class entries
    // that sessions which ended without withdrawing left behind (each named in cleaned), writes the class entry that
    // CLSIDFromProgID reads (HKLM, where Wine looks; HKCU where HKLM cannot be written) and puts the object in the
    // running-object table. False, with why, when the object could not be offered; liveRefused set when another
    // live session runs or a class entry that hostsim did not write is in place (the real host's), which it then
    // neither overwrites nor removes.
    bool offer(std::string& why, std::vector<std::string>& cleaned);
    // Takes the object out of the table, cuts off the plug-in's proxies, removes the class entry it wrote and lets
    // the session go.
    void withdraw();
    // Removes the class entry it wrote while that still names this process and hostsim's class, and only that.
    void removeClassEntry();

    // What the host answers.
    std::wstring entry;
    double frequency = 0;
    DWORD slowMs = 0;
    bool failing = false; // every call answered with DISP_E_EXCEPTION, as a busy or closing host does
    bool liveRefused = false;
    // What it was told, and how often it was asked.
    std::vector<std::string> commands;
    std::string mode; // from the last "<MODE:...>" command; empty before one
    unsigned calls = 0;
    unsigned entryReads = 0;
    LARGE_INTEGER lastEntryRead{};

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT* badArgument) override;

private:
    // The three members the plug-in uses, once the call's kind and its number of arguments are right.
    HRESULT answerFrequency(VARIANT* result) const;
    HRESULT answerEntryText(DISPPARAMS* params, VARIANT* result, UINT* badArgument);
    HRESULT takeCommand(DISPPARAMS* params, UINT* badArgument);

    std::atomic<ULONG> m_references{1};
    bool m_comStarted = false;
    DWORD m_cookie = 0;
    HKEY m_classRoot = nullptr; // where the class entry was written, or null
    HANDLE m_session = nullptr; // the live session's mutex, held by this thread
};

// UTF-16 to UTF-8 and back.
std::string utf8(const wchar_t* text, int length);
std::wstring fromUtf8(const std::string& text);
