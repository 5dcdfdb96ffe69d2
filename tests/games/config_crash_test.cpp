// A config edit killed between any two of its file changes, on the simulated machine: the file
// is then the old one or the new one whole, never some of the keys, and the next apply or revert
// removes the temporary file the kill left and ends where an uninterrupted run would.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "games/config_backup.h"
#include "games/config_tweak_fixture.h"
#include "games/game_scenarios.h"
#include "platform/files.h"

namespace vx {
namespace {

using test::fileBytes;
using test::fileExists;
using test::putFile;

class ConfigCrash : public test::ConfigTweakTest {
 protected:
  // Runs the step and says how many file changes it made.
  std::uint32_t changesOf(const std::function<void()>& step) {
    auto count = std::make_shared<std::uint32_t>(0);
    machine.onFileChange([count](const std::wstring&) {
      ++*count;
      return true;
    });
    step();
    machine.onFileChange(nullptr);
    return *count;
  }

  // Temporary files of atomic writes beside the file.
  static std::vector<std::wstring> leftovers(const std::wstring& path) {
    const std::size_t cut = path.find_last_of(L'\\');
    const std::wstring prefix = path.substr(cut + 1) + kAtomicWriteSuffix;
    std::vector<std::wstring> found;
    for (const DirEntry& e : listDirectory(path.substr(0, cut)).value_or(std::vector<DirEntry>{}))
      if (e.name.compare(0, prefix.size(), prefix) == 0) found.push_back(e.name);
    return found;
  }
};

// Multi-key edits of files the player already has.
struct CrashScene {
  const char* name;
  const wchar_t* id;
  std::function<std::wstring()> install;  // puts the player's file in place; returns its path
};

const CrashScene kScenes[] = {
    {"arcEngineIni", L"game.arc.engineini",
     [] {
       return putFile(std::wstring(test::kPlayerLocalAppData) + L"\\Arc\\Saved\\Config\\WindowsClient\\Engine.ini",
                      "[Core.Log]\r\nLogX=Off\r\n\r\n[SystemSettings]\r\n r.MotionBlurQuality = 3\r\n"
                      "r.ScreenPercentage=70\r\n\r\n[Audio]\r\nVolume=\xE9\r\n");
     }},
    {"rustClientCfg", L"game.rust.visuals",
     [] { return test::installRust(L'D', "// mine\r\ngraphics.fov \"75\"\r\nbind f1 consoletoggle\r\n").clientCfg; }},
};

enum class Step { Apply, Revert };
const char* stepName(Step s) { return s == Step::Apply ? "apply" : "revert"; }
void run(Tweak& t, Step s) { s == Step::Apply ? (void)t.apply() : (void)t.revert(); }

TEST_F(ConfigCrash, KilledBetweenAnyTwoWritesLeavesTheOldOrTheNewFileWhole) {
  for (const CrashScene& scene : kScenes) {
    SCOPED_TRACE(scene.name);
    // The uninterrupted run: what the file holds before and after apply, and how many changes
    // apply and revert make.
    machine.reset();
    std::wstring path = scene.install();
    const std::string before = fileBytes(path);
    TweakPtr t = gameTweak(scene.id);
    const std::uint32_t applyChanges = changesOf([&] { ASSERT_TRUE(t->apply()); });
    const std::string after = fileBytes(path);
    ASSERT_NE(after, before);
    const std::uint32_t revertChanges = changesOf([&] { ASSERT_TRUE(t->revert()); });
    ASSERT_EQ(fileBytes(path), before);
    // An edit of several keys in one replacement: a backup, a temporary file, a move.
    EXPECT_EQ(applyChanges, 3u);

    for (const Step killed : {Step::Apply, Step::Revert}) {
      const std::uint32_t changes = killed == Step::Apply ? applyChanges : revertChanges;
      for (std::uint32_t at = 0; at <= changes; ++at) {
        for (const Step next : {Step::Apply, Step::Revert}) {
          SCOPED_TRACE(std::string(stepName(killed)) + " killed after " + std::to_string(at) + " changes, then " +
                       stepName(next));
          machine.reset();
          path = scene.install();
          t = gameTweak(scene.id);
          if (killed == Step::Revert) ASSERT_TRUE(t->apply());
          machine.onFileChange(sim::Machine::killedAfterFileChanges(at));
          run(*t, killed);
          machine.onFileChange(nullptr);

          const std::string left = fileBytes(path);
          EXPECT_TRUE(left == before || left == after) << "a mix of old and new keys:\n" << left;
          // Wherever the new file stands, the player's original is kept beside it.
          if (left == after) EXPECT_EQ(fileBytes(configBackupPath(path)), before);

          run(*t, next);
          EXPECT_TRUE(leftovers(path).empty()) << "temporary file of the killed run left";
          EXPECT_EQ(fileBytes(path), next == Step::Apply ? after : before);
          if (next == Step::Apply) {
            EXPECT_EQ(t->queryState(), TweakState::Applied);
            EXPECT_EQ(fileBytes(configBackupPath(path)), before);
          }
          // And to the end of a whole cycle: the original back, no backup left.
          EXPECT_TRUE(t->apply());
          EXPECT_TRUE(t->revert());
          EXPECT_EQ(fileBytes(path), before);
          EXPECT_FALSE(fileExists(configBackupPath(path)));
        }
      }
    }
  }
}

}  // namespace
}  // namespace vx
