#include "work_folder.h"

#include <cstdio>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

const char* const kMarkerText =
    "This folder is hostsim's work folder: the plug-in that hostsim runs works here as it would in the host's\r\n"
    "folder (its settings in Plugins/VU-VO.ini, its bad-QSO and Cabrillo files). hostsim copies the files the\r\n"
    "operator asks for out of it, and works in no folder that holds files but not this one.\r\n";

std::string randomTag() {
    static std::random_device random;
    return std::to_string(random());
}

// Puts from in to's place in one step, replacing a file there.
bool replaceFile(const fs::path& from, const fs::path& to, std::string& why) {
#ifdef _WIN32
    if (MoveFileExW(from.wstring().c_str(), to.wstring().c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    why = "error " + std::to_string(GetLastError());
    return false;
#else
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) why = ec.message();
    return !ec;
#endif
}

} // namespace

WorkFolder::WorkFolder() {
    std::error_code ec;
    m_start = fs::current_path(ec);
    m_output = m_start;
}

WorkFolder::~WorkFolder() {
    if (m_path.empty()) return;
    std::error_code ec;
    fs::current_path(m_start, ec);
    if (!m_temporary || m_abandoned) return;
    fs::remove_all(m_path, ec);
    if (ec || fs::exists(m_path, ec))
        std::fprintf(stderr, "hostsim: the temporary work folder %s could not be removed entirely\n",
                     m_path.string().c_str());
}

std::string WorkFolder::fromStart(const std::string& path) const {
    if (path.empty()) return path;
    const fs::path p(path);
    return p.is_absolute() ? path : (m_start / p).lexically_normal().string();
}

bool WorkFolder::setOutput(const std::string& dir, std::string& why) {
    if (dir.empty()) return true;
    std::error_code ec;
    const fs::path output = fromStart(dir);
    fs::create_directories(output, ec);
    if (!fs::is_directory(output, ec)) {
        why = "cannot make the output folder " + dir + (ec ? ": " + ec.message() : std::string());
        return false;
    }
    m_output = output;
    m_outputShown = dir;
    return true;
}

bool WorkFolder::acceptable(const std::string& dir, std::string& why) const {
    std::error_code ec;
    const fs::path path = fromStart(dir);
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) return true;
    if (!fs::is_directory(status)) return why = "--work " + dir + " is a file, not a folder", false;
    if (fs::is_empty(path, ec) && !ec) return true;
    if (fs::is_regular_file(path / kMarker, ec)) return true;
    why = "--work " + dir + " holds files but is no work folder of hostsim's (it lacks " + kMarker +
          "); hostsim works only in a new or empty folder, or in one it made before";
    return false;
}

WorkFolder::Entered WorkFolder::enter(const std::string& dir, std::string& why) {
    std::error_code ec;
    fs::path path;
    bool made = false;
    if (dir.empty()) {
        const fs::path temp = fs::temp_directory_path(ec);
        if (ec) return why = "no folder for temporary files: " + ec.message(), Entered::failed;
        for (int n = 0; n < 100 && path.empty(); ++n) {
            const fs::path candidate = temp / ("hostsim-work-" + randomTag());
            if (fs::create_directory(candidate, ec)) path = candidate;
        }
        if (path.empty()) return why = "cannot make a temporary work folder in " + temp.string(), Entered::failed;
        m_temporary = made = true;
    } else {
        path = fromStart(dir);
        if (!acceptable(dir, why)) return Entered::refused;
        if (!fs::exists(path, ec)) {
            fs::create_directories(path, ec);
            if (ec) return why = "cannot make the work folder " + dir + ": " + ec.message(), Entered::failed;
            made = true;
        } else if (fs::is_empty(path, ec) && !ec) {
            made = true;
        }
    }
    if (made) {
        std::ofstream marker(path / kMarker, std::ios::binary | std::ios::trunc);
        marker << kMarkerText;
        marker.flush();
        if (!marker) {
            if (m_temporary) fs::remove_all(path, ec);
            m_temporary = false;
            return why = "cannot write into the work folder " + path.string(), Entered::failed;
        }
    }
    // A host's folder has its plug-ins' folder, where the plug-in keeps its settings.
    fs::create_directories(path / "Plugins", ec);
    for (auto it = fs::directory_iterator(path, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code e;
        if (it->is_regular_file(e))
            m_before[it->path().filename().string()] = {it->file_size(e), it->last_write_time(e)};
    }
    fs::current_path(path, ec);
    if (ec) {
        if (m_temporary) fs::remove_all(path, ec);
        m_temporary = false;
        return why = "cannot work in the folder " + path.string() + ": " + ec.message(), Entered::failed;
    }
    m_path = path;
    return Entered::ok;
}

std::string WorkFolder::hostDir() const {
    std::string folder = m_path.string();
    const char separator = static_cast<char>(fs::path::preferred_separator);
    if (folder.empty() || folder.back() != separator) folder += separator;
    return folder;
}

bool WorkFolder::written(const std::string& name) const {
    std::error_code ec;
    const fs::path file = m_path / name;
    if (!fs::is_regular_file(file, ec)) return false;
    const auto before = m_before.find(name);
    if (before == m_before.end()) return true;
    const std::uintmax_t size = fs::file_size(file, ec);
    const fs::file_time_type time = fs::last_write_time(file, ec);
    return !ec && (size != before->second.first || time != before->second.second);
}

std::string WorkFolder::deliver(const std::string& name, bool& replaced, std::string& why) const {
    replaced = false;
    const std::string shown = m_outputShown.empty() ? name : (fs::path(m_outputShown) / name).string();
    std::error_code ec;
    if (fs::equivalent(m_output, m_path, ec)) return shown;  // --out names the work folder itself
    const fs::path from = m_path / name, to = m_output / name;
    const fs::file_status there = fs::symlink_status(to, ec);
    if (fs::exists(there) && !fs::is_regular_file(there))
        return why = "cannot copy " + name + " out of the work folder to " + shown +
                     ": something other than a file has that name there",
               std::string();
    replaced = fs::exists(there);
    // Whole or not at all: a copy beside the target first, which then takes its place.
    const fs::path copy = m_output / ("." + name + ".hostsim-" + randomTag());
    fs::copy_file(from, copy, fs::copy_options::overwrite_existing, ec);
    std::string failure;
    if (ec) {
        failure = ec.message();
    } else if (!replaceFile(copy, to, failure)) {
        // failure says why
    } else {
        return shown;
    }
    fs::remove(copy, ec);
    replaced = false;
    why = "cannot copy " + name + " out of the work folder to " + shown + ": " + failure;
    return {};
}
