// The Windows file adapter: lines, appends, whole writes that let readers in, and directory listings. What a
// failure of each kernel32 call leaves behind: the calls are swapped for failing ones, as {fmt} mocks its OS calls.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/settings.h"
#include "platform/win32/os_calls_win32.h"
#include "support/file_bytes.h"
#include "support/scratch_folder.h"

namespace {

using Lines = std::vector<std::string>;

class FilesWin32 : public test::ScratchFolderTest {
protected:
    Lines sorted(Lines names) {
        std::sort(names.begin(), names.end());
        return names;
    }
};

HANDLE openHandle(const std::string& path, DWORD access, DWORD share) {
    return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

TEST_F(FilesWin32, ReadsLinesOfEitherEnding) {
    test::writeFile(folder.path("a.txt"), "one\r\ntwo\nthree\r\n\r\nlast");
    Lines lines{"stale"};
    ASSERT_TRUE(platform::readLines(folder.path("a.txt"), lines));
    EXPECT_EQ((Lines{"one", "two", "three", "", "last"}), lines);
    EXPECT_FALSE(platform::readLines(folder.path("missing.txt"), lines));
    EXPECT_EQ(Lines{}, lines);
    EXPECT_FALSE(platform::readLines(folder.root(), lines));
}

TEST_F(FilesWin32, ReadsLinesPastTheReadBuffer) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "line " + std::to_string(i) + "\r\n";
    test::writeFile(folder.path("big.txt"), text);
    Lines lines;
    ASSERT_TRUE(platform::readLines(folder.path("big.txt"), lines));
    ASSERT_EQ(5000u, lines.size());
    EXPECT_EQ("line 4999", lines.back());
}

TEST_F(FilesWin32, AppendsAndWritesBytesUntranslated) {
    const std::string path = folder.path("bad.txt");
    EXPECT_TRUE(platform::appendToFile(path, "a\n"));
    EXPECT_TRUE(platform::appendToFile(path, std::string("b\r\n\0c", 5)));
    EXPECT_EQ(std::string("a\nb\r\n\0c", 7), test::readFile(path));
    EXPECT_TRUE(platform::writeWholeFile(path, "new\n"));
    EXPECT_EQ("new\n", test::readFile(path));
    EXPECT_TRUE(platform::writeWholeFile(path, ""));
    EXPECT_EQ("", test::readFile(path));
    EXPECT_FALSE(platform::writeWholeFile(folder.path("absent\\x.cbr"), "x"));
    EXPECT_FALSE(platform::appendToFile(folder.path("absent\\x.txt"), "x"));
}

TEST_F(FilesWin32, TheNewFileIsHeldByNobody) {
    const std::string path = folder.path("log.cbr");
    test::writeFile(path, "old");
    EXPECT_TRUE(platform::writeWholeFile(path, "START-OF-LOG: 3.0\r\n"));
    EXPECT_TRUE(platform::appendToFile(path, "END-OF-LOG:\r\n"));
    EXPECT_EQ("START-OF-LOG: 3.0\r\nEND-OF-LOG:\r\n", test::readFile(path));
    // A program that shares nothing still opens it: no handle of ours is left on it.
    HANDLE alone = openHandle(path, GENERIC_READ | GENERIC_WRITE, 0);
    EXPECT_NE(INVALID_HANDLE_VALUE, alone);
    CloseHandle(alone);
}

// Windows does not replace a file that is open, whatever its sharing (Wine 8 answers ERROR_ACCESS_DENIED, as
// NTFS does without POSIX semantics): the write fails, the file stays, and the program reads on.
TEST_F(FilesWin32, AFileHeldOpenStaysAsItWas) {
    const std::string path = folder.path("log.cbr");
    for (const DWORD share : {DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE},
                              DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}}) {
        test::writeFile(path, "old");
        HANDLE viewer = openHandle(path, GENERIC_READ, share);
        ASSERT_NE(INVALID_HANDLE_VALUE, viewer);
        EXPECT_FALSE(platform::writeWholeFile(path, "new")) << share;
        char seen[8] = {};
        DWORD got = 0;
        EXPECT_TRUE(ReadFile(viewer, seen, sizeof seen, &got, nullptr));
        EXPECT_EQ("old", std::string(seen, got)) << share;
        CloseHandle(viewer);
        EXPECT_EQ("old", test::readFile(path)) << share;
        EXPECT_EQ(Lines{"log.cbr"}, sorted(platform::listDirectory(folder.path("*")))) << share;
    }
}

// The engine closes its kept-open handle before it rewrites the bad-QSO file; the next line lands in the new file.
TEST_F(FilesWin32, AnAppendFileClosedForARewriteGoesOnInTheNewFile) {
    const std::string bad = folder.path("BadQSO.txt");
    platform::AppendFile append;
    ASSERT_TRUE(append.append(bad, "header\r\nline 1\r\n"));
    append.close();
    ASSERT_TRUE(platform::writeWholeFile(bad, "header\r\n"));
    ASSERT_TRUE(append.append(bad, "line 2\r\n"));
    append.close();
    EXPECT_EQ("header\r\nline 2\r\n", test::readFile(bad));
}

namespace {

using platform::win32::OsCalls;
using platform::win32::osCalls;

const std::string kOld = "START-OF-LOG: 3.0\r\nCALLSIGN: K1AR\r\nEND-OF-LOG:\r\n";
const std::string kNew = "START-OF-LOG: 3.0\r\nCALLSIGN: K1AR\r\nQSO: 14025 CW 2026-04-11 1200\r\nEND-OF-LOG:\r\n";

// What the swapped calls do; reset for every case.
struct Fault {
    std::size_t room = SIZE_MAX;  // bytes the disk still takes; then ERROR_DISK_FULL
    DWORD perWrite = MAXDWORD;
    DWORD failCreate = 0, failMove = 0, failFlush = 0;  // the error to fail with, 0 for none
    std::string order;  // the flushes and moves, in the order made
    std::function<void()> duringWrite;  // what another program does while the new file is written
} fault;

bool isTemporary(LPCSTR path) { return std::strstr(path, "~VU-VO-") != nullptr; }

// The real calls, for the swapped ones to go on to. Plain WINAPI functions: a lambda converts to a pointer of
// the default calling convention only, which is not WINAPI's in the 32-bit build.
OsCalls real;

HANDLE WINAPI faultyCreateFile(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE model) {
    if (fault.failCreate != 0 && isTemporary(path)) {
        SetLastError(fault.failCreate);
        return INVALID_HANDLE_VALUE;
    }
    return real.createFile(path, access, share, security, disposition, flags, model);
}

BOOL WINAPI faultyWriteFile(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    if (fault.duringWrite) std::exchange(fault.duringWrite, nullptr)();
    if (fault.room == 0) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    const DWORD n = static_cast<DWORD>(std::min<std::size_t>({size, fault.room, fault.perWrite}));
    fault.room -= n;
    return real.writeFile(file, bytes, n, written, overlapped);
}

BOOL WINAPI faultyFlushFileBuffers(HANDLE file) {
    fault.order += "flush ";
    if (fault.failFlush != 0) {
        SetLastError(fault.failFlush);
        return FALSE;
    }
    return real.flushFileBuffers(file);
}

BOOL WINAPI faultyMoveFileEx(LPCSTR from, LPCSTR to, DWORD flags) {
    fault.order += "move ";
    if (fault.failMove != 0) {
        SetLastError(fault.failMove);
        return FALSE;
    }
    return real.moveFileEx(from, to, flags);
}

class FileReplaceWin32 : public test::ScratchFolderTest {
protected:
    FileReplaceWin32() {
        fault = Fault{};
        real = osCalls();
        osCalls().createFile = faultyCreateFile;
        osCalls().writeFile = faultyWriteFile;
        osCalls().moveFileEx = faultyMoveFileEx;
        osCalls().flushFileBuffers = faultyFlushFileBuffers;
    }
    ~FileReplaceWin32() override { osCalls() = real; }

    Lines listing() {
        Lines names = platform::listDirectory(folder.path("*"));
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string file = folder.path("K1AR.cbr");
};

struct Failure {
    const char* what;
    std::function<void()> arm;
};

const Failure kFailures[] = {
    {"the new file cannot be created", [] { fault.failCreate = ERROR_ACCESS_DENIED; }},
    {"the disk is full", [] { fault.room = 0; }},
    {"the disk fills halfway", [] { fault.room = 20; }},
    {"the disk fills after a short write", [] { fault.room = 20, fault.perWrite = 7; }},
    {"the move fails", [] { fault.failMove = ERROR_SHARING_VIOLATION; }},
    {"the flush to the disk fails", [] { fault.failFlush = ERROR_IO_DEVICE; }},
};

} // namespace

TEST_F(FileReplaceWin32, AFailureLeavesTheOldFileWholeAndNothingElse) {
    for (const Failure& failure : kFailures) {
        test::writeFile(file, kOld);
        fault = Fault{};
        failure.arm();
        EXPECT_FALSE(platform::writeWholeFile(file, kNew)) << failure.what;
        EXPECT_EQ(kOld, test::readFile(file)) << failure.what;
        EXPECT_EQ(Lines{"K1AR.cbr"}, listing()) << failure.what;
    }
    for (const Failure& failure : kFailures) {
        DeleteFileA(file.c_str());
        fault = Fault{};
        failure.arm();
        EXPECT_FALSE(platform::writeWholeFile(file, kNew)) << failure.what;
        EXPECT_EQ(Lines{}, listing()) << failure.what;
    }
}

TEST_F(FileReplaceWin32, TheSettingsFileStaysAsItWasWhenItCannotBeReplaced) {
    const std::string ini = folder.path("VU-VO.ini");
    const std::string before = "[Settings]\r\nMode=1\r\nClaimed=40\r\nName=Kenji Vu\r\n";
    for (const Failure& failure : kFailures) {
        test::writeFile(ini, before);
        fault = Fault{};
        failure.arm();
        EXPECT_FALSE(platform::profileWrite(ini, "Settings", "Claimed", "41")) << failure.what;
        EXPECT_EQ(before, test::readFile(ini)) << failure.what;
        EXPECT_EQ(Lines{"VU-VO.ini"}, listing()) << failure.what;
    }
}

// A power cut right after the move must find the new file's contents on the disk.
TEST_F(FileReplaceWin32, TheNewFileReachesTheDiskBeforeItTakesTheOldOnesPlace) {
    test::writeFile(file, kOld);
    EXPECT_TRUE(platform::writeWholeFile(file, kNew));
    EXPECT_EQ("flush move ", fault.order);
    EXPECT_EQ(kNew, test::readFile(file));
}

// A viewer holds the file as a C runtime opens it: the move is refused, the file is written in place whole.
TEST_F(FileReplaceWin32, AFileAViewerHoldsIsWrittenInPlace) {
    test::writeFile(file, kNew);
    const HANDLE viewer = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, viewer);
    EXPECT_FALSE(platform::writeWholeFile(file, kOld));
    EXPECT_TRUE(platform::overwriteFile(file, kOld));
    CloseHandle(viewer);
    EXPECT_EQ(kOld, test::readFile(file));
    EXPECT_EQ(Lines{"K1AR.cbr"}, listing());
}

TEST_F(FileReplaceWin32, ShortWritesStillWriteEverything) {
    test::writeFile(file, kOld);
    fault.perWrite = 3;
    EXPECT_TRUE(platform::writeWholeFile(file, kNew));
    EXPECT_EQ(kNew, test::readFile(file));
    EXPECT_EQ(Lines{"K1AR.cbr"}, listing());
}

// While the new file is written, another program reads the old one whole, and may read the new one too.
TEST_F(FileReplaceWin32, OthersReadTheOldFileWhileTheNewOneIsWritten) {
    test::writeFile(file, kOld);
    std::string oldSeen, tempsSeen;
    bool tempOpened = false;
    fault.duringWrite = [&] {
        oldSeen = test::readFile(file);
        for (const std::string& name : listing()) {
            if (name == "K1AR.cbr") continue;
            tempsSeen += name.substr(0, 7) + ";";
            HANDLE temp = openHandle(folder.path(name), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
            tempOpened = temp != INVALID_HANDLE_VALUE;
            if (tempOpened) CloseHandle(temp);
        }
    };
    EXPECT_TRUE(platform::writeWholeFile(file, kNew));
    EXPECT_EQ(kOld, oldSeen);
    EXPECT_EQ("~VU-VO-;", tempsSeen);
    EXPECT_TRUE(tempOpened);
    EXPECT_EQ(kNew, test::readFile(file));
    EXPECT_EQ(Lines{"K1AR.cbr"}, listing());
}

TEST_F(FilesWin32, ListsMatchingNamesOnly) {
    for (const char* name : {"a.ini", "B.INI", "c.ini~", "d.ini.bak", "e.txt", "noext", "f.Ini"}) {
        test::writeFile(folder.path(name), "");
    }
    CreateDirectoryA(folder.path("sub.ini").c_str(), nullptr);
    EXPECT_EQ((Lines{"B.INI", "a.ini", "f.Ini", "sub.ini"}), sorted(platform::listDirectory(folder.path("*.ini"))));
    EXPECT_EQ((Lines{"B.INI", "a.ini", "f.Ini"}), sorted(platform::listDirectory(folder.path("?.ini"))));
    EXPECT_EQ((Lines{"B.INI", "a.ini", "c.ini~", "d.ini.bak", "e.txt", "f.Ini", "noext", "sub.ini"}),
              sorted(platform::listDirectory(folder.path("*.*"))));
    EXPECT_EQ((Lines{"noext"}), sorted(platform::listDirectory(folder.path("no*.*"))));
    std::string slashed = folder.path("*.INI");
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    EXPECT_EQ((Lines{"B.INI", "a.ini", "f.Ini", "sub.ini"}), sorted(platform::listDirectory(slashed)));
    EXPECT_EQ(Lines{}, platform::listDirectory(folder.path("absent\\*.ini")));
    EXPECT_EQ(Lines{}, platform::listDirectory(folder.path("*.none")));
}
