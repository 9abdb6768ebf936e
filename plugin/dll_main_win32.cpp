// The library's load and unload on Windows.
#include <windows.h>

#include "ui/win32/window_thread_win32.h"

#if defined(__i386__) && defined(__GNUC__)
// libgcc's frame registry (unwind-dw2-fde.h): not in any installed header, stable since GCC 3.
extern "C" void __register_frame_info(const void* begin, void* object);
extern "C" void* __deregister_frame_info(const void* begin);
struct DwarfEhBases {
    void* tbase;
    void* dbase;
    void* func;
};
extern "C" const void* _Unwind_Find_FDE(void* pc, DwarfEhBases* bases);
#endif

namespace {
#if defined(__i386__) && defined(__GNUC__)
// i686 GCC unwinds with DWARF tables, which the start-up code (crtbegin's __gcc_register_frame) registers before
// DllMain runs. It registers them with the unwinder of libgcc_s_dw2-1.dll instead of ours whenever that DLL is
// already in the process, as it is when another MinGW-built add-on of the host brought it. Our throws go through
// the unwinder linked into this DLL, which would then know none of our code: every throw would end in
// std::terminate and take the host's process with it, past every catch. So when our own unwinder cannot find our
// code, our tables are registered with it here too, and taken back at the unload. x86-64 unwinds through the
// system's tables (SEH) and needs none of this.

// An empty marker inside the DLL's .eh_frame section, as crtbegin places its own: the section that holds it is
// found by address, not by its name, which a stripped image spells differently.
__attribute__((used, section(".eh_frame"), aligned(4))) const char kFrameMarker[] = {};

// Room for libgcc's struct object (six words in GCC 12), with margin; libgcc keeps it until deregistration.
void* g_frameObject[16];
const void* g_registeredFrames = nullptr;

const void* ownFrameTables(HINSTANCE instance) {
    const auto* base = reinterpret_cast<const unsigned char*>(instance);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    const auto marker = reinterpret_cast<const unsigned char*>(kFrameMarker);
    for (unsigned i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        const unsigned char* start = base + section->VirtualAddress;
        if (marker >= start && marker <= start + section->Misc.VirtualSize) return start;
    }
    return nullptr;
}

void registerOwnFrames(HINSTANCE instance) {
    DwarfEhBases bases{};
    if (_Unwind_Find_FDE(reinterpret_cast<void*>(&registerOwnFrames), &bases)) return;
    const void* tables = ownFrameTables(instance);
    if (!tables) return;
    __register_frame_info(tables, g_frameObject);
    g_registeredFrames = tables;
}

void deregisterOwnFrames() {
    if (g_registeredFrames) __deregister_frame_info(g_registeredFrames);
    g_registeredFrames = nullptr;
}
#else
void registerOwnFrames(HINSTANCE) {}
void deregisterOwnFrames() {}
#endif
} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) registerOwnFrames(instance);
    // At process exit (reserved != NULL) the other threads are already gone, killed mid-way: waiting for the
    // window thread there would hang the host for ever. A FreeLibrary unload asks the thread to close its windows
    // and waits for it to let go of the plug-in's code, never for its end: that needs the loader lock held here.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        try {
            releaseWindowThreadForUnload();
        } catch (...) {
        }
    }
    // At process exit the tables go with the process, and a killed thread may hold the registry's lock.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) deregisterOwnFrames();
    return TRUE;
}
