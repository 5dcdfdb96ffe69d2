// Elevated with another account's password: every tweak that writes the user's profile (HKCU or
// files in the profile folders) is unavailable with the note, refuses apply and revert without
// touching anything, while machine-wide tweaks carry on; the account is looked at once.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/text.h"
#include "catalog/build_catalog.h"
#include "core/guarded_calls.h"
#include "support/registry_row.h"
#include "core/user_account.h"
#include "games/config_file_tweaks.h"
#include "support/sim_test.h"

namespace vx {
namespace {

constexpr auto HKCU = RegRoot::CurrentUser;
constexpr auto HKLM = RegRoot::LocalMachine;

class UserAccountTest : public test::SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    forgetAccountDecision();
  }
  void TearDown() override { forgetAccountDecision(); }

  void twoUsers() { machine.setShell({.window = true, .otherUser = true}); }
};

constexpr TweakInfo kFileInfo{L"t.file", L"Файл", L"", TweakCategory::Games};

RegSetting entry(RegRoot root, const wchar_t* key) { return test::dwordValue(root, key, L"Value", 1, 0, false); }

TEST_F(UserAccountTest, ProfileTweaksAreLeftAloneOnlyWhenTheDesktopBelongsToAnotherUser) {
  struct Case {
    const char* label;
    sim::Machine::ShellScene shell;
    bool anotherAccount;
  };
  const Case cases[] = {
      {"no shell window (Wine, a service session)", {}, false},
      {"the desktop's own user", {.window = true}, false},
      {"another user at the desktop", {.window = true, .otherUser = true}, true},
  };
  for (const Case& c : cases) {
    machine.reset();
    forgetAccountDecision();
    machine.setShell(c.shell);
    test::TestRegistryRow user(L"t.user", {entry(HKLM, L"SOFTWARE\\VxTest"), entry(HKCU, L"Software\\VxTest")});
    test::TestRegistryRow machineWide(L"t.machine", {entry(HKLM, L"SOFTWARE\\VxTest")});

    EXPECT_EQ(guarded::queryState(user) == TweakState::Unavailable, c.anotherAccount) << c.label;
    EXPECT_EQ(guarded::compatibilityNote(user), c.anotherAccount ? kAnotherAccountNote : L"") << c.label;
    EXPECT_EQ(guarded::apply(user), !c.anotherAccount) << c.label;
    EXPECT_EQ(machine.dword(HKCU, L"Software\\VxTest", L"Value").has_value(), !c.anotherAccount) << c.label;
    EXPECT_EQ(machine.dword(HKLM, L"SOFTWARE\\VxTest", L"Value").has_value(), !c.anotherAccount)
        << "nothing of a refused tweak is written " << c.label;
    machine.setDword(HKCU, L"Software\\VxTest", L"Value", 1);
    EXPECT_EQ(guarded::revert(user), !c.anotherAccount) << c.label;
    EXPECT_EQ(machine.dword(HKCU, L"Software\\VxTest", L"Value"), c.anotherAccount ? std::optional<std::uint32_t>(1)
                                                                                   : std::optional<std::uint32_t>(0))
        << c.label;

    EXPECT_TRUE(guarded::apply(machineWide)) << c.label;
    EXPECT_EQ(guarded::queryState(machineWide), TweakState::Applied) << c.label;
    EXPECT_EQ(guarded::compatibilityNote(machineWide), L"") << c.label;
  }
}

TEST_F(UserAccountTest, KindsTellFromWhatTheyWriteWhetherTheyChangeTheProfile) {
  const std::wstring local = L"C:\\Users\\Player\\AppData\\Local";
  struct Case {
    const char* label;
    std::shared_ptr<Tweak> tweak;
    bool changesProfile;
  };
  const Case cases[] = {
      {"HKCU value", std::make_shared<test::TestRegistryRow>(L"a", std::vector{entry(HKCU, L"Software\\X")}), true},
      {"HKLM value", std::make_shared<test::TestRegistryRow>(L"b", std::vector{entry(HKLM, L"SOFTWARE\\X")}), false},
      {"ini below LOCALAPPDATA", std::make_shared<UeEngineIniTweak>(kFileInfo, local + L"\\Game\\Saved\\Engine.ini", std::vector<IniSetting>{}), true},
      {"ini in a game folder", std::make_shared<UeEngineIniTweak>(kFileInfo, L"D:\\Games\\Game\\Engine.ini", std::vector<IniSetting>{}), false},
      {"a profile look-alike", std::make_shared<UeEngineIniTweak>(kFileInfo, L"C:\\Users\\Player2\\Engine.ini", std::vector<IniSetting>{}), false},
      {"cfg candidates, one in the profile", std::make_shared<CvarFileTweak>(kFileInfo, L"vx.test", std::vector<std::wstring>{L"D:\\Steam\\a.cfg", L"c:\\users\\PLAYER\\a.cfg"}, std::vector<CvarSetting>{}, L"m"), true},
      {"cfg in the Steam library", std::make_shared<CvarFileTweak>(kFileInfo, L"vx.test2", std::vector<std::wstring>{L"C:\\Program Files (x86)\\Steam\\a.cfg"}, std::vector<CvarSetting>{}, L"m"), false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.tweak->changesUserProfile(), c.changesProfile) << c.label;
}

TEST_F(UserAccountTest, EveryCatalogueTweakThatWritesHkcuIsUnavailableUnderAnotherAccount) {
  // Rows known to write only the user's settings, one per kind that writes them.
  const wchar_t* const perUser[] = {L"perf.visualfx", L"system.mouse_accel", L"system.show_ext", L"game.kill_gamebar",
                                    L"game.mouse_raw", L"game.clear_shadercache", L"sys.no_onedrive"};
  const wchar_t* const machineWide[] = {L"perf.priorityseparation", L"system.long_paths", L"net.no_throttling"};
  twoUsers();
  const TweakCatalog catalog = buildCatalog();
  auto find = [&](const wchar_t* id) -> Tweak* {
    for (const auto& t : catalog)
      if (t->id == id) return t.get();
    return nullptr;
  };
  for (const wchar_t* id : perUser) {
    Tweak* t = find(id);
    if (!t) {
      ADD_FAILURE() << "no tweak " << toUtf8(id);
      continue;
    }
    EXPECT_EQ(guarded::queryState(*t), TweakState::Unavailable) << toUtf8(id);
  }
  for (const wchar_t* id : machineWide) {
    Tweak* t = find(id);
    ASSERT_TRUE(t) << toUtf8(id);
    EXPECT_NE(guarded::queryState(*t), TweakState::Unavailable) << toUtf8(id);
  }
  const std::uint64_t writes = machine.registryWrites();
  for (const auto& t : catalog)
    if (guarded::queryState(*t) == TweakState::Unavailable && t->changesUserProfile()) guarded::apply(*t);
  EXPECT_EQ(machine.registryWrites(), writes);
}

TEST_F(UserAccountTest, TheDesktopsAccountIsLookedAtOncePerProcess) {
  twoUsers();
  const TweakCatalog catalog = buildCatalog();
  for (int pass = 0; pass < 3; ++pass)
    for (const auto& t : catalog) guarded::queryState(*t);
  EXPECT_EQ(machine.shellUserChecks(), 1u);
  machine.setShell({.window = true});  // the decision stands for the process
  EXPECT_TRUE(runsAsAnotherAccount());
}

}  // namespace
}  // namespace vx
