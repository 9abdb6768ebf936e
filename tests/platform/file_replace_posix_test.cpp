// Whole-file replacement on POSIX: what a failure at each system call leaves behind (the calls are swapped for
// failing ones, as {fmt} mocks its OS calls), and a real full disk where a tmpfs may be mounted.
#include "platform/files.h"
#include "platform/posix/os_calls.h"
#include "platform/settings.h"

#include "support/file_bytes.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using platform::posix::OsCalls;
using platform::posix::osCalls;
using Names = std::vector<std::string>;

const std::string kOld = "START-OF-LOG: 3.0\r\nCALLSIGN: K1AR\r\nEND-OF-LOG:\r\n";
const std::string kNew = "START-OF-LOG: 3.0\r\nCALLSIGN: K1AR\r\nQSO: 14025 CW 2026-04-11 1200\r\nEND-OF-LOG:\r\n";

// What the swapped calls do; reset for every test.
struct Fault {
    std::size_t room = SIZE_MAX;  // bytes the disk still takes; then ENOSPC
    std::size_t perWrite = SIZE_MAX;
    int interruptions = 0;  // EINTR before the first write goes through
    int failCreate = 0, failClose = 0, failRename = 0, failRead = 0, failFsync = 0;  // errno to fail with, 0: none
    std::string order;  // the flushes and renames, in the order made
} fault;

bool isTemporary(const char* path) { return std::strstr(path, ".VU-VO-") != nullptr; }

OsCalls faulty() {
    OsCalls calls = osCalls();
    calls.open = [](const char* path, int flags, mode_t mode) {
        if (fault.failCreate != 0 && (flags & O_CREAT) != 0 && isTemporary(path)) return errno = fault.failCreate, -1;
        return ::open(path, flags, mode);
    };
    calls.read = [](int fd, void* buffer, std::size_t size) -> ssize_t {
        if (fault.failRead != 0) return errno = fault.failRead, -1;
        return ::read(fd, buffer, size);
    };
    calls.write = [](int fd, const void* bytes, std::size_t size) -> ssize_t {
        if (fault.interruptions > 0) return --fault.interruptions, errno = EINTR, -1;
        if (fault.room == 0) return errno = ENOSPC, -1;
        const std::size_t n = std::min({size, fault.room, fault.perWrite});
        fault.room -= n;
        return ::write(fd, bytes, n);
    };
    calls.close = [](int fd) {
        const int closed = ::close(fd);
        if (fault.failClose != 0) return errno = fault.failClose, -1;
        return closed;
    };
    calls.rename = [](const char* from, const char* to) {
        fault.order += "rename ";
        if (fault.failRename != 0) return errno = fault.failRename, -1;
        return ::rename(from, to);
    };
    calls.fsync = [](int fd) {
        fault.order += "fsync ";
        if (fault.failFsync != 0) return errno = fault.failFsync, -1;
        return ::fsync(fd);
    };
    return calls;
}

class FileReplace : public test::ScratchFolderTest {
protected:
    FileReplace() : m_real(osCalls()) {
        fault = Fault{};
        osCalls() = faulty();
    }
    ~FileReplace() override { osCalls() = m_real; }

    Names listing() const {
        Names names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.root()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string file = folder.path("K1AR.cbr");

private:
    OsCalls m_real;
};

struct Failure {
    const char* what;
    std::function<void()> arm;
};

const Failure kFailures[] = {
    {"the new file cannot be created", [] { fault.failCreate = EACCES; }},
    {"the disk is full", [] { fault.room = 0; }},
    {"the disk fills halfway", [] { fault.room = 20; }},
    {"the disk fills after a short write", [] { fault.room = 20, fault.perWrite = 7; }},
    {"closing reports the full disk", [] { fault.failClose = ENOSPC; }},
    {"the rename fails", [] { fault.failRename = EXDEV; }},
    {"the flush to the disk fails", [] { fault.failFsync = EIO; }},
};

} // namespace

TEST_F(FileReplace, AFailureLeavesTheOldFileWholeAndNothingElse) {
    for (const Failure& failure : kFailures) {
        test::writeFile(file, kOld);
        fault = Fault{};
        failure.arm();
        EXPECT_FALSE(platform::writeWholeFile(file, kNew)) << failure.what;
        EXPECT_EQ(kOld, test::readFile(file)) << failure.what;
        EXPECT_EQ(Names{"K1AR.cbr"}, listing()) << failure.what;
    }
}

TEST_F(FileReplace, AFailureWithoutAnOldFileLeavesNoFile) {
    for (const Failure& failure : kFailures) {
        fault = Fault{};
        failure.arm();
        EXPECT_FALSE(platform::writeWholeFile(file, kNew)) << failure.what;
        EXPECT_EQ(Names{}, listing()) << failure.what;
    }
}

// A power cut right after the rename must find the new file's contents on the disk.
TEST_F(FileReplace, TheNewFileReachesTheDiskBeforeItTakesTheOldOnesPlace) {
    test::writeFile(file, kOld);
    EXPECT_TRUE(platform::writeWholeFile(file, kNew));
    EXPECT_EQ("fsync rename ", fault.order);
    EXPECT_EQ(kNew, test::readFile(file));
}

// A file made again from memory whose replacement is refused: written in place, cut to its new length.
TEST_F(FileReplace, OverwritingInPlaceTakesTheNewBytesWhole) {
    test::writeFile(file, kNew);
    EXPECT_TRUE(platform::overwriteFile(file, kOld));
    EXPECT_EQ(kOld, test::readFile(file));
    EXPECT_EQ("", fault.order);
    fault.room = 5;
    EXPECT_FALSE(platform::overwriteFile(file, kNew));
}

TEST_F(FileReplace, ShortAndInterruptedWritesStillWriteEverything) {
    test::writeFile(file, kOld);
    fault.perWrite = 3;
    fault.interruptions = 2;
    EXPECT_TRUE(platform::writeWholeFile(file, kNew));
    EXPECT_EQ(kNew, test::readFile(file));
    EXPECT_EQ(Names{"K1AR.cbr"}, listing());
}

TEST_F(FileReplace, TheSettingsFileStaysAsItWasWhenItCannotBeReplaced) {
    const std::string ini = folder.path("VU-VO.ini");
    const std::string before = "[Settings]\r\nMode=1\r\nClaimed=40\r\nName=Kenji Vu\r\n";
    for (const Failure& failure : kFailures) {
        test::writeFile(ini, before);
        fault = Fault{};
        failure.arm();
        EXPECT_FALSE(platform::profileWrite(ini, "Settings", "Claimed", "41")) << failure.what;
        EXPECT_EQ(before, test::readFile(ini)) << failure.what;
        EXPECT_EQ(Names{"VU-VO.ini"}, listing()) << failure.what;
    }
}

TEST_F(FileReplace, AFileThatCannotBeReadIsNeitherReadNorRewritten) {
    const std::string ini = folder.path("VU-VO.ini");
    test::writeFile(ini, "[Settings]\r\nMode=1\r\n");
    fault.failRead = EIO;
    std::string bytes = "stale";
    EXPECT_EQ(platform::ReadResult::failed, platform::readWholeFile(ini, bytes));
    EXPECT_EQ("", bytes);
    std::vector<std::string> lines{"stale"};
    EXPECT_FALSE(platform::readLines(ini, lines));
    EXPECT_EQ(std::vector<std::string>{}, lines);
    EXPECT_EQ("d", platform::profileRead(ini, "Settings", "Mode", "d"));
    EXPECT_FALSE(platform::profileWrite(ini, "Settings", "Claimed", "41"));
    fault.failRead = 0;
    EXPECT_EQ("[Settings]\r\nMode=1\r\n", test::readFile(ini));
}

TEST_F(FileReplace, TheNewFileKeepsTheOldOnesPermissionsAndLinksStayLinks) {
    test::writeFile(file, kOld);
    ASSERT_EQ(0, ::chmod(file.c_str(), 0640));
    ASSERT_TRUE(platform::writeWholeFile(file, kNew));
    struct stat replaced {};
    ASSERT_EQ(0, ::stat(file.c_str(), &replaced));
    EXPECT_EQ(0640u, replaced.st_mode & 07777);

    std::filesystem::create_directory(folder.path("logs"));
    test::writeFile(folder.path("logs/K1AR.cbr"), kOld);
    const std::string link = folder.path("link.cbr");
    std::filesystem::create_symlink("logs/K1AR.cbr", link);
    ASSERT_TRUE(platform::writeWholeFile(link, kNew));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(kNew, test::readFile(folder.path("logs/K1AR.cbr")));
    EXPECT_EQ((Names{"K1AR.cbr"}), [&] {
        Names names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path("logs")))
            names.push_back(entry.path().filename().string());
        return names;
    }());
}

// The engine closes its kept-open handle before it rewrites the bad-QSO file; one that stays open across the
// rewrite still lands its next line in the new file, never in the replaced one.
TEST_F(FileReplace, AnAppendFileGoesOnInTheFileThatReplacedItsOwn) {
    const std::string bad = folder.path("BadQSO.txt");
    platform::AppendFile append;
    ASSERT_TRUE(append.append(bad, "header\r\nline 1\r\n"));
    ASSERT_TRUE(platform::writeWholeFile(bad, "header\r\n"));
    ASSERT_TRUE(append.append(bad, "line 2\r\n"));
    EXPECT_EQ("header\r\nline 2\r\n", test::readFile(bad));
    append.close();
    ASSERT_TRUE(platform::writeWholeFile(bad, "header\r\n"));
    ASSERT_TRUE(append.append(bad, "line 3\r\n"));
    EXPECT_EQ("header\r\nline 3\r\n", test::readFile(bad));
}

namespace {

// Runs body in a child process with a mount namespace of its own, on a tiny tmpfs mounted over the folder;
// gives what body wrote to its pipe, or nothing when mounting is not allowed here.
std::optional<std::string> onTinyDisk(const std::string& folder, const std::function<std::string()>& body) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        // Private mounts: the tmpfs is seen by this process only and goes with it.
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
            ::_exit(77);
        }
        const std::string report = body();
        const bool sent = ::write(pipeEnds[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0) report.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 77)
        return std::nullopt;
    return WEXITSTATUS(status) == 0 ? std::optional<std::string>(report) : std::nullopt;
}

// Fills the disk to its last byte.
void fillDisk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    while (::write(fd, block.data(), 1) > 0) {
    }
    ::close(fd);
}

} // namespace

TEST(FullDisk, NothingIsCutWhenTheDiskIsFull) {
    test::ScratchFolder folder;
    const std::string cbr = folder.path("K1AR.cbr"), ini = folder.path("VU-VO.ini");
    const std::string settings = "[Settings]\r\nMode=1\r\nClaimed=40\r\nName=Kenji Vu\r\n";
    const auto report = onTinyDisk(folder.root(), [&] {
        auto put = [](const std::string& path, const std::string& bytes) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
            return ::close(fd) == 0 && ok;
        };
        if (!put(cbr, kOld) || !put(ini, settings)) return std::string("cannot set up\n");
        fillDisk(folder.path("filler"));
        std::string out;
        out += "writeWholeFile: " + std::string(platform::writeWholeFile(cbr, kNew + std::string(8192, ' '))
                                                    ? "written" : "failed") + "\n";
        out += "profileWrite: " + std::string(platform::profileWrite(ini, "Settings", "Address", "1 Main St")
                                                  ? "written" : "failed") + "\n";
        out += "K1AR.cbr: " + std::string(test::readFile(cbr) == kOld ? "as it was" : "changed") + "\n";
        out += "VU-VO.ini: " + std::string(test::readFile(ini) == settings ? "as it was" : "changed") + "\n";
        Names names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.root()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) out += "file: " + name + "\n";
        return out;
    });
    if (!report) GTEST_SKIP() << "no tmpfs can be mounted here (needs root and mount namespaces)";
    EXPECT_EQ("writeWholeFile: failed\n"
              "profileWrite: failed\n"
              "K1AR.cbr: as it was\n"
              "VU-VO.ini: as it was\n"
              "file: K1AR.cbr\n"
              "file: VU-VO.ini\n"
              "file: filler\n",
              *report);
}
