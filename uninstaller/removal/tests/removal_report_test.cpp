#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uninstaller/removal/removal_report.h"

namespace {

class LinesSink : public ReportSink {
public:
    void WriteLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

class RemovalReportTest : public ::testing::Test {
protected:
    LinesSink sink;
    // The system's texts end in a line break, as FormatMessage gives them.
    RemovalReport report{sink, [](SystemError error) {
                             if (error == 32)
                                 return CString("The process cannot access the file.\r\n");
                             if (error == 5)
                                 return CString("Access is denied. \r\n");
                             return CString();
                         }};
};

TEST_F(RemovalReportTest, TheHeaderNamesTimeModeProductAndFolders)
{
    ProductValues product;
    product.RunMode = RunModeSilentUninstall;
    product.ProductCode = "{P}";
    product.ProductDisplayName = "Sample";
    product.InstallFolder = "C:\\Apps\\Sample\\";
    product.ProductFolder = "C:\\Windows\\Installer\\{P}\\";
    report.Header(ReportTime{2024, 3, 7, 9, 5, 1}, product);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{
                              "kelrun removal report",
                              "Time: 2024-03-07 09:05:01",
                              "Mode: /S (silent uninstall)",
                              "Product: Sample",
                              "Product code: {P}",
                              "InstallFolder: C:\\Apps\\Sample\\",
                              "ProductFolder: C:\\Windows\\Installer\\{P}\\",
                              "",
                          }));

    const struct {
        int mode;
        const char* text;
    } modes[] = {{RunModeUninstall, "Mode: /R (uninstall)"}, {RunModeModify, "Mode: /I (modify)"}};
    for (const auto& m : modes) {
        SCOPED_TRACE(m.text);
        sink.lines.clear();
        product.RunMode = m.mode;
        report.Header(ReportTime{}, product);
        ASSERT_GE(sink.lines.size(), 3u);
        EXPECT_EQ(sink.lines[2], m.text);
    }
}

TEST_F(RemovalReportTest, EachResultReadsAsItIs)
{
    RemovalOutcome failedTwice = RemovalOutcome::Of(RemovalResult::Failed, 32);
    failedTwice.scheduleError = 5;
    RemovalOutcome failedWithDetail = RemovalOutcome::Of(RemovalResult::Failed, 145);
    failedWithDetail.detail = "a link, left as it is";
    const struct {
        RemovalOutcome outcome;
        const char* text;
    } cases[] = {
        {RemovalOutcome::Of(RemovalResult::Removed), "removed"},
        {RemovalOutcome::Of(RemovalResult::AlreadyGone), "already gone"},
        {RemovalOutcome::Of(RemovalResult::Failed, 5), "failed (error 5: Access is denied.)"},
        // No text from the system: the number alone.
        {RemovalOutcome::Of(RemovalResult::Failed, 1234), "failed (error 1234)"},
        {failedTwice,
         "failed (error 32: The process cannot access the file.), and could not be scheduled for removal at "
         "restart (error 5: Access is denied.)"},
        {failedWithDetail, "failed (error 145): a link, left as it is"},
        {RemovalOutcome::Of(RemovalResult::Scheduled, 32),
         "in use or locked, scheduled for removal at restart (error 32: The process cannot access the file.)"},
        {RemovalOutcome::With(RemovalResult::Refused, "a drive or share root"),
         "refused by the tree guard: a drive or share root"},
        {RemovalOutcome::With(RemovalResult::Skipped, "not a full path"), "skipped: not a full path"},
        {RemovalOutcome::With(RemovalResult::Done, "ran C:\\x.exe"), "ran C:\\x.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(report.FormatOutcome(c.outcome), c.text);
    }
}

// Whatever a log value holds, one thing acted on is one line of the report.
TEST_F(RemovalReportTest, ALineStaysOneLineWhateverItsTextsHold)
{
    report.Line("FILE", CString("C:\\a\rb.txt\t"), RemovalOutcome::Of(RemovalResult::Removed));
    report.TreeItem("C:\\Apps\\x\ny", RemovalOutcome::Of(RemovalResult::Scheduled, 32));
    report.Note("two\r\nlines\r\n");
    EXPECT_EQ(sink.lines, (std::vector<std::string>{
                              "FILE C:\\a b.txt : removed",
                              "  C:\\Apps\\x y: in use or locked, scheduled for removal at restart (error 32: The process "
                              "cannot access the file.)",
                              "two  lines",
                          }));
}

TEST_F(RemovalReportTest, TheLastLineIsTheExitCodeWithItsMeaning)
{
    const struct {
        int code;
        const char* line;
    } cases[] = {
        {0, "Exit code: 0 (the removal ran)"},
        {3010, "Exit code: 3010 (a restart completes the removal)"},
        {1602, "Exit code: 1602 (the user cancelled: nothing was removed)"},
        {1603, "Exit code: 1603 (the run could not start)"},
        {1605, "Exit code: 1605 (no uninstall information for the product)"},
        {1639, "Exit code: 1639 (bad command line)"},
        {7, "Exit code: 7 (unknown)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        sink.lines.clear();
        report.ExitCode(c.code);
        EXPECT_EQ(sink.lines, (std::vector<std::string>{"", c.line}));
    }
}

// The product code comes from the command line: it names the report's file
// but may never lead it into another folder or make the name invalid.
TEST(ReportFileName, KeepsTheCodeButNothingAFileNameCannotHold)
{
    const struct {
        const char* code;
        const char* name;
    } cases[] = {
        {"{6F3A2C1E-5B7D-4E8A-9C0F-2D4B6A8E1C35}", "kelrun {6F3A2C1E-5B7D-4E8A-9C0F-2D4B6A8E1C35}.log"},
        {"", "kelrun .log"},
        {"..\\..\\Windows\\system32\\evil", "kelrun .._.._Windows_system32_evil.log"},
        {"C:/x:y*?\"<>|", "kelrun C__x_y______.log"},
        {"a\tb", "kelrun a_b.log"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(ReportFileName(c.code), c.name);
    }
}

}  // namespace
