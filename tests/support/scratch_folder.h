// The tests' one scratch folder: a new empty folder under the system's temporary folder, on both systems, gone
// with everything in it at the end; and, for the tests whose code under test reads and writes relative to the
// current folder (the settings file, the bad-QSO file), the current folder for its lifetime.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace test {

class ScratchFolder {
public:
    enum Use {
        apart,   // only made: the test names its files by path()
        current, // holds "Plugins/" (the settings file's folder) and is the current folder until the end
    };
    explicit ScratchFolder(Use use = apart) : m_folder(makeFolder()) {
        if (use != current) return;
        m_previous = std::filesystem::current_path();
        std::filesystem::create_directory(m_folder / "Plugins");
        std::filesystem::current_path(m_folder);
    }
    // The previous current folder again first: a folder still current cannot go on Windows.
    ~ScratchFolder() {
        std::error_code ignored;
        if (!m_previous.empty()) std::filesystem::current_path(m_previous, ignored);
        std::filesystem::remove_all(m_folder, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without a final separator.
    std::string root() const { return m_folder.string(); }
    // A name in the folder, joined by the system's own separator.
    std::string path(const std::string& name) const {
        return root() + static_cast<char>(std::filesystem::path::preferred_separator) + name;
    }

private:
    // mkdtemp is POSIX only. create_directory makes the folder only when the name is free, so a taken name
    // (another test program running meanwhile) just moves on to the next candidate.
    static std::filesystem::path makeFolder() {
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
            if (error && error != std::errc::file_exists)
                throw std::filesystem::filesystem_error("cannot make a scratch folder", candidate, error);
        }
        throw std::filesystem::filesystem_error("no free scratch folder name", base,
                                                std::make_error_code(std::errc::file_exists));
    }

    std::filesystem::path m_previous; // empty unless the folder is the current one
    std::filesystem::path m_folder;
};

// A test whose files live in their own scratch folder.
class ScratchFolderTest : public ::testing::Test {
protected:
    ScratchFolder folder;
};

} // namespace test
