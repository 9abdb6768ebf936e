// The one lock over the contest state. Taken only by the exports (the host's thread) and by the window thread's
// door, never while sending to, waiting for or calling into the other thread or the host.
#pragma once
#include <mutex>

std::mutex& stateMutex();
