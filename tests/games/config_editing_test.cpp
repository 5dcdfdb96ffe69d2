// The editors behind the config-file tweaks: 8-bit lines with CR LF, console-variable lines,
// .ini entries, and the one-time ".vx.bak" copy with its restore.
#include <gtest/gtest.h>

#include "games/config_backup.h"
#include "games/cvar_lines.h"
#include "games/eight_bit_text.h"
#include "games/game_scenarios.h"
#include "games/ini_file.h"
#include "platform/files.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using Lines = std::vector<std::wstring>;
using test::fileBytes;
using test::fileExists;
using test::putFile;

TEST(EightBitText, LinesSplitOnLineEndsAndWriteBackWithCrLf) {
  struct Case {
    std::string bytes;
    Lines lines;
    std::string written;
  };
  const Case cases[] = {
      {"", {}, ""},
      {"a\r\nb\r\n", {L"a", L"b"}, "a\r\nb\r\n"},
      {"a\nb", {L"a", L"b"}, "a\r\nb\r\n"},             // LF alone ends a line; a final end is added
      {"a\r\n\r\n", {L"a", L""}, "a\r\n\r\n"},           // an empty last line survives
      {"a\rb\r\r\n", {L"a\rb\r"}, "a\rb\r\r\n"},  // a lone CR is an ordinary character
      {"\xEF\xBB\xBFx\xE9\xFF\r\n", {L"\u00EF\u00BB\u00BFx\u00E9\u00FF"}, "\xEF\xBB\xBFx\xE9\xFF\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(splitTextLines(c.bytes), c.lines) << c.bytes;
    EXPECT_EQ(joinTextLines(c.lines), c.written) << c.bytes;
  }
  EXPECT_EQ(trimConfigText(L" \t key = v \t\r"), L"key = v");
  EXPECT_EQ(trimConfigText(L" \t\r"), L"");
}

TEST(CvarLines, FirstMatchingLineIsReplacedOtherwiseAppended) {
  Lines lines = {L"graphics.fov \"75\"", L"graphics.fovx 1", L"graphics.fov \"60\"", L"Graphics.dof \"True\"",
                 L" graphics.dof \"True\""};
  setCvarIn(lines, L"graphics.fov", L"\"90\"");
  setCvarIn(lines, L"graphics.dof", L"\"False\"");
  EXPECT_EQ(lines, (Lines{L"graphics.fov \"90\"", L"graphics.fovx 1", L"graphics.fov \"60\"",
                          L"Graphics.dof \"True\"", L" graphics.dof \"True\"", L"graphics.dof \"False\""}));

  Lines withEquals = {L"graphics.fov=75"};
  setCvarIn(withEquals, L"graphics.fov", L"\"90\"");
  EXPECT_EQ(withEquals, Lines{L"graphics.fov \"90\""});
}

TEST(IniLines, ValueIsSetWhereTheSectionHasIt) {
  struct Case {
    const char* what;
    Lines before;
    Lines after;
  };
  const Case cases[] = {
      {"replaced in place, compact form",
       {L"[SystemSettings]", L"   r.MotionBlurQuality  =  4 ", L"x=1"},
       {L"[SystemSettings]", L"r.MotionBlurQuality=0", L"x=1"}},
      {"inserted before the next header, after blank lines",
       {L"[SystemSettings]", L"x=1", L"", L"[Other]", L"y=2"},
       {L"[SystemSettings]", L"x=1", L"", L"r.MotionBlurQuality=0", L"[Other]", L"y=2"}},
      {"appended when the section is last",
       {L"[Other]", L"y=2", L"[SystemSettings]", L"x=1"},
       {L"[Other]", L"y=2", L"[SystemSettings]", L"x=1", L"r.MotionBlurQuality=0"}},
      {"new section after a blank line",
       {L"[Other]", L"y=2"},
       {L"[Other]", L"y=2", L"", L"[SystemSettings]", L"r.MotionBlurQuality=0"}},
      {"no second blank line",
       {L"[Other]", L""},
       {L"[Other]", L"", L"[SystemSettings]", L"r.MotionBlurQuality=0"}},
      {"empty file", {}, {L"[SystemSettings]", L"r.MotionBlurQuality=0"}},
      {"section names compare with case",
       {L"[systemsettings]", L"r.MotionBlurQuality=4"},
       {L"[systemsettings]", L"r.MotionBlurQuality=4", L"", L"[SystemSettings]", L"r.MotionBlurQuality=0"}},
      {"comments and other sections' keys are not matches",
       {L"[A]", L"r.MotionBlurQuality=4", L"[SystemSettings]", L";r.MotionBlurQuality=4"},
       {L"[A]", L"r.MotionBlurQuality=4", L"[SystemSettings]", L";r.MotionBlurQuality=4", L"r.MotionBlurQuality=0"}},
      {"a section met twice takes the line after its last part",
       {L"[SystemSettings]", L"a=1", L"[B]", L"[SystemSettings]", L"b=1", L"[C]"},
       {L"[SystemSettings]", L"a=1", L"[B]", L"[SystemSettings]", L"b=1", L"r.MotionBlurQuality=0", L"[C]"}},
  };
  for (const Case& c : cases) {
    Lines lines = c.before;
    setIniValueIn(lines, L"SystemSettings", L"r.MotionBlurQuality", L"0");
    EXPECT_EQ(lines, c.after) << c.what;
    EXPECT_EQ(iniValueIn(lines, L"SystemSettings", L"r.MotionBlurQuality"), L"0") << c.what;
  }
}

TEST(IniLines, ValueReadsTrimmedFromTheRightSectionOnly) {
  const Lines lines = {L"k=outside", L"[S]", L"  k =  v = w \t", L"k=second", L"[T]", L"k=t"};
  EXPECT_EQ(iniValueIn(lines, L"S", L"k"), L"v = w");
  EXPECT_EQ(iniValueIn(lines, L"T", L"k"), L"t");
  EXPECT_EQ(iniValueIn(lines, L"s", L"k"), L"");
  EXPECT_EQ(iniValueIn(lines, L"S", L"K"), L"");
}

class ConfigFiles : public test::SimTest {};

TEST_F(ConfigFiles, MissingIniIsCreatedWithItsFolderInListOrder) {
  const std::wstring path = L"C:\\Users\\Player\\AppData\\Local\\TslGame\\Saved\\Config\\WindowsNoEditor\\Engine.ini";
  ASSERT_TRUE(setIniValue(path, L"SystemSettings", L"a", L"0"));
  ASSERT_TRUE(setIniValue(path, L"SystemSettings", L"b", L"1"));
  ASSERT_TRUE(setIniValue(path, L"/script/engine.engine", L"c", L"false"));
  EXPECT_EQ(fileBytes(path), "[SystemSettings]\r\na=0\r\nb=1\r\n\r\n[/script/engine.engine]\r\nc=false\r\n");
  EXPECT_EQ(readIniValue(path, L"SystemSettings", L"b"), L"1");
  EXPECT_EQ(readIniValue(L"C:\\missing.ini", L"SystemSettings", L"b"), L"");
}

TEST_F(ConfigFiles, FailedRewriteLeavesTheFileByteForByte) {
  const std::string original = "[SystemSettings]\nr.X=1\n\xE9";
  const std::wstring path = putFile(L"D:\\cfg\\Engine.ini", original);
  machine.failFileWrites(L"D:\\cfg");
  EXPECT_FALSE(setIniValue(path, L"SystemSettings", L"r.X", L"0"));
  EXPECT_EQ(fileBytes(path), original);
}

TEST_F(ConfigFiles, FirstBackupSurvivesAndRestoreRemovesIt) {
  const std::wstring path = putFile(L"D:\\cfg\\client.cfg", "first");
  ASSERT_TRUE(makeConfigBackup(path));
  ASSERT_TRUE(writeFileBytes(path, "second"));
  ASSERT_TRUE(makeConfigBackup(path));
  EXPECT_EQ(fileBytes(path + L".vx.bak"), "first");

  ASSERT_TRUE(restoreConfigBackup(path));
  EXPECT_EQ(fileBytes(path), "first");
  EXPECT_FALSE(fileExists(path + L".vx.bak"));
  // Nothing to restore: success, nothing changes.
  EXPECT_TRUE(restoreConfigBackup(path));
  EXPECT_EQ(fileBytes(path), "first");
  // Nothing to back up.
  EXPECT_TRUE(makeConfigBackup(L"D:\\cfg\\missing.cfg"));
  EXPECT_FALSE(fileExists(L"D:\\cfg\\missing.cfg.vx.bak"));
}

TEST_F(ConfigFiles, FailedRestoreKeepsTheFileAndItsBackup) {
  const std::wstring path = putFile(L"D:\\cfg\\client.cfg", "original");
  ASSERT_TRUE(makeConfigBackup(path));
  ASSERT_TRUE(writeFileBytes(path, "edited"));
  machine.failFileWrites(L"D:\\cfg");
  EXPECT_FALSE(restoreConfigBackup(path));
  EXPECT_EQ(fileBytes(path), "edited");
  EXPECT_EQ(fileBytes(path + L".vx.bak"), "original");

  // A backup that cannot be written is reported, and leaves no partial copy behind.
  const std::wstring other = putFile(L"E:\\cfg\\other.cfg", "x");
  machine.failFileWrites(L"E:\\cfg");
  EXPECT_FALSE(makeConfigBackup(other));
  EXPECT_FALSE(fileExists(other + L".vx.bak"));
}

}  // namespace
}  // namespace vx
