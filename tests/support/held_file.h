// Another program's hold on one of the plug-in's files, as the system's files adapter meets it. On Windows a real
// second handle with that program's sharing; on POSIX, where nothing is refused for being open, the adapter's
// system calls (platform/posix/os_calls.h) refuse what Windows would refuse.
#pragma once
#include <string>

namespace test {

enum class Hold {
    // A text viewer, or a C runtime's fopen: reads, shares reading and writing but not deletion. A replace of the
    // file is refused; writing it in place is not.
    likeViewer,
    // Shares nothing: the file can be neither read, nor written, nor replaced.
    exclusively,
};

class HeldFile {
public:
    // path relative to the current folder, '/' or '\' as separator; the file must exist.
    HeldFile(const std::string& path, Hold how);
    ~HeldFile() { release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    void release();

private:
    std::string m_path;
    long long m_handle = -1;
};

} // namespace test
