// The kernel32 calls the Windows files adapter makes, as one table that tests may change: a failing or short
// write, a failing move or flush, to see what a failure leaves behind. It holds the real calls until a test puts others in.
#pragma once
#include <windows.h>

namespace platform::win32 {

struct OsCalls {
    HANDLE(WINAPI* createFile)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI* readFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* closeHandle)(HANDLE);
    BOOL(WINAPI* moveFileEx)(LPCSTR, LPCSTR, DWORD);
    BOOL(WINAPI* deleteFile)(LPCSTR);
    BOOL(WINAPI* flushFileBuffers)(HANDLE);
};

// Not guarded: change it only while no other thread uses the files adapter.
OsCalls& osCalls();

} // namespace platform::win32
