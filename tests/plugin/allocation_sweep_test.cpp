// Memory running out inside the exports, as in a 32-bit host after two days: every allocation of every call of a
// contest's run fails once in turn, each in a child process. No call ends the process, each answers a value of
// its contract, a failed pass start leaves the log empty, and the next clean run gives the clean outputs, byte
// for byte.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "engine/contest_state.h"
#include "platform/posix/os_calls.h"
#include "plugin/plugin_state.h"
#include "support/host.h"
#include "support/scratch_folder.h"

namespace {

// The allocation to fail, counted from the arming; 0: none.
std::atomic<long> g_failAt{0};
std::atomic<long> g_allocations{0};

void* allocate(std::size_t size) {
    if (g_failAt > 0 && ++g_allocations == g_failAt) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using test::Qso;

Qso qso(const char* call, int minute, const char* band, const char* code, const char* prefix = "JA") {
    Qso q;
    q.call = call;
    q.time = test::at(2026, 4, 11, 12, minute);
    q.band = band;
    q.exchRcvd = code;
    q.prefix = prefix;
    return q;
}

// One call of the host's, and whether what it answered is one of its contract's answers.
struct Step {
    const char* name;
    std::function<bool()> call;
};

// Made before any allocation fails: what the test itself allocates must not count.
const test::Pass kPass;

bool passStart(int exportPass) {
    const test::Pass& p = kPass;
    COleDateTime start = p.start, end = p.end;
    return ResetStats0(p.hostDir.c_str(), exportPass, p.ownCall.c_str(), &start, &end, "", "", "", "", "", "", "",
                       "", "", p.ownPrefix.c_str(), 0, 0, 0, 0.0, 0.0, "", "", "") == 1;
}
bool adds(const Qso& q) {
    const int stored = test::add(q);
    return stored == 0 || stored == 1;
}
bool removes(const Qso& q) { return host_call::callWithQso(&RemoveData0, test::hostQso(q)) == 1; }
bool result() {
    int status = 0;
    return GetResult0(&status) != nullptr;
}
bool checks(const char* call) {
    char a[8] = "", b[8] = "";
    const int code = CheckCall0(call, 0, 0, "CW", "", "", "", "", "", "", "", "", "", "JA", 25, 0, 0, 0.0, 0.0, "",
                                "", "", "", "", "20m", nullptr, a, b);
    return code == 0 || code == 1 || code == 2 || code == 4;
}

// A contest's run as the host makes it: a pass with every kind of QSO, the operator typing, removals and a QSO
// between passes, then an export pass.
std::vector<Step> contest() {
    const Qso good = qso("JA1AAA", 0, "20m", "13"), dupe = qso("JA1AAA", 1, "20m", "13"),
              badCounty = qso("JA2BBB", 2, "40m", "99"), zero = qso("UA1CCC", 3, "15m", "13", "UA"),
              wrongBand = qso("JA3DDD", 4, "30m", "13"), later = qso("JA4EEE", 9, "10m", "01");
    std::vector<Step> steps = {{"ResetStats0", [] { return passStart(0); }}};
    for (const Qso* q : {&good, &dupe, &badCounty, &zero, &wrongBand})
        steps.push_back({"AddData0", [q = *q] { return adds(q); }});
    steps.push_back({"GetResult0", result});
    steps.push_back({"CheckCall0", [] { return checks("JA1AAA"); }});
    steps.push_back({"IsValidExchg0", [] { return IsValidExchg0("13", "", "", "", 0, 0, 0) == 1; }});
    steps.push_back({"RemoveData0", [dupe] { return removes(dupe); }});
    steps.push_back({"RemoveData0", [badCounty] { return removes(badCounty); }});
    steps.push_back({"AddData0", [later] { return adds(later); }});
    steps.push_back({"GetResult0", result});
    steps.push_back({"ResetStats0 (export)", [] { return passStart(1); }});
    for (const Qso* q : {&good, &dupe, &zero, &later}) steps.push_back({"AddData0", [q = *q] { return adds(q); }});
    steps.push_back({"GetResult0 (export)", result});
    return steps;
}

// What a run leaves: its last result and its files. The settings' start marker counts the pass starts that got
// as far as it, a failed one among them: it is left out.
std::string outputs() {
    int status = 0;
    std::string settings = test::readFile("Plugins/VU-VO.ini");
    for (std::string marker : {"Start=0\r\n", "Start=1\r\n"})
        if (const auto at = settings.find(marker); at != std::string::npos) settings.erase(at, marker.size());
    return std::string(GetResult0(&status)) + "\n--- bad QSOs\n" + test::readFile(test::kBadQsoFile) +
           "\n--- settings\n" + settings + "\n--- Cabrillo\n" + test::readFile("K1AR.cbr");
}

enum Exit { ranClean = 0, allocationNeverCame = 10, contractBroken = 11, logLeftBehind = 12 };

// In a child: the run up to the step, the step with its allocation number failAt failing (0: none), then the
// whole run again without faults; its outputs into the file. Returns the child's wait status.
int runChild(const std::vector<Step>& steps, std::size_t step, long failAt, const std::string& out) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        int code = ranClean;
        {
            test::ScratchFolder folder{test::ScratchFolder::current};
            setenv("VUVO_MESSAGE_LOG", folder.path("messages.txt").c_str(), 1);
            // What reaches the disk is not in question here, and each flush costs milliseconds.
            platform::posix::osCalls().fsync = [](int) { return 0; };
            resetPluginState();
            for (std::size_t s = 0; s < step; ++s) steps[s].call();
            g_allocations = 0;
            g_failAt = failAt;
            const bool answered = steps[step].call();
            g_failAt = 0;
            if (failAt > 0 && g_allocations < failAt) code = allocationNeverCame;
            else if (!answered) code = contractBroken;
            else if (std::string(steps[step].name).rfind("ResetStats0", 0) == 0 && g_log.size() != 0) code = logLeftBehind;
            for (const Step& s : steps) s.call();
            test::writeFile(out, outputs());
        }
        std::_Exit(code);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

TEST(AllocationSweep, EveryAllocationOfEveryCallFailingLeavesTheNextRunClean) {
    const std::vector<Step> steps = contest();
    test::ScratchFolder here{test::ScratchFolder::current};
    const std::string out = here.path("outputs.txt");
    ASSERT_EQ(0, runChild(steps, 0, 0, out));
    const std::string clean = test::readFile(out);
    ASSERT_NE(std::string::npos, clean.find("JA1AAA  599  13   DUPE !!!\r\n")) << clean;

    long swept = 0;
    for (std::size_t step = 0; step < steps.size(); ++step) {
        for (long failAt = 1;; ++failAt) {
            std::filesystem::remove(out);
            const int status = runChild(steps, step, failAt, out);
            const std::string where = std::string(steps[step].name) + " (step " + std::to_string(step) +
                                      "), allocation " + std::to_string(failAt);
            ASSERT_TRUE(WIFEXITED(status)) << where << " ended the process, signal " << WTERMSIG(status);
            if (WEXITSTATUS(status) == allocationNeverCame) break;
            ++swept;
            EXPECT_EQ(ranClean, WEXITSTATUS(status)) << where;
            EXPECT_EQ(clean, test::readFile(out)) << where;
            if (HasFailure()) return;
        }
    }
    // Every call allocates: a sweep that failed nothing proves nothing.
    EXPECT_GT(swept, static_cast<long>(steps.size()));
    std::printf("swept %ld failing allocations over %zu calls\n", swept, steps.size());
}

} // namespace
