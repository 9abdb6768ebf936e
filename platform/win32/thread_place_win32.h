// Where another thread of this process runs, and which module's image holds an address.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

namespace platform {

// A loaded module's image as its PE headers give it; read while the module is mapped, kept for later.
struct ImageRange {
    std::uintptr_t begin = 0;
    std::uintptr_t size = 0;
    bool contains(std::uintptr_t address) const { return address >= begin && address - begin < size; }
};
ImageRange imageOf(HMODULE module);

// The thread's instruction pointer, read while the thread is stopped for a moment; nothing when it cannot be
// stopped or read (it has ended, say). The handle needs THREAD_SUSPEND_RESUME and THREAD_GET_CONTEXT access.
std::optional<std::uintptr_t> instructionPointerOf(HANDLE thread);

} // namespace platform
