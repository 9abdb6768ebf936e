#include "support/held_file.h"

#include <windows.h>

#include <stdexcept>

namespace test {

HeldFile::HeldFile(const std::string& path, Hold how) : m_path(path) {
    const DWORD access = how == Hold::likeViewer ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD sharing = how == Hold::likeViewer ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const HANDLE file =
        CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold " + path);
    m_handle = reinterpret_cast<long long>(file);
}

void HeldFile::release() {
    if (m_handle < 0) return;
    CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
}

} // namespace test
