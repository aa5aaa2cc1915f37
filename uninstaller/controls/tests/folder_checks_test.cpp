#include "uninstaller/controls/folder_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uninstaller/controls/tests/fake_folder_check_system.h"
#include "uninstaller/controls/tests/folder_box_texts.h"

namespace {

constexpr int kAnswerNo = 7;

void ExpectBoxes(const FakeFolderCheckSystem& system,
                 const std::vector<FakeFolderCheckSystem::Box>& expected)
{
    SCOPED_TRACE("message boxes");
    ASSERT_EQ(system.boxes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(system.boxes[i].text, expected[i].text) << "box " << i;
        EXPECT_EQ(system.boxes[i].flags, expected[i].flags) << "box " << i;
    }
}

// A machine with drive C: and its Program Files folder.
FakeFolderCheckSystem MachineWithDriveC()
{
    FakeFolderCheckSystem system;
    system.AddFolder("C:\\");
    system.AddFolder("C:\\Program Files");
    return system;
}

// The forms that no check may let through, whatever exists on the machine.
const char* const kInvalidFolders[] = {
    "C:\\Temp\\",         // trailing backslash
    "C:\\\\Temp",         // doubled backslash
    "C:Temp",             // drive-relative
    "\\\\server\\share",  // network path without a drive letter
    "D:/data",            // slash for backslash
    "C:\\a.\\b",          // a part ending in a dot
    "C:\\ x",             // a part beginning with a blank
    "C:\\x?",             // a wildcard
    "",
    "C:",
    "C:\\x\\\\",
    "1:\\data",
    "CD:\\data",
    ":\\data",
    "C:\\Program Files\\..\\Windows",
    "C:\\Apps\\.",
    "C:\\Apps\\a|b",
};

TEST(IsValidFolderName, AcceptsOrdinaryNames)
{
    for (const char* part : {"a", "Program Files", "New App", "a.b", "x y z", "100%", "%s%n", "v1.0-beta_2",
                             "\xC4rger", "{B0D5}", "a,b;c=d", "a'b", "(x86)"}) {
        EXPECT_EQ(IsValidFolderName(part), 1) << part;
    }
}

TEST(IsValidFolderName, RefusesEmptyNamesAndBlankOrDotEdges)
{
    for (const char* part : {"", " ", "\t", ".", "..", " a", "a ", "\ta", "a\t", ".a", "a.", "a. ", " .a"})
        EXPECT_EQ(IsValidFolderName(part), 0) << "[" << part << "]";
}

TEST(IsValidFolderName, RefusesEachReservedCharacterAnywhere)
{
    for (const char reserved : std::string("\"*/:<>?\\|")) {
        for (const std::string& part :
             {std::string(1, reserved), "a" + std::string(1, reserved) + "b", std::string(1, reserved) + "ab",
              "ab" + std::string(1, reserved)}) {
            EXPECT_EQ(IsValidFolderName(part), 0) << "[" << part << "]";
        }
    }
}

TEST(CreateFolderPath, CheckOnlyAcceptsWellFormedPathsWithoutTouchingTheMachine)
{
    for (const char* folder : {"C:\\", "z:\\", "Q:\\", "C:\\x", "C:\\Program Files\\New App", "d:\\a\\b\\c\\d",
                               "C:\\100% sure", "C:\\a.b\\c d"}) {
        SCOPED_TRACE(folder);
        FakeFolderCheckSystem system;  // nothing exists, not even drive C:
        EXPECT_EQ(CreateFolderPath(system, folder, true), kFolderAccepted);
        EXPECT_TRUE(system.createCalls.empty());
    }
}

TEST(CreateFolderPath, RefusesMalformedPathsInBothModesWithoutCreating)
{
    for (const char* folder : kInvalidFolders) {
        SCOPED_TRACE(folder);
        for (const bool checkOnly : {true, false}) {
            FakeFolderCheckSystem system = MachineWithDriveC();
            EXPECT_EQ(CreateFolderPath(system, folder, checkOnly), kFolderInvalid) << "checkOnly " << checkOnly;
            if (checkOnly) {
                EXPECT_TRUE(system.createCalls.empty());
            }
        }
    }
    FakeFolderCheckSystem system = MachineWithDriveC();
    EXPECT_EQ(CreateFolderPath(system, nullptr, true), kFolderInvalid);
}

TEST(CreateFolderPath, AcceptsTheLongestTextTheBufferHoldsAndRefusesOneMore)
{
    FakeFolderCheckSystem system;
    const std::string longest = "C:\\" + std::string(kMaxFolderLength - 3, 'a');
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_EQ(CreateFolderPath(system, longest.c_str(), true), kFolderAccepted);
    // A part this long is no real folder name, but the length rule must be
    // the one that refuses the next text: split it into parts to see that.
    std::string tooLong = "C:";
    while (tooLong.size() < 260)
        tooLong += "\\abcdefghi";
    tooLong.resize(260);
    EXPECT_EQ(CreateFolderPath(system, tooLong.c_str(), true), kFolderInvalid);
    EXPECT_EQ(CreateFolderPath(system, tooLong.substr(0, 259).c_str(), true), kFolderAccepted);
}

TEST(CreateFolderPath, CreatesTheMissingLevelsFromTheRootDown)
{
    FakeFolderCheckSystem system = MachineWithDriveC();
    EXPECT_EQ(CreateFolderPath(system, "C:\\Program Files\\Lumetra\\New App", false), kFolderAccepted);
    // The existing level is asked for too: creating it is harmless.
    EXPECT_EQ(system.createCalls, (std::vector<std::string>{"C:\\Program Files", "C:\\Program Files\\Lumetra",
                                                            "C:\\Program Files\\Lumetra\\New App"}));
    EXPECT_EQ(system.created,
              (std::vector<std::string>{"C:\\Program Files\\Lumetra", "C:\\Program Files\\Lumetra\\New App"}));
}

TEST(CreateFolderPath, DriveRootExistsOrCannotBeCreated)
{
    FakeFolderCheckSystem system = MachineWithDriveC();
    EXPECT_EQ(CreateFolderPath(system, "C:\\", false), kFolderAccepted);
    EXPECT_EQ(CreateFolderPath(system, "Q:\\", false), kFolderNotCreated);
    EXPECT_TRUE(system.createCalls.empty());
}

TEST(CreateFolderPath, StopsAtTheFirstLevelThatCannotBeMadeAndKeepsTheLevelsBefore)
{
    FakeFolderCheckSystem system = MachineWithDriveC();
    system.RefuseToCreate("C:\\Apps\\Locked");
    EXPECT_EQ(CreateFolderPath(system, "C:\\Apps\\Locked\\Deep", false), kFolderNotCreated);
    EXPECT_EQ(system.createCalls, (std::vector<std::string>{"C:\\Apps", "C:\\Apps\\Locked"}));
    EXPECT_TRUE(system.HasFolder("C:\\Apps"));
    EXPECT_FALSE(system.HasFolder("C:\\Apps\\Locked"));
}

TEST(CreateFolderPath, AFileInTheWayIsNoFolder)
{
    FakeFolderCheckSystem system = MachineWithDriveC();
    system.AddFile("C:\\Data");
    EXPECT_EQ(CreateFolderPath(system, "C:\\Data\\Sub", false), kFolderNotCreated);
    EXPECT_TRUE(system.created.empty());
}

TEST(CheckFolder, AcceptsAnExistingFolderWithoutAQuestion)
{
    for (const char* folder : {"C:\\", "C:\\Program Files", "c:\\PROGRAM FILES"}) {
        SCOPED_TRACE(folder);
        FakeFolderCheckSystem system = MachineWithDriveC();
        EXPECT_EQ(CheckFolder(system, folder), kFolderAccepted);
        EXPECT_TRUE(system.boxes.empty());
        EXPECT_TRUE(system.created.empty());
    }
}

TEST(CheckFolder, RefusesEachInvalidFormWithTheInvalidBoxAndNoQuestion)
{
    for (const char* folder : kInvalidFolders) {
        SCOPED_TRACE(folder);
        FakeFolderCheckSystem system = MachineWithDriveC();
        system.answers = {kAnswerYes};  // a question, if one were asked, would be answered Yes
        EXPECT_EQ(CheckFolder(system, folder), kFolderInvalid);
        ExpectBoxes(system, {{Invalid(folder), 0x30}});
        EXPECT_TRUE(system.createCalls.empty());
    }
}

TEST(CheckFolder, RefusesAnOverLongTextWholeInsteadOfCuttingIt)
{
    FakeFolderCheckSystem system = MachineWithDriveC();
    system.answers = {kAnswerYes};
    std::string folder = "C:\\Program Files";
    while (folder.size() <= 300)
        folder += "\\Level";
    EXPECT_EQ(CheckFolder(system, folder.c_str()), kFolderInvalid);
    ExpectBoxes(system, {{Invalid(folder), 0x30}});
    EXPECT_TRUE(system.createCalls.empty());
}

TEST(CheckFolder, AsksForAMissingFolderAndCreatesItLevelByLevelOnYes)
{
    FakeFolderCheckSystem system = MachineWithDriveC();
    system.answers = {kAnswerYes};
    const std::string folder = "C:\\Program Files\\New App";
    EXPECT_EQ(CheckFolder(system, folder.c_str()), kFolderAccepted);
    ExpectBoxes(system, {{Question(folder), 0x24}});
    EXPECT_EQ(system.created, (std::vector<std::string>{folder}));

    FakeFolderCheckSystem twoLevels = MachineWithDriveC();
    twoLevels.answers = {kAnswerYes};
    EXPECT_EQ(CheckFolder(twoLevels, "C:\\Lumetra\\Parvane"), kFolderAccepted);
    EXPECT_EQ(twoLevels.created, (std::vector<std::string>{"C:\\Lumetra", "C:\\Lumetra\\Parvane"}));
}

TEST(CheckFolder, AnyAnswerButYesLeavesTheMachineAloneAndGivesMinusOne)
{
    for (const int answer : {kAnswerNo, 2, 0}) {
        SCOPED_TRACE(answer);
        FakeFolderCheckSystem system = MachineWithDriveC();
        system.answers = {answer};
        const std::string folder = "C:\\Program Files\\New App";
        EXPECT_EQ(CheckFolder(system, folder.c_str()), kFolderDeclined);
        ExpectBoxes(system, {{Question(folder), 0x24}});
        EXPECT_TRUE(system.createCalls.empty());
    }
}

TEST(CheckFolder, AMissingDriveRootIsAskedForThenCannotBeCreated)
{
    FakeFolderCheckSystem system = MachineWithDriveC();
    system.answers = {kAnswerYes};
    EXPECT_EQ(CheckFolder(system, "Q:\\"), kFolderNotCreated);
    ExpectBoxes(system, {{Question("Q:\\"), 0x24}, {NotCreated("Q:\\"), 0x30}});
}

TEST(CheckFolder, CreationFailingHalfwayKeepsTheLevelsMadeAndSaysSo)
{
    FakeFolderCheckSystem system = MachineWithDriveC();
    system.RefuseToCreate("C:\\Apps\\Locked");
    system.answers = {kAnswerYes};
    const std::string folder = "C:\\Apps\\Locked\\Deep";
    EXPECT_EQ(CheckFolder(system, folder.c_str()), kFolderNotCreated);
    ExpectBoxes(system, {{Question(folder), 0x24}, {NotCreated(folder), 0x30}});
    EXPECT_EQ(system.created, (std::vector<std::string>{"C:\\Apps"}));
    EXPECT_TRUE(system.HasFolder("C:\\Apps"));
}

TEST(CheckFolder, AFileOfThatNameIsAskedForAndCannotBeCreated)
{
    FakeFolderCheckSystem system = MachineWithDriveC();
    system.AddFile("C:\\Data");
    system.answers = {kAnswerYes};
    EXPECT_EQ(CheckFolder(system, "C:\\Data"), kFolderNotCreated);
    ExpectBoxes(system, {{Question("C:\\Data"), 0x24}, {NotCreated("C:\\Data"), 0x30}});
}

TEST(CheckFolder, PercentSignsInTheFolderShowAsTyped)
{
    const std::string folder = "C:\\100%s %d%n%%";
    FakeFolderCheckSystem system = MachineWithDriveC();
    system.answers = {kAnswerNo};
    EXPECT_EQ(CheckFolder(system, folder.c_str()), kFolderDeclined);
    ExpectBoxes(system, {{Question(folder), 0x24}});

    FakeFolderCheckSystem refused = MachineWithDriveC();
    EXPECT_EQ(CheckFolder(refused, "C:\\%s?"), kFolderInvalid);
    ExpectBoxes(refused, {{Invalid("C:\\%s?"), 0x30}});
}

// A folder the tree guard refuses is refused before any question, and so is
// one it refuses once made (a link above it may lead into a profile).
TEST(CheckFolder, AFolderTheTreeGuardRefusesIsNoInstallationFolder)
{
    FakeFolderCheckSystem system = MachineWithDriveC();
    system.answers = {kAnswerYes};
    system.guardRefusals = {{"C:\\PROGRAM FILES", "a system folder"}, {"C:\\PROGRAM FILES\\APP", "a user's profile"}};
    EXPECT_EQ(CheckFolder(system, "C:\\Program Files\\App"), kFolderRefused);
    EXPECT_EQ(CheckFolder(system, "C:\\Program Files"), kFolderRefused);
    ExpectBoxes(system, {{Question("C:\\Program Files\\App"), 0x24},
                         {Refused("C:\\Program Files\\App", "a user's profile"), 0x30},
                         {Refused("C:\\Program Files", "a system folder"), 0x30}});
}

}  // namespace
