// The one reading primitive each system's files adapter gives; the reading functions of files.h stand on it.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace platform {

// Hands the file's bytes to take in order, in chunks of any size, none empty. After failed, take may have seen
// part of the file.
ReadResult readChunks(const std::string& path, const std::function<void(std::string_view)>& take);

} // namespace platform
