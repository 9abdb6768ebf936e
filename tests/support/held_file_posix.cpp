#include "support/held_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <unistd.h>

#include "platform/posix/os_calls.h"

namespace test {
namespace {

std::map<std::string, Hold>& holds() {
    static std::map<std::string, Hold> held;
    return held;
}

std::string key(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return std::filesystem::absolute(path).lexically_normal().string();
}

const Hold* holdOf(const char* path) {
    const auto found = holds().find(key(path));
    return found == holds().end() ? nullptr : &found->second;
}

platform::posix::OsCalls& real() {
    static platform::posix::OsCalls calls = platform::posix::osCalls();
    return calls;
}

// What Windows refuses while another handle holds the file: any open under an exclusive hold, and a replace of
// it (a rename onto it) under either.
platform::posix::OsCalls refusing() {
    platform::posix::OsCalls calls = real();
    calls.open = [](const char* path, int flags, mode_t mode) {
        const Hold* hold = holdOf(path);
        if (hold && *hold == Hold::exclusively) return errno = EACCES, -1;
        return real().open(path, flags, mode);
    };
    calls.rename = [](const char* from, const char* to) {
        if (holdOf(to)) return errno = EACCES, -1;
        return real().rename(from, to);
    };
    return calls;
}

} // namespace

HeldFile::HeldFile(const std::string& path, Hold how) : m_path(key(path)) {
    if (!std::filesystem::exists(m_path)) throw std::runtime_error("no file to hold: " + path);
    real();
    holds()[m_path] = how;
    platform::posix::osCalls() = refusing();
    m_handle = 0;
}

void HeldFile::release() {
    if (m_handle < 0) return;
    holds().erase(m_path);
    if (holds().empty()) platform::posix::osCalls() = real();
    m_handle = -1;
}

} // namespace test
