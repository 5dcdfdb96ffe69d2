// Config-file tweaks on the simulated machine across time: a revert weeks later that keeps what
// the game wrote since, configs in UTF-16 and behind a UTF-8 mark, read-only configs, configs
// that are links, leftovers of killed runs, and files that are not text.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/catalog.h"
#include "games/config_backup.h"
#include "games/config_edit.h"
#include "games/config_file_tweaks.h"
#include "games/game_groups.h"
#include "games/game_scenarios.h"
#include "platform/files.h"
#include "platform/system.h"
#include "games/config_tweak_fixture.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using test::fileBytes;
using test::fileExists;
using test::putFile;

constexpr const wchar_t* kLocal = test::kPlayerLocalAppData;
const std::string kRustBefore = "// mine\r\ngraphics.fov \"75\"\r\nbind f1 consoletoggle\r\n";

class ConfigRevert : public test::ConfigTweakTest {
 protected:
  static std::wstring ueIni(const wchar_t* game, const wchar_t* name) {
    return std::wstring(kLocal) + L"\\" + game + L"\\Saved\\Config\\WindowsNoEditor\\" + name;
  }
};

// What the game (or the player) does to client.cfg between apply and revert, and what revert
// must leave.
struct RevertCase {
  const char* name;
  std::function<std::string(const std::string& applied)> meanwhile;
  bool reverted;
  std::string after;  // the file after revert
  bool backupLeft;
};

TEST_F(ConfigRevert, RustRevertKeepsWhatChangedSinceApply) {
  const RevertCase cases[] = {
      {"unchangedGetsTheWholeBackup", [](const std::string& a) { return a; }, true, kRustBefore, false},
      // The game rewrote the file weeks later: a new bind and a changed fov of the player's own.
      {"gameRewroteIt",
       [](const std::string& a) {
         std::string s = a;
         s.replace(s.find("graphics.fov \"90\""), 17, "graphics.fov \"80\"");
         return s + "bind mouse5 +duck\r\n";
       },
       true,
       // The tweak's keys go back (fov to the backup's line, keys the backup lacked removed).
       "// mine\r\ngraphics.fov \"75\"\r\nbind f1 consoletoggle\r\nbind mouse5 +duck\r\n", false},
      {"gameDroppedAKeyAndItComesBack",
       [](const std::string& a) {
         std::string s = a;
         s.erase(s.find("graphics.fov \"90\"\r\n"), 19);
         return s + "bind x jump\r\n";
       },
       true, "// mine\r\nbind f1 consoletoggle\r\nbind x jump\r\ngraphics.fov \"75\"\r\n", false},
  };
  for (const RevertCase& c : cases) {
    SCOPED_TRACE(c.name);
    machine.reset();
    const auto rust = test::installRust(L'D', kRustBefore);
    const TweakPtr t = gameTweak(L"game.rust.visuals");
    ASSERT_TRUE(t->apply());
    ASSERT_TRUE(writeFileBytes(rust.clientCfg, c.meanwhile(fileBytes(rust.clientCfg))));
    EXPECT_EQ(t->revert(), c.reverted);
    EXPECT_EQ(fileBytes(rust.clientCfg), c.after);
    EXPECT_EQ(fileExists(configBackupPath(rust.clientCfg)), c.backupLeft);
    EXPECT_EQ(t->queryState(), TweakState::NotApplied);
  }
}

TEST_F(ConfigRevert, NotAppliedTweakLeavesFileAndStrayBackupAlone) {
  const auto rust = test::installRust(L'D', kRustBefore);
  const std::string stray = "graphics.fov \"60\"\r\n";
  putFile(configBackupPath(rust.clientCfg), stray);
  const TweakPtr t = gameTweak(L"game.rust.visuals");
  ASSERT_EQ(t->queryState(), TweakState::NotApplied);
  EXPECT_TRUE(t->revert());
  EXPECT_EQ(fileBytes(rust.clientCfg), kRustBefore);
  EXPECT_EQ(fileBytes(configBackupPath(rust.clientCfg)), stray);
}

TEST_F(ConfigRevert, RevertWithoutTheNeededBackupFails) {
  const auto rust = test::installRust(L'D', kRustBefore);
  const TweakPtr t = gameTweak(L"game.rust.visuals");
  ASSERT_TRUE(t->apply());
  const std::string applied = fileBytes(rust.clientCfg);
  ASSERT_TRUE(removeFile(configBackupPath(rust.clientCfg)));
  EXPECT_FALSE(t->revert());
  EXPECT_EQ(fileBytes(rust.clientCfg), applied);
}

TEST_F(ConfigRevert, FileApplyCreatedAndThePlayerEditedLosesOnlyTheTweaksKeys) {
  const std::wstring path = ueIni(L"TslGame", L"Engine.ini");
  const TweakPtr t = gameTweak(L"game.pubg.engineini");
  ASSERT_TRUE(t->apply());
  ASSERT_TRUE(writeFileBytes(path, fileBytes(path) + "\r\n[Mine]\r\nKeep=1\r\n"));
  EXPECT_TRUE(t->revert());
  EXPECT_EQ(fileBytes(path), "[SystemSettings]\r\n\r\n[/script/engine.engine]\r\n\r\n[Mine]\r\nKeep=1\r\n");
}

TEST_F(ConfigRevert, WrittenFileThePlayerEditedIsNotRevertedUnlessForced) {
  const auto cs2 = test::installCs2UnderProgramFilesX86();
  const std::wstring file = putFile(cs2.cfgDir + L"\\autoexec.cfg", "bind mouse4 +voice\r\n");
  const TweakPtr t = gameTweak(L"game.cs2.autoexec");
  ASSERT_TRUE(t->apply());
  const std::string edited = fileBytes(file) + "bind x jump\r\n";
  ASSERT_TRUE(writeFileBytes(file, edited));
  EXPECT_FALSE(t->revert());
  EXPECT_EQ(t->failureNote(), L"файл изменён после применения — не откачен");
  EXPECT_EQ(fileBytes(file), edited);
  EXPECT_TRUE(fileExists(configBackupPath(file)));
  auto* write = dynamic_cast<WriteFileTweak*>(t.get());
  ASSERT_NE(write, nullptr);
  EXPECT_TRUE(write->revertWhole());
  EXPECT_EQ(fileBytes(file), "bind mouse4 +voice\r\n");
  EXPECT_FALSE(fileExists(configBackupPath(file)));
}

// --- encodings ---------------------------------------------------------------------------------------

std::string utf16(const std::string& ascii, bool bigEndian, const char* lineEnd = "\r\n") {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  std::string text;
  for (std::size_t i = 0; i < ascii.size(); ++i) {
    if (ascii[i] == '\n') text += lineEnd;
    else text += ascii[i];
  }
  for (char c : text) {
    out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  }
  return out;
}

TEST_F(ConfigRevert, ConfigsKeepTheirEncodingAndRoundTripByteForByte) {
  const std::string settings = "[/Script/Engine.GameUserSettings]\nFullscreenMode=1\nResolutionSizeX=1920\n";
  struct Case {
    const char* name;
    std::string before;
    std::string appliedHas;  // bytes the applied file contains, in the file's encoding
  };
  const Case cases[] = {
      {"utf16le", utf16(settings, false), utf16("FullscreenMode=0\n", false).substr(2)},
      {"utf16be", utf16(settings, true), utf16("FullscreenMode=0\n", true).substr(2)},
      {"utf16leLineFeeds", utf16(settings, false, "\n"), utf16("FullscreenMode=0\n", false, "\n").substr(2)},
      {"utf8Mark", "\xEF\xBB\xBF[/Script/Engine.GameUserSettings]\r\nFullscreenMode=1\r\n", "FullscreenMode=0\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    machine.reset();
    const std::wstring path = putFile(ueIni(L"TslGame", L"GameUserSettings.ini"), c.before);
    const TweakPtr t = gameTweak(L"game.pubg.gameusersettings");
    ASSERT_TRUE(t->apply());
    const std::string applied = fileBytes(path);
    EXPECT_EQ(applied.substr(0, 2), c.before.substr(0, 2)) << "the mark stays";
    EXPECT_NE(applied.find(c.appliedHas), std::string::npos);
    EXPECT_EQ(t->queryState(), TweakState::Applied);
    ASSERT_TRUE(t->revert());
    EXPECT_EQ(fileBytes(path), c.before);
  }
}

TEST_F(ConfigRevert, FileThatIsNotTextIsRefused) {
  const std::string binary = std::string("graphics.fov \"75\"\r\n\0\x01\x02", 22);
  const auto rust = test::installRust(L'D', binary);
  const TweakPtr t = gameTweak(L"game.rust.visuals");
  EXPECT_FALSE(t->apply());
  EXPECT_EQ(t->failureNote(), L"файл не похож на текстовый — не изменён");
  EXPECT_EQ(fileBytes(rust.clientCfg), binary);
  EXPECT_FALSE(fileExists(configBackupPath(rust.clientCfg)));
}

// --- one write per apply --------------------------------------------------------------------------

TEST_F(ConfigRevert, LeftoversOfAKilledRunAreRemovedAndAFailedWriteKeepsTheOldFile) {
  const std::wstring path = putFile(ueIni(L"TslGame", L"Engine.ini"), "[Core.Log]\r\nLogX=Off\r\n");
  const std::wstring leftover = putFile(path + kAtomicWriteSuffix + L"-4711-3", std::string(1000, 'x'));
  const std::wstring foreign = putFile(ueIni(L"TslGame", L"Engine.ini.mine"), "keep");
  const TweakPtr t = gameTweak(L"game.pubg.engineini");
  machine.failFileWrites(path);
  EXPECT_FALSE(t->apply());
  EXPECT_EQ(fileBytes(path), "[Core.Log]\r\nLogX=Off\r\n");  // old file whole, not some of the keys
  EXPECT_FALSE(fileExists(leftover));
  machine.failFileWrites(path, false);
  ASSERT_TRUE(t->apply());
  EXPECT_EQ(t->queryState(), TweakState::Applied);
  EXPECT_TRUE(fileExists(foreign));
}

// --- read-only configs and links ----------------------------------------------------------------------

TEST_F(ConfigRevert, ReadOnlyConfigIsEditedAndStaysReadOnly) {
  const auto rust = test::installRust(L'D', kRustBefore);
  machine.setReadOnly(rust.clientCfg);
  // Windows refuses to replace a read-only file; the simulated machine does too.
  EXPECT_FALSE(writeFileAtomic(rust.clientCfg, "x"));
  const TweakPtr t = gameTweak(L"game.rust.visuals");
  ASSERT_TRUE(t->apply());
  EXPECT_EQ(t->queryState(), TweakState::Applied);
  EXPECT_TRUE(machine.isReadOnly(rust.clientCfg));
  EXPECT_TRUE(machine.isReadOnly(configBackupPath(rust.clientCfg)));
  ASSERT_TRUE(t->revert());
  EXPECT_EQ(fileBytes(rust.clientCfg), kRustBefore);
  EXPECT_TRUE(machine.isReadOnly(rust.clientCfg));
  EXPECT_FALSE(fileExists(configBackupPath(rust.clientCfg)));
}

TEST_F(ConfigRevert, BackupNameTakenByAFolderStopsTheApply) {
  const auto rust = test::installRust(L'D', kRustBefore);
  ASSERT_TRUE(createDirectories(configBackupPath(rust.clientCfg)));
  const TweakPtr t = gameTweak(L"game.rust.visuals");
  EXPECT_FALSE(t->apply());
  EXPECT_EQ(fileBytes(rust.clientCfg), kRustBefore);
}

TEST_F(ConfigRevert, LinkedConfigIsEditedAtItsTargetOnlyInsideItsRoot) {
  struct Case {
    const char* name;
    std::wstring target;
    bool applies;
  };
  const Case cases[] = {
      {"insideTheLibrary", L"D:\\SteamLibrary\\steamapps\\common\\Shared\\rust.cfg", true},
      {"intoAnotherProfile", L"C:\\Users\\Other\\AppData\\Local\\secret.cfg", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    machine.reset();
    const auto rust = test::installRust(L'D', kRustBefore);
    const std::wstring target = putFile(c.target, kRustBefore);
    std::filesystem::remove(machine.hostPath(rust.clientCfg));
    std::filesystem::create_symlink(machine.hostPath(target), machine.hostPath(rust.clientCfg));
    const TweakPtr t = gameTweak(L"game.rust.visuals");
    EXPECT_EQ(t->apply(), c.applies);
    EXPECT_TRUE(std::filesystem::is_symlink(machine.hostPath(rust.clientCfg))) << "the link stays a link";
    if (c.applies) {
      EXPECT_NE(fileBytes(target), kRustBefore);
      EXPECT_EQ(fileBytes(configBackupPath(rust.clientCfg)), kRustBefore);
      EXPECT_FALSE(std::filesystem::is_symlink(machine.hostPath(configBackupPath(rust.clientCfg))));
      ASSERT_TRUE(t->revert());
      EXPECT_TRUE(std::filesystem::is_symlink(machine.hostPath(rust.clientCfg)));
    } else {
      EXPECT_EQ(t->failureNote(), L"файл ведёт за пределы папки игры — не изменён");
      EXPECT_FALSE(fileExists(configBackupPath(rust.clientCfg)));
    }
    EXPECT_EQ(fileBytes(target), kRustBefore);
  }
}

}  // namespace
}  // namespace vx
