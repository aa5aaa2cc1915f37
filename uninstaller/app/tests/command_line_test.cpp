#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uninstaller/app/command_line.h"

namespace {

TEST(ParseRunSwitch, FindsTheSwitchAnywhereAndTheLaterTestWins)
{
    const struct {
        const char* argument;
        int mode;
    } cases[] = {
        {"/R", RunModeUninstall},
        {"/I", RunModeModify},
        {"/S", RunModeSilentUninstall},
        {"/R/S", RunModeSilentUninstall},
        {"/S/R", RunModeSilentUninstall},
        {"/I/R", RunModeModify},
        {"x/Ry", RunModeUninstall},
        {"-R", RunModeNone},
        {"/r", RunModeNone},
        {"/ R", RunModeNone},
        {"", RunModeNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        EXPECT_EQ(ParseRunSwitch(c.argument), c.mode);
    }
}

TEST(UsageMessage, HasSevenLinesJoinedByCarriageReturnAndLineFeed)
{
    const std::string text = UsageMessage().str();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));

    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Parvane Uninstaller");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[3], "kelrun.exe /R {productcode} to uninstall.");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "kelrun.exe /S {productcode} to silent uninstall.");
    for (const std::string& line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
}

TEST(BuildProductPaths, PutsExactlyOneBackslashAfterTheWindowsFolder)
{
    for (const char* windows : {"C:\\WINDOWS", "C:\\WINDOWS\\"}) {
        SCOPED_TRACE(windows);
        ProductValues product;
        product.ProductCode = "{A1-B2}";
        BuildProductPaths(product, windows);
        EXPECT_EQ(product.UninstallKeyPath, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{A1-B2}");
        EXPECT_EQ(product.ProductFolder, "C:\\WINDOWS\\Installer\\{A1-B2}\\");
        EXPECT_EQ(product.UninstallLogPath, "C:\\WINDOWS\\Installer\\{A1-B2}\\uninstall.log");
        EXPECT_EQ(product.ThemeFolder, "C:\\WINDOWS\\Installer\\{A1-B2}\\theme\\");
        EXPECT_EQ(product.LanguageFilePath, "C:\\WINDOWS\\Installer\\{A1-B2}\\language.lan");
    }
}

TEST(BuildProductPaths, TakesTheProductCodeVerbatim)
{
    ProductValues product;
    product.ProductCode = "50%s off";
    BuildProductPaths(product, "C:\\Windows");
    EXPECT_EQ(product.UninstallLogPath, "C:\\Windows\\Installer\\50%s off\\uninstall.log");

    product.ProductCode = "";
    BuildProductPaths(product, "C:\\Windows");
    EXPECT_EQ(product.UninstallKeyPath, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");
}

TEST(ConfirmationQuestion, UsesTheLanguageTextElseTheBuiltInQuestion)
{
    EXPECT_EQ(ConfirmationQuestion("Remove <ProductName> now?", "Sample", "{P}"), "Remove Sample now?");
    EXPECT_EQ(ConfirmationQuestion("", "Sample", "{P}"),
              "This will remove Sample from your system, do you want to continue?");
    // No display name: the two blanks around it stay side by side.
    EXPECT_EQ(ConfirmationQuestion("", "", "{P}"), "This will remove  from your system, do you want to continue?");
    EXPECT_EQ(ConfirmationQuestion("", "100% <ProductCode>", "{P}"),
              "This will remove 100% <ProductCode> from your system, do you want to continue?");
}

TEST(UnreadableLogMessage, NamesThePathAndTheSystemsReason)
{
    const char* const log = "C:\\Windows\\Installer\\{P}\\uninstall.log";
    const CString head = "Uninstallation information cannot be read. Parvane can't uninstall this software\r\n\r\n";
    const struct {
        const char* reason;
        std::uint32_t code;
        const char* shown;
    } cases[] = {
        {"Access denied.\r\n", 5, "Access denied."},
        {"The process cannot access the file because it is being used by another process. \r\n", 32,
         "The process cannot access the file because it is being used by another process."},
        {"Sharing violation.", 32, "Sharing violation."},
        // No text from the system: the number still tells an administrator why.
        {"", 1392, "System error 1392."},
        {"\r\n", 5, "System error 5."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(UnreadableLogMessage(log, c.reason, c.code), head + log + "\r\n" + c.shown);
    }
}

// A run that left files for the restart says so after "Product uninstalled.";
// a language file may translate the sentence, with the product's name in it.
TEST(RestartSentence, UsesTheLanguageTextElseTheBuiltInSentence)
{
    const struct {
        const char* languageText;
        const char* sentence;
    } cases[] = {
        {"", "Some files are in use. They will be removed when Windows restarts."},
        {"Neu starten, um <ProductName> zu entfernen.", "Neu starten, um Sample 100% zu entfernen."},
        {"<ProductCode> wartet.", "{P} wartet."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.languageText);
        EXPECT_EQ(RestartSentence(c.languageText, "Sample 100%", "{P}"), c.sentence);
    }
}

TEST(UninstalledMessage, PutsTheNoteOnALineOfItsOwn)
{
    EXPECT_EQ(UninstalledMessage(""), "Product uninstalled.");
    EXPECT_EQ(UninstalledMessage("Some files are in use. They will be removed when Windows restarts."),
              "Product uninstalled.\r\nSome files are in use. They will be removed when Windows restarts.");
}

}  // namespace
