// kelrun's call of a removal library's export, against a real library: the
// export removes its one argument itself (stdcall), and a call that
// disagrees moves the caller's stack on 32-bit x86.
#include "uninstaller/removal/library_export_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/handle_win.h"
#include "tests/support/test_support_win.h"
#include "uninstaller/removal/library_argument.h"

namespace {

// Calls the export three times from one place, through kelrun's own call. A
// frame pointer of its own puts back a stack that a wrong call moved, so
// that the test sees the slip instead of crashing on it.
__attribute__((noinline, optimize("no-omit-frame-pointer"))) void CallThreeTimes(LibraryExport function,
                                                                                  char* buffer)
{
    for (int call = 0; call < 3; ++call)
        CallLibraryExport(function, buffer);
}

// Where each call found the stack ("stack|<frame>|<text>" lines of the sample
// library), after checking that each got the library's path.
std::vector<std::string> StackPlaces(const char* exportName)
{
    testsupport::ScratchFolder scratch("stack");
    const std::string record = scratch.Path() + "\\record.txt";
    testsupport::ScopedEnvironment recordTo("KELRUN_RECORD_FILE", record);
    const CString path = testsupport::HelperProgram("record_hook.dll");
    CLibrary library(::LoadLibraryA(path));
    EXPECT_TRUE(library);
    const auto function =
        reinterpret_cast<LibraryExport>(reinterpret_cast<void*>(::GetProcAddress(library.Get(), exportName)));
    EXPECT_NE(function, nullptr) << exportName;
    if (!function)
        return {};
    std::vector<char> buffer = LibraryArgument(path);
    CallThreeTimes(function, buffer.data());

    std::vector<std::string> places;
    for (const std::string& line : testsupport::ReadLines(record)) {
        const std::size_t bar = line.rfind('|');
        EXPECT_EQ(line.substr(bar + 1), path.GetString());
        places.push_back(line.substr(0, bar));
    }
    return places;
}

TEST(LibraryExportCallTest, AnExportFindsTheStackWhereItWasAtEveryCall)
{
    const std::vector<std::string> places = StackPlaces("RecordStack");
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[1], places[0]);
    EXPECT_EQ(places[2], places[0]);
}

// The check has teeth: an export of the C convention, which leaves its
// argument behind, moves the stack at every call on 32-bit x86. On x86-64
// there is only one convention.
TEST(LibraryExportCallTest, AnExportOfTheCConventionMovesTheStackOn32BitX86)
{
    const std::vector<std::string> places = StackPlaces("RecordStackCdecl");
    ASSERT_EQ(places.size(), 3u);
#ifdef _WIN64
    EXPECT_EQ(places[1], places[0]);
#else
    EXPECT_NE(places[1], places[0]);
#endif
}

}  // namespace
