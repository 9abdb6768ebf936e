#include "host_automation_win32.h"

#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <utility>

namespace {

constexpr wchar_t kProgId[] = L"Tarn2.Application";
constexpr wchar_t kClassKey[] = L"Software\\Classes\\Tarn2.Application";
// hostsim's own class id for the host's object: the plug-in finds the object by its programmatic id.
constexpr CLSID kHostClass = {0x47a8d824, 0xce08, 0x4cf6, {0xb6, 0x98, 0x76, 0x76, 0xcd, 0xb9, 0xbe, 0xd6}};
constexpr wchar_t kHostClassText[] = L"{47A8D824-CE08-4CF6-B698-7676CDB9BED6}";

constexpr DISPID kFrequency = 2;
constexpr DISPID kEntryText = 8;
constexpr DISPID kCommand = 16;
constexpr LONG kCallField = 5;

constexpr wchar_t kProcessValue[] = L"hostsim process";
// Held by the live session that offers the object, for as long as it does: the system drops it with the process,
// however that ends, so a class entry of hostsim's while nobody holds it is one a session left behind. Global: the
// entry under HKLM is seen by every logon session.
constexpr wchar_t kSessionMutex[] = L"Global\\hostsim.Tarn2.Application";

// Whose class entry lies under root: none, hostsim's own (one subkey CLSID naming hostsim's class, and at most the
// value naming the process that wrote it) or another's, the real host's registration. process: the writer's id, 0
// when the entry names none.
enum class EntryOwner { none, hostsim, other };
EntryOwner classEntryOwner(HKEY root, DWORD& process) {
    process = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kClassKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return EntryOwner::none;
    DWORD subkeys = 0, values = 0;
    wchar_t clsid[64] = L"";
    DWORD size = sizeof clsid, processSize = sizeof process;
    const bool counted = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                          nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    const bool read = RegGetValueW(key, L"CLSID", nullptr, RRF_RT_REG_SZ, nullptr, clsid, &size) == ERROR_SUCCESS;
    const bool named = RegGetValueW(key, nullptr, kProcessValue, RRF_RT_REG_DWORD, nullptr, &process,
                                    &processSize) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (!named) process = 0;
    const bool ours = counted && read && subkeys == 1 && values == (named ? 1u : 0u) &&
                      _wcsicmp(clsid, kHostClassText) == 0;
    return ours ? EntryOwner::hostsim : EntryOwner::other;
}

// Makes Software\Classes\Tarn2.Application under root, naming this process and hostsim's class. Only a key it
// creates is written: one already there is somebody's (hostsim's own left-overs are gone by now), and false with
// taken set. A half-written entry is removed again.
bool writeClassEntry(HKEY root, bool& taken) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    taken = false;
    if (RegCreateKeyExW(root, kClassKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, &disposition) != ERROR_SUCCESS)
        return false;
    if (disposition != REG_CREATED_NEW_KEY) {
        RegCloseKey(key);
        return taken = true, false;
    }
    const DWORD process = GetCurrentProcessId();
    HKEY clsid = nullptr;
    bool written = RegSetValueExW(key, kProcessValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&process),
                                  sizeof process) == ERROR_SUCCESS &&
                   RegCreateKeyExW(key, L"CLSID", 0, nullptr, 0, KEY_WRITE, nullptr, &clsid, nullptr) == ERROR_SUCCESS;
    if (written)
        written = RegSetValueExW(clsid, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kHostClassText),
                                 sizeof kHostClassText) == ERROR_SUCCESS;
    if (clsid) RegCloseKey(clsid);
    RegCloseKey(key);
    if (!written) RegDeleteTreeW(root, kClassKey);
    return written;
}

const char* rootName(HKEY root) { return root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU"; }

std::string foreignEntry(HKEY root) {
    return std::string(rootName(root)) + "\\Software\\Classes\\Tarn2.Application is the host's own registration; "
                                         "hostsim leaves it as it is and offers no automation object";
}

} // namespace

std::string utf8(const wchar_t* text, int length) {
    if (text == nullptr || length <= 0) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring fromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

HostAutomation::~HostAutomation() { withdraw(); }

bool HostAutomation::offer(std::string& why, std::vector<std::string>& cleaned) {
    const HRESULT com = CoInitialize(nullptr);
    if (FAILED(com)) return why = "cannot start COM on the host's thread", false;
    m_comStarted = true;
    // One live session at a time: a second would find the first one's object by the same class and take over its
    // entry.
    m_session = CreateMutexW(nullptr, FALSE, kSessionMutex);
    if (!m_session) return why = "cannot tell whether another hostsim live session runs", false;
    const DWORD waited = WaitForSingleObject(m_session, 0);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(m_session);
        m_session = nullptr;
        DWORD process = 0;
        std::string other = "another hostsim live session";
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            if (!process && classEntryOwner(root, process) == EntryOwner::hostsim && process)
                other += " (process " + std::to_string(process) + ")";
        liveRefused = true;
        return why = other + " has Tarn2.Application; this one offers no automation object", false;
    }
    // No other session runs: an entry of hostsim's is one that a session killed midway left behind. In HKCU it would
    // shadow the real host registered in HKLM later, and the plug-in would never reach that host.
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        DWORD process = 0;
        if (classEntryOwner(root, process) != EntryOwner::hostsim) continue;
        const std::string entry = std::string(rootName(root)) + "\\Software\\Classes\\Tarn2.Application";
        const std::string whose = process ? "the class entry of hostsim process " + std::to_string(process)
                                          : std::string("a class entry of hostsim's");
        if (RegDeleteTreeW(root, kClassKey) != ERROR_SUCCESS)
            return why = "cannot remove " + entry + ", " + whose + ", whose session ended without removing it", false;
        cleaned.push_back("removed " + entry + ", " + whose + ", whose session ended without removing it");
    }
    // On an operator's machine the entry is the real host's registration: never overwritten, never removed.
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        DWORD process = 0;
        if (classEntryOwner(root, process) == EntryOwner::other)
            return liveRefused = true, why = foreignEntry(root), false;
    }
    // Wine's CLSIDFromProgID reads HKLM only; a Windows user without the right to write there has HKCU, which the
    // system merges into the classes it reads.
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        bool taken = false;
        if (writeClassEntry(root, taken)) {
            m_classRoot = root;
            break;
        }
        if (taken) return liveRefused = true, why = foreignEntry(root), false;
    }
    if (!m_classRoot) return why = "cannot register the class of Tarn2.Application", false;
    CLSID found{};
    if (FAILED(CLSIDFromProgID(kProgId, &found)) || found != kHostClass)
        return why = "Tarn2.Application does not name this host's class", false;
    if (FAILED(RegisterActiveObject(this, kHostClass, ACTIVEOBJECT_STRONG, &m_cookie)))
        return why = "cannot put Tarn2.Application in the running-object table", false;
    return true;
}

void HostAutomation::withdraw() {
    if (m_cookie) RevokeActiveObject(m_cookie, nullptr);
    m_cookie = 0;
    if (m_comStarted) CoDisconnectObject(this, 0);
    removeClassEntry();
    if (m_comStarted) CoUninitialize();
    m_comStarted = false;
    // Only once the entry is gone: the next session must not find it while nobody holds the session.
    if (m_session) {
        ReleaseMutex(m_session);
        CloseHandle(m_session);
    }
    m_session = nullptr;
}

// Looked at again first: a program that wrote its own entry over hostsim's during the session (the real host
// installed meanwhile) keeps it. Allocates nothing: it runs on the way out.
void HostAutomation::removeClassEntry() {
    if (!m_classRoot) return;
    DWORD process = 0;
    const EntryOwner owner = classEntryOwner(m_classRoot, process);
    if (owner == EntryOwner::hostsim && process == GetCurrentProcessId())
        RegDeleteTreeW(m_classRoot, kClassKey);
    else if (owner != EntryOwner::none)
        std::fprintf(stderr, "hostsim: %s\\Software\\Classes\\Tarn2.Application no longer names this session's class: "
                             "another program wrote it meanwhile; hostsim leaves it as it is\n",
                     rootName(m_classRoot));
    m_classRoot = nullptr;
}

HRESULT HostAutomation::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

// The object belongs to the session, not to its references: the count is kept for COM's sake only.
ULONG HostAutomation::AddRef() { return ++m_references; }
ULONG HostAutomation::Release() { return --m_references; }

HRESULT HostAutomation::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

HRESULT HostAutomation::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT HostAutomation::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return DISP_E_UNKNOWNNAME; }

namespace {

// As a busy or closing host answers: an exception with its description, the call not done.
HRESULT refusedAsBusy(EXCEPINFO* excepInfo) {
    if (excepInfo) {
        *excepInfo = EXCEPINFO{};
        excepInfo->bstrSource = SysAllocString(kProgId);
        excepInfo->bstrDescription = SysAllocString(L"The host is busy");
        excepInfo->scode = RPC_E_CALL_REJECTED;
    }
    return DISP_E_EXCEPTION;
}

// A method's one argument as the type the host reads it in; a type mismatch, naming the argument, when it is not.
HRESULT onlyArgument(DISPPARAMS* params, VARTYPE type, VARIANT& value, UINT* badArgument) {
    VariantInit(&value);
    if (SUCCEEDED(VariantChangeType(&value, &params->rgvarg[0], 0, type))) return S_OK;
    if (badArgument) *badArgument = 0;
    return DISP_E_TYPEMISMATCH;
}

} // namespace

// Answers as the host does the three members the plug-in uses; anything else is refused as the system would.
HRESULT HostAutomation::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* excepInfo, UINT* badArgument) {
    if (slowMs) Sleep(slowMs);
    ++calls;
    if (failing) return refusedAsBusy(excepInfo);
    const UINT count = params ? params->cArgs : 0;
    if (result) VariantInit(result);
    switch (id) {
    case kFrequency:
        if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
        return count != 0 ? DISP_E_BADPARAMCOUNT : answerFrequency(result);
    case kEntryText:
        if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        return count != 1 ? DISP_E_BADPARAMCOUNT : answerEntryText(params, result, badArgument);
    case kCommand:
        if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        return count != 1 ? DISP_E_BADPARAMCOUNT : takeCommand(params, badArgument);
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT HostAutomation::answerFrequency(VARIANT* result) const {
    if (result) {
        result->vt = VT_R8;
        result->dblVal = frequency;
    }
    return S_OK;
}

// Only the call field holds text: every other field of the entry reads as empty.
HRESULT HostAutomation::answerEntryText(DISPPARAMS* params, VARIANT* result, UINT* badArgument) {
    VARIANT field;
    if (const HRESULT h = onlyArgument(params, VT_I4, field, badArgument); FAILED(h)) return h;
    ++entryReads;
    QueryPerformanceCounter(&lastEntryRead);
    if (result) {
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(field.lVal == kCallField ? entry.c_str() : L"");
    }
    return S_OK;
}

HRESULT HostAutomation::takeCommand(DISPPARAMS* params, UINT* badArgument) {
    VARIANT text;
    if (const HRESULT h = onlyArgument(params, VT_BSTR, text, badArgument); FAILED(h)) return h;
    std::string command = utf8(text.bstrVal, static_cast<int>(SysStringLen(text.bstrVal)));
    VariantClear(&text);
    if (command == "<MODE:CW>") mode = "CW";
    if (command == "<MODE:SSB>") mode = "SSB";
    commands.push_back(std::move(command));
    return S_OK;
}
