// The plug-in in a host process where another add-on has already brought GCC's shared runtime
// (VUVO_GCC_RUNTIME_DLL, copied beside this program by the build): an exception thrown inside an export must still
// be caught there, the export must return its documented value, and the plug-in must go on answering.
#include <windows.h>

#include <string>
#include <vector>

#include "plugin_host.h"

#include <gtest/gtest.h>

namespace {

#if !defined(_WIN64)
// Reserves every free piece of the address space of 64 KiB or more, largest first, so that any large allocation
// fails; the reservations go when the object does.
class AddressSpaceHog {
public:
    AddressSpaceHog() {
        for (SIZE_T size = SIZE_T{1} << 30; size >= (SIZE_T{1} << 16); size /= 2) {
            while (void* block = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS)) m_blocks.push_back(block);
        }
    }
    ~AddressSpaceHog() { release(); }
    void release() {
        for (void* block : m_blocks) VirtualFree(block, 0, MEM_RELEASE);
        m_blocks.clear();
    }
    std::size_t count() const { return m_blocks.size(); }

private:
    std::vector<void*> m_blocks;
};
#endif

const COleDateTime kStart = COleDateTime::fromParts(2026, 4, 11, 7, 0);
const COleDateTime kEnd = COleDateTime::fromParts(2026, 4, 12, 13, 0);

const char kTwoQsoResult[] =
    "    JIDX-CW-CONTEST 11.04-12.04.2026\r\n"
    "\tContestant: K1VU \r\n"
    "\tQSOs\tPoints\tCounty\r\n"
    "40m\t 1\t 1\t 1\r\n"
    "20m\t 1\t 1\t 1\r\n"
    "Total\t 2\t 2\t 2\r\n"
    "Dupe\t 0\r\n"
    "Bad QSO\t 0\r\n"
    "\r\n"
    "Score: 2*2 = 4\r\n"
    "\t\t\tRate\r\n"
    "Hourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
    "Hourly (10min) pts rate:     1 (6) points/hour\r\n"
    "\r\n"
    "Last QSO: 1 points\r\n"
    "\r\n"
    "VU-VO contest statistics for JIDX";

} // namespace

TEST(PreloadedRuntime, ExceptionsInsideTheExportsAreCaughtThere) {
    HMODULE runtime = LoadLibraryA(VUVO_GCC_RUNTIME_DLL);
    ASSERT_NE(nullptr, runtime) << VUVO_GCC_RUNTIME_DLL << ": error " << GetLastError();
    test::ScratchFolder folder{test::ScratchFolder::current};
    PluginHost plugin;
    std::string why;
    ASSERT_TRUE(plugin.load(why)) << why;
    plugin.reset("K1VU", "K", kStart, kEnd);

#if defined(_WIN64)
    // x86-64 unwinds through the system's tables, whatever runtime is loaded. Its 128 TiB of address space cannot
    // be used up here: Wine keeps a protection byte per page of what is reserved, and the process is killed for
    // memory first. So only the i686 build makes the exports fail to allocate.
#else
    // Built before the address space goes: copying it is the allocation that fails.
    const std::string huge(16 << 20, 'W');
    const PassQso hugeQso{huge.c_str(), COleDateTime::fromParts(2026, 4, 11, 12, 0), 14025000, "CW", "13", "JA",
                          "20m"};
    int added = -1, removed = -1, checked = -1, reset = -1;
    std::size_t reservations = 0;
    {
        AddressSpaceHog hog;
        reservations = hog.count();
        added = plugin.add("K1VU", hugeQso);
        removed = plugin.remove("K1VU", hugeQso);
        char out27[64] = "", out28[64] = "";
        checked = plugin.CheckCall0(huge.c_str(), 0, 0, "CW", "", "", "", "", "", "", "", "", "", "JA", 0, 0, 0,
                                    0.0, 0.0, "", "", "", "", "", "20m", "", out27, out28);
        COleDateTime start = kStart, end = kEnd;
        reset = plugin.ResetStats0(huge.c_str(), 0, "K1VU", &start, &end, "", "", "", "", "", "", "", "", "",
                                   "K", 0, 0, 0, 0.0, 0.0, "", "", "");
    }
    EXPECT_LT(0u, reservations);
    EXPECT_EQ(0, added);   // not stored
    EXPECT_EQ(1, removed);
    EXPECT_EQ(4, checked); // cannot count
    EXPECT_EQ(1, reset);

#endif
    // Alive, and the plug-in answers as ever.
    plugin.reset("K1VU", "K", kStart, kEnd);
    EXPECT_EQ(1, plugin.add("K1VU", {"JA1ABC", COleDateTime::fromParts(2026, 4, 11, 12, 0), 14025000, "CW", "13",
                                     "JA", "20m"}));
    EXPECT_EQ(1, plugin.add("K1VU", {"JA2XYZ", COleDateTime::fromParts(2026, 4, 11, 12, 5), 7010000, "CW", "20",
                                     "JA", "40m"}));
    EXPECT_EQ(kTwoQsoResult, plugin.result());
    FreeLibrary(runtime);
}
