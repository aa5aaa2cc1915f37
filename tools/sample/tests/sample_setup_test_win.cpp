// sample_setup and the removal helpers in the running prefix: the install
// must leave everything its log names, the report must tell present from
// gone, and the helpers must record exactly what they were given.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/handle_win.h"
#include "tests/support/test_support_win.h"
#include "tools/sample/record_file_win.h"
#include "tools/sample/sample_setup_win.h"
#include "tools/uidriver/uidriver.h"

namespace {

constexpr DWORD kRunMs = 60000;

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

// Runs a program to its end and gives its exit code (or -1) and its output.
long RunAndCapture(const std::string& commandLine, std::string* output, const std::string& folder = "")
{
    return testsupport::RunCapturingOutput(commandLine, output, kRunMs, folder);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadValue(HKEY root, const std::string& keyPath, const std::string& name, std::string* data)
{
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1;
    if (RegGetValueA(root, keyPath.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS)
        return false;
    *data = buffer;
    return true;
}

void RemoveTree(const std::string& folder)
{
    std::string from = folder;
    from.append(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
}

void DeleteServiceNamed(const std::string& name)
{
    CServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    CServiceHandle service(manager ? OpenServiceA(manager.Get(), name.c_str(), DELETE) : nullptr);
    if (service)
        DeleteService(service.Get());
}

// A product of its own per test process, so tests can run side by side in
// one prefix, with a record file of its own.
class SampleSetupTest : public ::testing::Test {
protected:
    SampleSetupTest()
        : id_(std::to_string(GetCurrentProcessId())),
          layout_(SmallLibrary(sample::LocateOnThisMachine("{SAMPLE-TEST-" + id_ + "}", "Parvane Test " + id_,
                                                           "C:\\Sample Test " + id_)))
    {
    }

    // The demo's thousands of library files only slow the tests down.
    static constexpr int kTestLibraryFiles = 12;
    static sample::Locations SmallLibrary(sample::Locations where)
    {
        where.libraryFiles = kTestLibraryFiles;
        return where;
    }

    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        recordFile_ = std::string(temp) + "sample-records-" + id_ + ".txt";
        DeleteFileA(recordFile_.c_str());
        SetEnvironmentVariableA("KELRUN_RECORD_FILE", recordFile_.c_str());
        std::string output;
        ASSERT_EQ(RunAndCapture(Setup("install"), &output), 0) << output;
    }

    void TearDown() override
    {
        const sample::Locations& where = layout_.Where();
        RemoveTree(where.installFolder);
        RemoveTree(layout_.StartMenuFolder());
        RemoveTree(layout_.ProductFolder());
        for (const sample::Shortcut& shortcut : layout_.Shortcuts())
            DeleteFileA(shortcut.path.c_str());
        DeleteServiceNamed(layout_.ServiceName());
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + where.name).c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("Software\\" + where.name).c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, layout_.UninstallKeyPath().c_str());
        DeleteFileA(recordFile_.c_str());
        SetEnvironmentVariableA("KELRUN_RECORD_FILE", nullptr);
    }

    std::string Setup(const std::string& command) const
    {
        const sample::Locations& where = layout_.Where();
        return uidriver::BuildCommandLine({OwnFolder() + "\\sample_setup.exe", command, "--code",
                                           where.code, "--name", where.name, "--folder",
                                           where.installFolder, "--library", std::to_string(kTestLibraryFiles)});
    }
    std::vector<std::string> Records() const { return Lines(ReadFileText(recordFile_)); }
    std::string Installed(const char* relative) const
    {
        return layout_.Where().installFolder + "\\" + relative;
    }

    std::string id_;
    sample::Layout layout_;
    std::string recordFile_;
};

TEST_F(SampleSetupTest, InstallLeavesEverythingItsLogNames)
{
    const std::string log = ReadFileText(layout_.ProductFolder() + "\\uninstall.log");
    ASSERT_EQ(log, layout_.UninstallLog());
    EXPECT_EQ(ReadFileText(layout_.ProductFolder() + "\\language.lan"), layout_.LanguageFile());
    EXPECT_EQ(ReadFileText(layout_.UninstallPagePath()), layout_.UninstallPage());
    // The page's background is a JPEG picture, where the page names it.
    const std::string picture = ReadFileText(layout_.PagePicturePath());
    ASSERT_GT(picture.size(), 2u);
    EXPECT_EQ(picture.substr(0, 2), "\xFF\xD8");

    for (const std::string& line : Lines(log)) {
        SCOPED_TRACE(line);
        const std::string key = line.substr(0, line.find('='));
        const std::string value = line.substr(line.find('=') + 1);
        if (key == "FILE" || key == "SHORTCUT" || key == "DIR") {
            EXPECT_TRUE(Exists(value));
        } else if (key == "REGVAL") {
            const std::size_t root = value.find('\\');
            const std::size_t name = value.rfind('\\');
            std::string data;
            EXPECT_TRUE(ReadValue(sample::RootKeyByName(value.substr(0, root)),
                                  value.substr(root + 1, name - root - 1), value.substr(name + 1),
                                  &data));
        } else if (key == "NTSERVICE") {
            CServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
            CServiceHandle service(
                OpenServiceA(manager.Get(), value.c_str(), SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS));
            ASSERT_TRUE(service);
            SERVICE_STATUS status{};
            ASSERT_TRUE(QueryServiceStatus(service.Get(), &status));
            EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));
            std::vector<char> buffer(8192);
            auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
            DWORD needed = 0;
            ASSERT_TRUE(QueryServiceConfigA(service.Get(), config,
                                            static_cast<DWORD>(buffer.size()), &needed));
            EXPECT_EQ(config->dwStartType, static_cast<DWORD>(SERVICE_DEMAND_START));
            EXPECT_EQ(std::string(config->lpBinaryPathName), "\"" + Installed("cleanup.exe") + "\"");
        } else if (key == "RUN3RD" && value.compare(0, 4, "http") != 0) {
            EXPECT_TRUE(Exists(Installed(value.c_str())));
        }
    }

    for (const sample::File& file : layout_.Files()) {
        SCOPED_TRACE(file.path);
        const DWORD attributes = GetFileAttributesA(file.path.c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ((attributes & FILE_ATTRIBUTE_READONLY) != 0, (file.flags & sample::kReadOnly) != 0);
        EXPECT_EQ((attributes & FILE_ATTRIBUTE_HIDDEN) != 0, (file.flags & sample::kHidden) != 0);
    }

    std::string data;
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, layout_.UninstallKeyPath(), "LastInstallationPath",
                          &data));
    EXPECT_EQ(data, layout_.Where().installFolder + "\\");
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, layout_.UninstallKeyPath(), "DisplayName", &data));
    EXPECT_EQ(data, layout_.Where().name);
}

TEST_F(SampleSetupTest, KelcheckFindsNothingToSayAboutTheInstalledProduct)
{
    std::string output;
    EXPECT_EQ(RunAndCapture(uidriver::BuildCommandLine({testsupport::WindowsPathOf(KELCHECK_PROGRAM), layout_.Where().code}), &output), 0)
        << output;
    EXPECT_EQ(Lines(output), std::vector<std::string>{"0 errors, 0 warnings"});
}

TEST_F(SampleSetupTest, InstallingAgainOverReadOnlyFilesSucceeds)
{
    std::string output;
    EXPECT_EQ(RunAndCapture(Setup("install"), &output), 0) << output;
}

TEST_F(SampleSetupTest, ReportTellsWhatIsPresentAndWhatIsGone)
{
    // Take away one thing of each kind, as a partial removal would.
    const std::string removedFile = Installed("settings.ini");  // read-only
    SetFileAttributesA(removedFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(DeleteFileA(removedFile.c_str()));
    const sample::RegistryValue removedValue = layout_.RegistryValues().front();
    ASSERT_EQ(RegDeleteKeyValueA(sample::RootKeyByName(removedValue.root),
                                 removedValue.keyPath.c_str(), removedValue.valueName.c_str()),
              ERROR_SUCCESS);
    DeleteServiceNamed(layout_.ServiceName());
    sample::AppendRecord("program|first line");

    std::string output;
    ASSERT_EQ(RunAndCapture(Setup("report"), &output), 0);
    std::vector<std::string> gone;
    bool recordShown = false;
    for (const std::string& line : Lines(output)) {
        if (line.compare(0, 7, "  gone ") == 0)
            gone.push_back(line);
        recordShown = recordShown || line == "  program|first line";
    }
    const std::vector<std::string> expected = {
        "  gone     " + removedFile,
        "  gone     " + removedValue.LogPath() + "  (the key is still there)",
        "  gone     " + layout_.ServiceName(),
        "  gone     " + layout_.UninstallerPath(),  // no --kelrun given
    };
    EXPECT_EQ(gone, expected) << output;
    EXPECT_TRUE(recordShown) << output;
    EXPECT_NE(output.find("  present  " + Installed("licence.key") + "  (read-only, hidden)"),
              std::string::npos)
        << output;
    // The library's files make one line; the page is uninstall data.
    EXPECT_NE(output.find("  present  " + layout_.LibraryFolder() + "\\*  (" + std::to_string(kTestLibraryFiles) +
                          " of " + std::to_string(kTestLibraryFiles) + " files)"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("  present  " + layout_.UninstallPagePath()), std::string::npos) << output;
}

TEST_F(SampleSetupTest, RemovalProgramRecordsItsCommandLineAndFolder)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string commandLine = "\"" + Installed("cleanup.exe") + "\" /uninstall \"two words\"";
    std::string output;
    ASSERT_EQ(RunAndCapture(commandLine, &output, windows), 0);
    EXPECT_EQ(Records(), std::vector<std::string>{"program|" + commandLine + "|" + windows});
}

TEST_F(SampleSetupTest, RemovalLibraryRecordsItsTextAndFillsExactly256Bytes)
{
    CLibrary library(LoadLibraryA(Installed("hook.dll").c_str()));
    ASSERT_TRUE(library);
    using Export = void(__stdcall*)(char*);
    auto unregister =
        reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(library.Get(), "UnregisterSample")));
    ASSERT_NE(unregister, nullptr);

    std::vector<char> memory(256 + 64, '\0');  // the buffer, then memory it must not touch
    const std::string text = Installed("hook.dll");
    std::memcpy(memory.data(), text.c_str(), text.size());
    unregister(memory.data());

    EXPECT_EQ(Records(), std::vector<std::string>{"library|" + text});
    EXPECT_EQ(std::string(memory.data(), 255), std::string(255, '#'));
    EXPECT_EQ(memory[255], '\0');
    EXPECT_EQ(std::string(memory.data() + 256, 64), std::string(64, '\0'));
}

TEST_F(SampleSetupTest, WebRecorderRecordsTheAddress)
{
    const std::string address = "http://www.example.com/a page?x=1&y=2";
    std::string output;
    ASSERT_EQ(RunAndCapture(uidriver::BuildCommandLine({OwnFolder() + "\\record_url.exe", address}),
                            &output),
              0);
    EXPECT_EQ(Records(), std::vector<std::string>{"url|" + address});
}

TEST(SampleRecordFileTest, EnvironmentNamesTheFileElseCommonApplicationData)
{
    SetEnvironmentVariableA("KELRUN_RECORD_FILE", "C:\\elsewhere\\records.txt");
    EXPECT_EQ(sample::RecordFilePath(), "C:\\elsewhere\\records.txt");
    SetEnvironmentVariableA("KELRUN_RECORD_FILE", nullptr);
    char expected[MAX_PATH] = {};
    GetEnvironmentVariableA("ProgramData", expected, MAX_PATH);
    EXPECT_EQ(sample::RecordFilePath(), std::string(expected) + "\\Parvane Sample Records.txt");
}

}  // namespace
