// Backup folders, reg.exe exports, missing-key notes and restore points on the simulated machine,
// with stand-ins for reg.exe and PowerShell.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/backup_folder.h"
#include "core/safety_net.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/sim/machine.h"
#include "support/system_tools_sim.h"

namespace vx {
namespace {

constexpr CalendarTime kNoon{2026, 3, 10, 14, 5, 9, 0};
const std::wstring kRoot = L"C:\\ProgramData\\Vantorix\\Backups";
const std::wstring kRestoreKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore";

class SafetyNetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::machine().reset();
    sim::machine().setLocalTime(kNoon);
    test::installSystemTools(sim::machine());
  }
  static std::vector<std::wstring> filesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    for (const auto& e : listDirectory(folder).value_or(std::vector<DirEntry>{})) names.push_back(e.name);
    return names;
  }
};

TEST(SafeLabelTest, KeepsLettersDigitsAndThreeMarksTurnsSpacesIntoUnderscores) {
  struct Case {
    std::wstring label, expected;
  };
  const std::vector<Case> cases = {
      {L"selected_batch", L"selected_batch"},
      {L"perf.gpu_msi", L"perf.gpu_msi"},
      {L"profile_Оптимальная", L"profile_Оптимальная"},
      {L"Профиль Максимум Ёж", L"Профиль_Максимум_Ёж"},
      {L"a b/c\\d", L"a_bcd"},
      {L"x:y*z?\"<>|\t«»", L"xyz"},
      {L"Crème brûlée ÆØß", L"Crème_brûlée_ÆØß"},
      {L"2×3÷4", L"234"},
      {L"ªµº²³¹ŁŐž", L"²³¹ŁŐž"},
      {L"Ѐ҂҃ӿ", L"Ѐӿ"},
      {L"...--__", L"...--__"},
      {L"/// ", L"_"},
      {L"", L""},
      {std::wstring(70, L'a'), std::wstring(64, L'a')},
      {std::wstring(60, L'я') + L"/////" + L"12345678", std::wstring(60, L'я') + L"1234"},
  };
  for (const auto& c : cases) EXPECT_EQ(safeLabel(c.label), c.expected) << toUtf8(c.label);
}

TEST(SafeLabelTest, FileStemsReplaceWhatLabelsDrop) {
  EXPECT_EQ(safeFileStem(L"0"), L"0");
  EXPECT_EQ(safeFileStem(L"12"), L"12");
  EXPECT_EQ(safeFileStem(L"a/b c"), L"a_b_c");
  EXPECT_EQ(safeFileStem(L""), L"key");
  EXPECT_EQ(safeFileStem(std::wstring(80, L'/')), std::wstring(64, L'_'));
}

TEST(SafeLabelTest, FolderNameIsTheStampAndTheSafeLabel) {
  EXPECT_EQ(backupFolderName(kNoon, L"selected_batch"), L"2026-03-10_14-05-09_selected_batch");
  EXPECT_EQ(backupFolderName(CalendarTime{2031, 12, 1, 0, 0, 0, 999}, L"profile_Базовая"),
            L"2031-12-01_00-00-00_profile_Базовая");
  EXPECT_EQ(backupFolderName(kNoon, L""), L"2026-03-10_14-05-09");
  EXPECT_EQ(backupFolderName(kNoon, L"///"), L"2026-03-10_14-05-09");  // nothing left of the label
}

TEST_F(SafetyNetTest, RunFolderIsCreatedBelowProgramData) {
  EXPECT_EQ(backupRoot(), kRoot);
  const std::wstring dir = createBackupRunDir(L"selected_batch");
  EXPECT_EQ(dir, kRoot + L"\\2026-03-10_14-05-09_selected_batch");
  EXPECT_EQ(fileStatus(dir).kind, FileKind::Directory);
}

TEST_F(SafetyNetTest, NoProgramDataMeansNoFolderAndNoSafetyNet) {
  sim::machine().setProgramDataFolder(std::nullopt);
  EXPECT_EQ(backupRoot(), L"");
  EXPECT_EQ(createBackupRunDir(L"x"), L"");
  const SafetyNetResult net = prepareSafetyNet({{RegRoot::CurrentUser, L"Software"}}, L"x");
  EXPECT_EQ(net.backupDir, L"");
  EXPECT_EQ(net.message, L"Не удалось создать каталог бэкапа.");
  EXPECT_FALSE(net.backupsOk);
  EXPECT_FALSE(net.restorePointCreated);
  EXPECT_TRUE(sim::machine().restorePoints().empty());
  EXPECT_TRUE(sim::machine().startedCommandLines().empty());
}

// A second safety net with the same label in the same second must not write into the first one's
// folder: reg.exe runs with /y and would replace the only copy of the values before the change.
TEST_F(SafetyNetTest, SameLabelInTheSameSecondGetsItsOwnFolder) {
  auto& m = sim::machine();
  m.setDword(RegRoot::CurrentUser, L"Software\\VxTest", L"Value", 1);
  const SafetyNetResult first = prepareSafetyNet({{RegRoot::CurrentUser, L"Software\\VxTest"}}, L"perf.gpu_msi");
  m.setLocalTime(kNoon);
  const SafetyNetResult second = prepareSafetyNet({{RegRoot::CurrentUser, L"Software\\VxTest"}}, L"perf.gpu_msi");
  m.setLocalTime(kNoon);
  const std::wstring third = createBackupRunDir(L"perf.gpu_msi");

  const std::wstring base = kRoot + L"\\2026-03-10_14-05-09_perf.gpu_msi";
  EXPECT_EQ(first.backupDir, base);
  EXPECT_EQ(second.backupDir, base + L"-2");
  EXPECT_EQ(third, base + L"-3");
  EXPECT_EQ(filesIn(first.backupDir), std::vector<std::wstring>{L"0.reg"});
  EXPECT_EQ(filesIn(second.backupDir), std::vector<std::wstring>{L"0.reg"});
}

TEST_F(SafetyNetTest, ConcurrentRunFoldersWithOneLabelAreAllDistinct) {
  std::vector<std::wstring> dirs(4);
  std::vector<std::thread> threads;
  for (auto& dir : dirs) threads.emplace_back([&dir] { dir = createBackupRunDir(L"selected_batch"); });
  for (auto& t : threads) t.join();
  std::sort(dirs.begin(), dirs.end());
  EXPECT_EQ(std::unique(dirs.begin(), dirs.end()), dirs.end());
  for (const auto& dir : dirs) EXPECT_EQ(fileStatus(dir).kind, FileKind::Directory) << toUtf8(dir);
}

TEST_F(SafetyNetTest, ExistingKeyIsExportedWithRegExe) {
  auto& m = sim::machine();
  m.setDword(RegRoot::LocalMachine, L"SOFTWARE\\Vantorix", L"HpetOff", 1);
  const std::wstring dir = createBackupRunDir(L"t");
  ASSERT_TRUE(exportKey(dir, RegRoot::LocalMachine, L"SOFTWARE\\Vantorix", L"3"));
  const auto started = m.startedPrograms();
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].commandLine, L"\"C:\\Windows\\system32\\reg.exe\" export \"HKLM\\SOFTWARE\\Vantorix\" \"" + dir +
                                        L"\\3.reg\" /y");
  EXPECT_EQ(started[0].timeoutMs, 30000u);
  const auto bytes = readFileBytes(dir + L"\\3.reg");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->substr(0, 2), "\xFF\xFE");
}

TEST_F(SafetyNetTest, RootNamesOnTheCommandLine) {
  auto& m = sim::machine();
  const std::wstring dir = createBackupRunDir(L"t");
  struct Case {
    RegRoot root;
    const wchar_t* name;
  };
  for (const Case c : {Case{RegRoot::LocalMachine, L"HKLM"}, Case{RegRoot::CurrentUser, L"HKCU"},
                       Case{RegRoot::ClassesRoot, L"HKCR"}, Case{RegRoot::Users, L"HKU"}}) {
    m.createKey(c.root, L"VxKey");
    ASSERT_TRUE(exportKey(dir, c.root, L"VxKey", L"0"));
    EXPECT_EQ(m.startedPrograms().back().commandLine,
              L"\"C:\\Windows\\system32\\reg.exe\" export \"" + std::wstring(c.name) + L"\\VxKey\" \"" + dir +
                  L"\\0.reg\" /y");
  }
}

TEST_F(SafetyNetTest, MissingKeyLeavesTheNote) {
  auto& m = sim::machine();
  const std::wstring dir = createBackupRunDir(L"t");
  EXPECT_TRUE(exportKey(dir, RegRoot::LocalMachine, L"SOFTWARE\\NoSuchKey", L"0"));
  EXPECT_TRUE(exportKey(dir, RegRoot::LocalMachine, L"SOFTWARE\\NoSuchKey\\Deeper", L""));
  const std::string note = "Key did not exist at backup time. Restoring means deleting the key.\n";
  ASSERT_EQ(note.size(), 68u);
  EXPECT_EQ(readFileBytes(dir + L"\\0.missing.txt"), note);
  EXPECT_EQ(readFileBytes(dir + L"\\key.missing.txt"), note);
  EXPECT_TRUE(m.startedPrograms().empty());
}

// A key that exists but cannot be read has values a restore would need: noting it as missing
// would tell the user that restoring means deleting it.
TEST_F(SafetyNetTest, ExistingKeyThatCannotBeReadIsAFailedExport) {
  auto& m = sim::machine();
  m.setDword(RegRoot::LocalMachine, L"SOFTWARE\\Locked", L"Value", 1);
  m.denyKeyAccess(RegRoot::LocalMachine, L"SOFTWARE\\Locked");
  const std::wstring dir = createBackupRunDir(L"t");
  EXPECT_FALSE(exportKey(dir, RegRoot::LocalMachine, L"SOFTWARE\\Locked", L"0"));
  EXPECT_TRUE(filesIn(dir).empty());
  EXPECT_TRUE(m.startedPrograms().empty());

  const SafetyNetResult net = prepareSafetyNet({{RegRoot::LocalMachine, L"SOFTWARE\\Locked"}}, L"x");
  EXPECT_FALSE(net.backupsOk);
  EXPECT_TRUE(filesIn(net.backupDir).empty());
}

TEST_F(SafetyNetTest, ExportFailures) {
  auto& m = sim::machine();
  m.createKey(RegRoot::CurrentUser, L"Software\\VxKey");
  const std::wstring dir = createBackupRunDir(L"t");
  EXPECT_FALSE(exportKey(L"", RegRoot::CurrentUser, L"Software\\VxKey", L"0"));

  m.addProgram(test::simRegExePath(), 5);  // reg.exe fails
  EXPECT_FALSE(exportKey(dir, RegRoot::CurrentUser, L"Software\\VxKey", L"0"));
  m.addProgram(test::simRegExePath(), 0, 30001);  // still running after 30 s
  EXPECT_FALSE(exportKey(dir, RegRoot::CurrentUser, L"Software\\VxKey", L"0"));
  m.removeProgram(test::simRegExePath());  // cannot start
  EXPECT_FALSE(exportKey(dir, RegRoot::CurrentUser, L"Software\\VxKey", L"0"));
  test::installSystemTools(m);
  m.setSystemDirectory(std::nullopt);
  const auto startedBefore = m.startedPrograms().size();
  EXPECT_FALSE(exportKey(dir, RegRoot::CurrentUser, L"Software\\VxKey", L"0"));
  EXPECT_EQ(m.startedPrograms().size(), startedBefore);
}

// A quote would end the quoted key argument and let the rest of the path become arguments of
// reg.exe, so such a path is refused before anything runs.
TEST_F(SafetyNetTest, KeyPathWithAQuoteIsRefused) {
  auto& m = sim::machine();
  const std::wstring evil = L"Software\\x\" \"C:\\Windows\\system32\\config\\SAM";
  m.createKey(RegRoot::CurrentUser, evil);
  const std::wstring dir = createBackupRunDir(L"t");
  EXPECT_FALSE(exportKey(dir, RegRoot::CurrentUser, evil, L"0"));
  EXPECT_TRUE(m.startedPrograms().empty());
  EXPECT_TRUE(filesIn(dir).empty());
}

TEST_F(SafetyNetTest, RestorePointPreparesSystemRestoreFirst) {
  auto& m = sim::machine();
  EXPECT_TRUE(createRestorePoint(L"Vantorix: perf.gpu_msi"));
  EXPECT_EQ(m.restorePoints(), std::vector<std::wstring>{L"Vantorix: perf.gpu_msi"});
  const auto started = m.startedPrograms();
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].commandLine,
            L"\"C:\\Windows\\system32\\WindowsPowerShell\\v1.0\\powershell.exe\" -NoProfile -WindowStyle Hidden -Command "
            L"\"Enable-ComputerRestore -Drive ($env:SystemDrive + '\\')\"");
  EXPECT_EQ(started[0].timeoutMs, 15000u);
  EXPECT_FALSE(m.value(RegRoot::LocalMachine, kRestoreKey, L"SystemRestorePointCreationFrequency"))
      << "the value was not there before, so it is gone again";
}

// Windows skips a point within 24 hours of the last one unless the frequency value is 0: it is 0
// for the call, and afterwards the value is what it was.
TEST_F(SafetyNetTest, CreationFrequencyIsLiftedOnlyForTheCall) {
  struct Case {
    const char* what;
    std::optional<sim::RegValue> before;
  };
  const Case cases[] = {
      {"absent", std::nullopt},
      {"a day", sim::RegValue{sim::RegType::Dword, {0xA0, 0x05, 0, 0}}},
      {"zero", sim::RegValue{sim::RegType::Dword, {0, 0, 0, 0}}},
      {"a text", sim::RegValue{sim::RegType::Sz, {'7', 0, 0, 0}}},
  };
  for (const Case& c : cases) {
    auto& m = sim::machine();
    m.reset();
    test::installSystemTools(m);
    if (c.before)
      m.setValue(RegRoot::LocalMachine, kRestoreKey, L"SystemRestorePointCreationFrequency", c.before->type,
                 c.before->data);
    EXPECT_TRUE(createRestorePoint(L"Vantorix: first")) << c.what;
    m.advanceMs(60'000);
    EXPECT_TRUE(createRestorePoint(L"Vantorix: second")) << c.what;
    EXPECT_EQ(m.restorePoints(), (std::vector<std::wstring>{L"Vantorix: first", L"Vantorix: second"}))
        << c.what << ": a minute later the second point is made too";
    const auto after = m.value(RegRoot::LocalMachine, kRestoreKey, L"SystemRestorePointCreationFrequency");
    EXPECT_EQ(after.has_value(), c.before.has_value()) << c.what;
    if (after && c.before) {
      EXPECT_EQ(after->type, c.before->type) << c.what;
      EXPECT_EQ(after->data, c.before->data) << c.what;
    }
  }
}

TEST_F(SafetyNetTest, RestorePointFailures) {
  auto& m = sim::machine();
  m.setRestorePointsSucceed(false);
  m.removeProgram(test::simPowerShellPath());  // PowerShell missing changes nothing
  EXPECT_FALSE(createRestorePoint(L"Vantorix: x"));
  EXPECT_FALSE(m.dword(RegRoot::LocalMachine, kRestoreKey, L"SystemRestorePointCreationFrequency"))
      << "put back after a failed call too";

  m.reset();
  m.setRestoreLibraryPresent(false);
  EXPECT_FALSE(createRestorePoint(L"Vantorix: x"));
  EXPECT_TRUE(m.startedPrograms().empty());  // nothing prepared without the library
  EXPECT_FALSE(m.dword(RegRoot::LocalMachine, kRestoreKey, L"SystemRestorePointCreationFrequency"));
}

TEST_F(SafetyNetTest, PrepareExportsEveryKeyUnderItsNumber) {
  auto& m = sim::machine();
  m.createKey(RegRoot::LocalMachine, L"SOFTWARE\\A");
  const std::vector<BackupKey> keys = {{RegRoot::LocalMachine, L"SOFTWARE\\A"},
                                       {RegRoot::LocalMachine, L"SOFTWARE\\Missing"},
                                       {RegRoot::LocalMachine, L"SOFTWARE\\A"}};
  const SafetyNetResult net = prepareSafetyNet(keys, L"profile_Максимум");
  EXPECT_EQ(net.backupDir, kRoot + L"\\2026-03-10_14-05-09_profile_Максимум");
  EXPECT_TRUE(net.backupsOk);
  EXPECT_TRUE(net.restorePointCreated);
  EXPECT_EQ(net.message, L"");
  EXPECT_EQ(m.restorePoints(), std::vector<std::wstring>{L"Vantorix: profile_Максимум"});
  EXPECT_EQ(filesIn(net.backupDir), (std::vector<std::wstring>{L"0.reg", L"1.missing.txt", L"2.reg"}));
}

TEST_F(SafetyNetTest, EmptyKeyListStillMakesFolderAndRestorePoint) {
  const SafetyNetResult net = prepareSafetyNet({}, L"");
  EXPECT_EQ(net.backupDir, kRoot + L"\\2026-03-10_14-05-09");
  EXPECT_TRUE(net.backupsOk);
  EXPECT_TRUE(net.restorePointCreated);
  EXPECT_EQ(sim::machine().restorePoints(), std::vector<std::wstring>{L"Vantorix: "});
}

TEST_F(SafetyNetTest, OneFailedExportSpoilsBackupsButEveryKeyIsTried) {
  auto& m = sim::machine();
  m.createKey(RegRoot::LocalMachine, L"SOFTWARE\\A");
  m.createKey(RegRoot::LocalMachine, L"SOFTWARE\\B");
  const std::wstring quoted = L"SOFTWARE\\\"";
  m.createKey(RegRoot::LocalMachine, quoted);
  m.setRestorePointsSucceed(false);
  const SafetyNetResult net = prepareSafetyNet(
      {{RegRoot::LocalMachine, L"SOFTWARE\\A"}, {RegRoot::LocalMachine, quoted}, {RegRoot::LocalMachine, L"SOFTWARE\\B"}},
      L"selected_batch");
  EXPECT_FALSE(net.backupsOk);
  EXPECT_FALSE(net.restorePointCreated);
  EXPECT_FALSE(net.backupDir.empty());
  EXPECT_EQ(filesIn(net.backupDir), (std::vector<std::wstring>{L"0.reg", L"2.reg"}));
}

}  // namespace
}  // namespace vx
