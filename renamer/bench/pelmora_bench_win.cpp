// Times Pelmora on a folder of many files, as a user runs it, against a bare
// rename loop over the same names:
//   - the file list: from the double click on the folder to a filled list;
//   - the batch: from "Yes" in the confirmation box to "Done !";
//   - the bare loop: MoveFile over the same old and new names in a twin folder.
// It runs in a Wine prefix (tools/bench/run-benchmarks.sh) and prints one
// line a figure.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "renamer/batch_texts.h"
#include "renamer/control_ids.h"
#include "renamer/name_rule.h"
#include "renamer/natural_order.h"
#include "tests/support/test_support_win.h"
#include "tools/uidriver/uidriver.h"

namespace {

constexpr DWORD kTimeoutMs = 120000;
// Polls as often as a thread can sleep, so that the figures are not rounded
// up to a coarse polling step.
constexpr DWORD kPollMs = 1;

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

bool MakeFiles(const std::string& folder, const std::vector<std::string>& names)
{
    testsupport::MakeFolders(folder);
    for (const std::string& name : names)
        testsupport::WriteFile(folder + "\\" + name, "");
    return testsupport::NamesIn(folder).size() == names.size();
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
    const std::string bare = root + "\\bare";
    const std::string prefix = "Bench";

    std::vector<CString> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(CString::Format("photo%d.jpg", i));
    pelmora::SortNaturally(names);  // the order Pelmora renames them in
    std::vector<std::string> plain(names.begin(), names.end());

    testsupport::RemoveTree(root);
    if (!::CreateDirectoryA(root.c_str(), nullptr) || !MakeFiles(files, plain) || !MakeFiles(bare, plain))
        return Fail("cannot make the folders");

    // The bare loop: the same renames with nothing around them.
    const auto plan = pelmora::PlanBatch(bare.c_str(), names, prefix.c_str());
    const LARGE_INTEGER bareStart = Now();
    for (const pelmora::RenameStep& step : plan) {
        if (!::MoveFileA(step.oldPath, step.newPath))
            return Fail("bare rename failed");
    }
    const double bareSeconds = Seconds(bareStart, Now());

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
    if (!testsupport::WaitUntil([&] { return uidriver::GetText(label3) == pelmora::kBatchDoneText; }, kTimeoutMs,
                                kPollMs))
        return Fail("the batch does not end");
    const double batchSeconds = Seconds(batchStart, Now());

    const bool allRenamed = testsupport::PathExists(files + "\\" + prefix + std::to_string(count - 1) + ".jpg");
    uidriver::Click(uidriver::FindChildById(main, pelmora::IDC_COMMAND5));
    if (uidriver::WaitForMessageBox(program.Id(), kTimeoutMs, &box))
        uidriver::AnswerMessageBox(box, IDOK);
    DWORD exitCode = 0;
    if (!program.WaitForExit(10000, &exitCode))
        program.Terminate();
    testsupport::RemoveTree(root);
    if (!allRenamed)
        return Fail("the batch did not rename every file");

    std::printf("files                  %d\n", count);
    std::printf("file list filled       %.3f s   (target < 1 s)\n", listSeconds);
    std::printf("batch, Yes to Done !   %.3f s\n", batchSeconds);
    std::printf("bare MoveFile loop     %.3f s\n", bareSeconds);
    std::printf("batch / bare loop      %.2f     (target <= 1.5)\n", batchSeconds / bareSeconds);
    return 0;
}
