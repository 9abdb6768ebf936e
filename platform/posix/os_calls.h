// The system calls the POSIX files adapter makes, as one table that tests may change: a failing or short write,
// a failing rename or flush, to see what a failure leaves behind. It holds the real calls until a test puts others in.
#pragma once
#include <cstddef>
#include <sys/types.h>

namespace platform::posix {

struct OsCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*read)(int fd, void* buffer, std::size_t size);
    ssize_t (*write)(int fd, const void* bytes, std::size_t size);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*unlink)(const char* path);
    int (*fsync)(int fd);
};

// Not guarded: change it only while no other thread uses the files adapter.
OsCalls& osCalls();

} // namespace platform::posix
