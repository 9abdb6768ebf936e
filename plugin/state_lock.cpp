#include "plugin/state_lock.h"

std::mutex& stateMutex() {
    static std::mutex mutex;
    return mutex;
}
