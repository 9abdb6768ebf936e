#include "platform/win32/thread_place_win32.h"

namespace platform {

ImageRange imageOf(HMODULE module) {
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return {base, nt->OptionalHeader.SizeOfImage};
}

// SuspendThread only asks the thread to stop; GetThreadContext returns once it really has, so the place it gives
// is where the thread stands still until ResumeThread.
std::optional<std::uintptr_t> instructionPointerOf(HANDLE thread) {
    if (SuspendThread(thread) == static_cast<DWORD>(-1)) return std::nullopt;
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    const bool read = GetThreadContext(thread, &context);
    ResumeThread(thread);
    if (!read) return std::nullopt;
#ifdef _WIN64
    return context.Rip;
#else
    return context.Eip;
#endif
}

} // namespace platform
