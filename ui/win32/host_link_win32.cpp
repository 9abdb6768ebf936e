#include "ui/win32/host_link_win32.h"

#include <oleauto.h>

#include <string>

namespace {

// Owns a VARIANT for the span of one call.
struct Variant {
    VARIANT v;
    Variant() { VariantInit(&v); }
    ~Variant() { VariantClear(&v); }
};

std::wstring wide(std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string narrow(const wchar_t* text, UINT length) {
    if (text == nullptr || length == 0) return {};
    const int n = WideCharToMultiByte(CP_THREAD_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_THREAD_ACP, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

CHostLink::~CHostLink() { Release(); }

void CHostLink::LinkToHost() {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(L"Tarn2.Application", &clsid))) return;
    IUnknown* unknown = nullptr;
    if (FAILED(GetActiveObject(clsid, nullptr, &unknown)) || unknown == nullptr) return;
    IDispatch* dispatch = nullptr;
    if (SUCCEEDED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        Release();
        m_dispatch = dispatch;
    }
    unknown->Release();
}

void CHostLink::Release() {
    if (m_dispatch) m_dispatch->Release();
    m_dispatch = nullptr;
}

bool CHostLink::invoke(DISPID id, WORD flags, VARIANT* argument, VARIANT* result) {
    DISPPARAMS params{argument, nullptr, argument ? 1u : 0u, 0};
    EXCEPINFO exception{};
    UINT badArgument = 0;
    const HRESULT hr = m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception,
                                          &badArgument);
    if (exception.bstrSource) SysFreeString(exception.bstrSource);
    if (exception.bstrDescription) SysFreeString(exception.bstrDescription);
    if (exception.bstrHelpFile) SysFreeString(exception.bstrHelpFile);
    return SUCCEEDED(hr);
}

std::optional<double> CHostLink::frequency() {
    if (!m_dispatch) return 0.0;
    Variant result;
    if (!invoke(2, DISPATCH_PROPERTYGET, nullptr, &result.v)) return std::nullopt;
    if (FAILED(VariantChangeType(&result.v, &result.v, 0, VT_R8))) return std::nullopt;
    return result.v.dblVal;
}

// Only a string result is read as one: any other kind gives an empty entry rather than a pointer read blind.
std::optional<std::string> CHostLink::entryText(int field) {
    if (!m_dispatch) return std::string();
    Variant argument, result;
    argument.v.vt = VT_I4;
    argument.v.lVal = field;
    if (!invoke(8, DISPATCH_METHOD, &argument.v, &result.v)) return std::nullopt;
    if (result.v.vt != VT_BSTR) return std::string();
    return narrow(result.v.bstrVal, SysStringLen(result.v.bstrVal));
}

bool CHostLink::sendCommand(std::string_view command) {
    if (!m_dispatch) return true;
    Variant argument;
    const std::wstring text = wide(command);
    argument.v.vt = VT_BSTR;
    argument.v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return invoke(16, DISPATCH_METHOD, &argument.v, nullptr);
}
