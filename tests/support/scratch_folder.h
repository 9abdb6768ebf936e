// A new empty folder under the system's temporary folder, on both systems; and the one fixture of the tests whose
// code under test reads and writes relative to the current folder (the settings file, the bad-QSO file).
#pragma once
#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace test {

// mkdtemp is POSIX only. create_directory makes the folder only when the name is free, so a taken name (another
// test program running meanwhile) just moves on to the next candidate.
inline std::filesystem::path newScratchFolder() {
    static std::atomic<unsigned> counter{0};
    static const unsigned long long seed =
        std::random_device{}() ^ static_cast<unsigned long long>(
                                     std::chrono::steady_clock::now().time_since_epoch().count());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::mt19937_64 mix(seed + counter++);
        const std::filesystem::path candidate = base / ("vuvo-test-" + std::to_string(mix() % 100000000000ULL));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) return candidate;
        if (error && error != std::errc::file_exists) throw std::filesystem::filesystem_error("cannot make a scratch folder", candidate, error);
    }
    throw std::filesystem::filesystem_error("no free scratch folder name", base,
                                            std::make_error_code(std::errc::file_exists));
}

// For its lifetime the current folder is a new empty scratch folder holding "Plugins/" (the settings file's
// folder); then the previous current folder again, and the scratch folder gone.
class InScratchFolder {
public:
    InScratchFolder() : m_previous(std::filesystem::current_path()), m_folder(newScratchFolder()) {
        std::filesystem::create_directory(m_folder / "Plugins");
        std::filesystem::current_path(m_folder);
    }
    ~InScratchFolder() {
        std::error_code ignored;
        std::filesystem::current_path(m_previous, ignored);
        std::filesystem::remove_all(m_folder, ignored);
    }
    InScratchFolder(const InScratchFolder&) = delete;
    InScratchFolder& operator=(const InScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_folder; }

private:
    std::filesystem::path m_previous, m_folder;
};

} // namespace test
