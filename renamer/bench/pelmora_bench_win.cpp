// Times Pelmora on a folder of many files, as a user runs it, against a bare
// rename loop over the same names:
//   - the file list: from the double click on the folder to a filled list;
//   - the batch: from "Yes" in the confirmation box to "Done !";
//   - the bare loop: MoveFileW over the same old and new names in a twin
//     folder, once before the batch and once after it in a third folder. The
//     batch is compared with the mean of the two, so that a change in the
//     machine's load during the run weighs on both sides alike.
// Every other name is Cyrillic, so that the names go through the UTF-16
// calls as they are. It runs in a Wine prefix (tools/bench/run-benchmarks.sh)
// and prints one line a figure.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "renamer/batch_texts.h"
#include "renamer/control_ids.h"
#include "renamer/name_rule.h"
#include "renamer/natural_order.h"
#include "renamer/utf.h"
#include "tests/support/test_support_win.h"
#include "tools/uidriver/uidriver.h"

namespace {

constexpr DWORD kTimeoutMs = 120000;
// Polls as often as a thread can sleep, so that the figures are not rounded
// up to a coarse polling step.
constexpr DWORD kPollMs = 1;
constexpr DWORD kBatchPollMs = 50;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

std::wstring Wide(const CString& utf8)
{
    const std::u16string units = pelmora::ToUtf16(utf8.view());
    return std::wstring(units.begin(), units.end());
}

bool MakeFiles(const std::string& folder, const std::vector<CString>& names)
{
    testsupport::MakeFolders(folder);
    for (const CString& name : names) {
        HANDLE file = ::CreateFileW(Wide(CString(folder) + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        ::CloseHandle(file);
    }
    return testsupport::NamesIn(folder).size() == names.size();
}

// MoveFileW over the batch's names in `folder`, the names made wide before
// the clock starts; seconds, or a negative number when a rename fails.
double BareLoopSeconds(const std::string& folder, const std::vector<CString>& names, const std::string& prefix)
{
    std::vector<std::pair<std::wstring, std::wstring>> renames;
    for (const pelmora::RenameStep& step : pelmora::PlanBatch(folder.c_str(), names, prefix.c_str()))
        renames.emplace_back(Wide(step.oldPath), Wide(step.newPath));
    const LARGE_INTEGER start = Now();
    for (const auto& [from, to] : renames) {
        if (!::MoveFileW(from.c_str(), to.c_str()))
            return -1;
    }
    return Seconds(start, Now());
}

int Fail(const char* what)
{
    std::fprintf(stderr, "pelmora_bench: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::string root = "C:\\pelmora-bench";
    const std::string files = root + "\\files";
    const std::string bareBefore = root + "\\bare-before";
    const std::string bareAfter = root + "\\bare-after";
    const std::string prefix = "Bench";

    std::vector<CString> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(CString::Format(i % 2 ? "photo%d.jpg" : "фото%d.jpg", i));
    pelmora::SortNaturally(names);  // the order Pelmora renames them in

    testsupport::RemoveTree(root);
    if (!::CreateDirectoryA(root.c_str(), nullptr) || !MakeFiles(files, names) || !MakeFiles(bareBefore, names) ||
        !MakeFiles(bareAfter, names))
        return Fail("cannot make the folders");

    // The bare loop: the same renames with nothing around them.
    const double bareBeforeSeconds = BareLoopSeconds(bareBefore, names, prefix);
    if (bareBeforeSeconds < 0)
        return Fail("bare rename failed");

    const std::string exe = testsupport::WindowsPathOf(PELMORA_EXE);
    uidriver::Process program;
    if (!program.Start(uidriver::BuildCommandLine({exe}), root))
        return Fail("cannot start Pelmora");
    uidriver::WindowQuery query;
    query.processId = program.Id();
    query.caption = "Pelmora 1.0";
    HWND main = uidriver::WaitForTopLevel(query, kTimeoutMs);
    if (!main || !uidriver::WaitForChildById(main, pelmora::IDC_LABEL7, kTimeoutMs))
        return Fail("no main window");
    HWND dir1 = uidriver::FindChildById(main, pelmora::IDC_DIR1);
    HWND file1 = uidriver::FindChildById(main, pelmora::IDC_FILE1);
    HWND label3 = uidriver::FindChildById(main, pelmora::IDC_LABEL3);
    std::vector<std::string> dirs;
    if (!testsupport::WaitUntil([&] {
            dirs = uidriver::GetListItems(dir1);
            return std::find(dirs.begin(), dirs.end(), "files") != dirs.end();
        }, kTimeoutMs, kPollMs))
        return Fail("the folder list does not show the bench folder");

    const int line = static_cast<int>(std::find(dirs.begin(), dirs.end(), "files") - dirs.begin());
    const LARGE_INTEGER listStart = Now();
    if (!uidriver::DoubleClickListItem(dir1, line))
        return Fail("cannot double-click the folder");
    const auto listFilled = [&] { return ::SendMessageA(file1, LB_GETCOUNT, 0, 0) == count; };
    if (!testsupport::WaitUntil(listFilled, kTimeoutMs, kPollMs))
        return Fail("the file list does not fill");
    const double listSeconds = Seconds(listStart, Now());

    uidriver::SetText(uidriver::FindChildById(main, pelmora::IDC_TEXT1), prefix);
    uidriver::Click(uidriver::FindChildById(main, pelmora::IDC_COMMAND3));
    uidriver::MessageBoxInfo box;
    if (!uidriver::WaitForMessageBox(program.Id(), kTimeoutMs, &box))
        return Fail("no confirmation box");
    const LARGE_INTEGER batchStart = Now();
    // The answer is posted to the box; the batch starts when the box closes.
    if (!::PostMessageA(uidriver::FindChildById(box.window, IDYES), BM_CLICK, 0, 0))
        return Fail("cannot answer Yes");
    // Pelmora takes no messages until the batch ends; a read sent meanwhile
    // waits, and one sent after Wine takes the program for hung returns at
    // once. A read every few milliseconds would start threads and messages
    // by the thousand while the renames run, which costs the batch time of
    // its own: a coarser step costs the figure a fraction of a per cent.
    if (!testsupport::WaitUntil([&] { return uidriver::GetText(label3) == pelmora::kBatchDoneText; }, kTimeoutMs,
                                kBatchPollMs))
        return Fail("the batch does not end");
    const double batchSeconds = Seconds(batchStart, Now());

    const bool allRenamed = testsupport::PathExists(files + "\\" + prefix + std::to_string(count - 1) + ".jpg");
    uidriver::Click(uidriver::FindChildById(main, pelmora::IDC_COMMAND5));
    if (uidriver::WaitForMessageBox(program.Id(), kTimeoutMs, &box))
        uidriver::AnswerMessageBox(box, IDOK);
    DWORD exitCode = 0;
    if (!program.WaitForExit(10000, &exitCode))
        program.Terminate();
    if (!allRenamed)
        return Fail("the batch did not rename every file");
    const double bareAfterSeconds = BareLoopSeconds(bareAfter, names, prefix);
    testsupport::RemoveTree(root);
    if (bareAfterSeconds < 0)
        return Fail("bare rename failed");
    const double bareSeconds = (bareBeforeSeconds + bareAfterSeconds) / 2;

    std::printf("files                  %d\n", count);
    std::printf("file list filled       %.3f s   (target < 0.2 s)\n", listSeconds);
    std::printf("batch, Yes to Done !   %.3f s\n", batchSeconds);
    std::printf("bare MoveFileW loop    %.3f s   (%.3f s before, %.3f s after)\n", bareSeconds, bareBeforeSeconds,
                bareAfterSeconds);
    std::printf("batch / bare loop      %.3f    (target <= 1.05)\n", batchSeconds / bareSeconds);
    return 0;
}
