// The private program folder on the simulated machine: created private, a folder a user made
// first is taken over with everything in it, and a folder that cannot be taken over or holds a
// link where the program keeps its files is refused - then no backup is made, no aggressive tweak
// is applied and the assistant's memory is neither read from nor written to it.
#include "core/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <system_error>

#include "assistant/memory_file.h"
#include "base/text.h"
#include "core/backup_folder.h"
#include "core/engine.h"
#include "core/safety_net.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "support/fake_tweak.h"
#include "support/sim_test.h"
#include "support/system_tools_sim.h"

namespace vx {
namespace {

const std::wstring kFolder = L"C:\\ProgramData\\Vantorix";
const std::wstring kElsewhere = L"C:\\Users\\Player\\Documents\\Elsewhere";
const std::wstring kAdmins = sim::Machine::kAdministratorsOwner;
const std::string kPlantedMemory = "{\r\n  \"userMessagesTotal\": 41,\r\n}\r\n";

class ProgramFolderTest : public test::SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    test::installSystemTools(machine);
  }
  bool link(const std::wstring& linkPath, const std::wstring& target) {
    std::error_code ec;
    std::filesystem::create_directories(machine.hostPath(target), ec);
    std::filesystem::create_directory_symlink(machine.hostPath(target), machine.hostPath(linkPath), ec);
    return !ec;
  }
  // The folder as a standard user leaves it: made first, owned by them, writable by users, with a
  // memory.json of their own.
  void plantUsersFolder() {
    ASSERT_TRUE(createDirectories(kFolder + L"\\Backups\\old"));
    ASSERT_TRUE(writeFileBytes(kFolder + L"\\memory.json", kPlantedMemory));
    for (const auto& path : {kFolder, kFolder + L"\\Backups", kFolder + L"\\Backups\\old", kFolder + L"\\memory.json"})
      machine.setFileSecurity(path, L"VX-DESKTOP\\Player", true);
  }
};

TEST_F(ProgramFolderTest, NewFolderIsPrivateNotInheritingProgramDataForUsers) {
  ASSERT_TRUE(machine.usersCanWrite(L"C:\\ProgramData")) << "Windows lets users create folders there";
  EXPECT_EQ(programFolder(), kFolder);
  EXPECT_EQ(fileStatus(kFolder).kind, FileKind::Directory);
  EXPECT_EQ(machine.fileOwner(kFolder), kAdmins);
  EXPECT_FALSE(machine.usersCanWrite(kFolder));
  EXPECT_FALSE(machine.usersCanWrite(kFolder + L"\\memory.json")) << "what the program writes there inherits it";
}

TEST_F(ProgramFolderTest, UsersFolderIsTakenOverWithEverythingInIt) {
  plantUsersFolder();
  const std::wstring systemFile = L"C:\\Windows\\system32\\kept.dll";
  ASSERT_TRUE(writeFileBytes(systemFile, "x"));
  machine.setFileSecurity(systemFile, L"NT SERVICE\\TrustedInstaller", false);
  ASSERT_TRUE(link(kFolder + L"\\Backups\\old\\sys", L"C:\\Windows\\system32"));

  EXPECT_EQ(programFolder(), kFolder);
  EXPECT_TRUE(machine.privilegeEnabled(Privilege::TakeOwnership));
  for (const auto& path : {kFolder, kFolder + L"\\Backups", kFolder + L"\\Backups\\old", kFolder + L"\\memory.json",
                           kFolder + L"\\Backups\\old\\sys"}) {
    EXPECT_EQ(machine.fileOwner(path), kAdmins) << toUtf8(path);
    EXPECT_FALSE(machine.usersCanWrite(path)) << toUtf8(path);
  }
  EXPECT_EQ(machine.fileOwner(systemFile), L"NT SERVICE\\TrustedInstaller") << "a link inside is never followed";
}

TEST_F(ProgramFolderTest, FolderIsRefusedWhenItCannotBeTakenOverOrHoldsALink) {
  struct Case {
    const char* what;
    std::function<void()> scene;
  };
  const Case cases[] = {
      {"a user's folder, not elevated: the owner cannot be changed",
       [this] {
         plantUsersFolder();
         machine.setElevated(false);
       }},
      {"setting the descriptor fails", [this] {
         plantUsersFolder();
         machine.failSecurityChanges();
       }},
      {"the folder itself is a link", [this] { ASSERT_TRUE(link(kFolder, kElsewhere)); }},
      {"Backups is a link", [this] {
         ASSERT_TRUE(createDirectories(kFolder));
         ASSERT_TRUE(link(kFolder + L"\\Backups", kElsewhere));
       }},
      {"memory.json is a link", [this] {
         ASSERT_TRUE(createDirectories(kFolder));
         ASSERT_TRUE(createDirectories(kElsewhere));
         ASSERT_TRUE(writeFileBytes(kElsewhere + L"\\m.json", kPlantedMemory));
         std::error_code ec;
         std::filesystem::create_symlink(machine.hostPath(kElsewhere + L"\\m.json"),
                                         machine.hostPath(kFolder + L"\\memory.json"), ec);
         ASSERT_FALSE(ec);
       }},
      {"journal.jsonl is a link", [this] {
         ASSERT_TRUE(createDirectories(kFolder));
         ASSERT_TRUE(link(kFolder + L"\\journal.jsonl", kElsewhere));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    machine.reset();
    test::installSystemTools(machine);
    machine.setLocalTime(CalendarTime{2026, 3, 10, 14, 5, 9, 0});
    c.scene();
    EXPECT_EQ(programFolder(), std::nullopt);

    // No backup, and an aggressive tweak is not applied.
    const SafetyNetResult net = prepareSafetyNet({}, L"selected_batch");
    EXPECT_TRUE(net.backupDir.empty());
    EXPECT_EQ(net.message, kNoBackupDirMessage);
    EXPECT_TRUE(machine.restorePoints().empty());
    test::FakeTweak risky(L"perf.risky");
    risky.aggressive = true;
    EXPECT_FALSE(applyOne(risky).applied);
    EXPECT_EQ(risky.applies, 0);
    const auto inElsewhere = listDirectory(kElsewhere);
    EXPECT_TRUE(!inElsewhere || inElsewhere->size() <= 1) << "nothing was made through a link";

    // The assistant keeps its memory in RAM: nothing planted is read, nothing is written.
    EXPECT_EQ(memoryPath(), L"");
    AssistantMemory memory;
    loadMemory(memory, memoryPath());
    EXPECT_EQ(memory.userMessagesTotal, 0);
    memory.userMessagesTotal = 5;
    EXPECT_FALSE(saveMemory(memory, memoryPath()));
    EXPECT_EQ(memory.userMessagesTotal, 5);
  }
}

TEST_F(ProgramFolderTest, UsersFolderTakenOverKeepsTheBackupsWorking) {
  plantUsersFolder();
  machine.setLocalTime(CalendarTime{2026, 3, 10, 14, 5, 9, 0});
  const SafetyNetResult net = prepareSafetyNet({}, L"selected_batch");
  EXPECT_EQ(net.backupDir, kFolder + L"\\Backups\\2026-03-10_14-05-09_selected_batch");
  EXPECT_EQ(machine.fileOwner(kFolder + L"\\Backups"), kAdmins);
  EXPECT_FALSE(machine.usersCanWrite(net.backupDir));
}

}  // namespace
}  // namespace vx
