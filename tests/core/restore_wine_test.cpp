// The journal and the restore against the real registry and file system under Wine: a user's own
// values (a DWORD and a REG_SZ that is not valid UTF-16) are journalled in journal.jsonl under the
// ProgramData folder and come back byte for byte, and an absent one is deleted again.
#include <gtest/gtest.h>

#include "core/change_journal.h"
#include "core/engine.h"
#include "core/restore_plan.h"
#include "platform/registry.h"
#include "support/described_values_tweak.h"

namespace vx {
namespace {

const std::wstring kKey = L"Software\\VantorixRestoreWine";

TweakChange userChange(const std::wstring& name, RegValueImage onApply) {
  TweakChange change = test::registryChange(kKey, name, std::move(onApply));
  change.root = RegRoot::CurrentUser;
  return change;
}

TEST(RestoreWine, UsersValuesComeBackExactlyFromTheJournalFile) {
  regDeleteKeyTree(RegRoot::CurrentUser, kKey);
  const std::vector<std::uint8_t> broken{0x00, 0xD8, 0x41, 0x00, 0x00, 0x00};  // a lone surrogate, then "A"
  ASSERT_TRUE(regWriteRaw(RegRoot::CurrentUser, kKey, L"Delay", kRegTypeDword, {7, 0, 0, 0}));
  ASSERT_TRUE(regWriteRaw(RegRoot::CurrentUser, kKey, L"Text", kRegTypeSz, broken));
  auto tweak = test::describedTweak(L"wine.restore", {userChange(L"Delay", RegValueImage::dword(60)),
                                                      userChange(L"Text", RegValueImage::string(L"new")),
                                                      userChange(L"Added", RegValueImage::dword(1))});
  ASSERT_TRUE(applyOne(*tweak).applied);
  ASSERT_EQ(regReadDword(RegRoot::CurrentUser, kKey, L"Delay"), 60u);

  const auto path = journalFilePath();
  ASSERT_TRUE(path);
  const auto plan = planTweakRestore(readJournalFile(*path), {tweak}, L"wine.restore", false);
  ASSERT_TRUE(plan);
  const RestoreReport report = carryOutRestore(*plan);
  EXPECT_TRUE(report.succeeded()) << report.failed << " failed, " << report.skipped << " skipped";
  EXPECT_EQ(regReadRaw(RegRoot::CurrentUser, kKey, L"Delay"), (RegRawValue{kRegTypeDword, {7, 0, 0, 0}}));
  EXPECT_EQ(regReadRaw(RegRoot::CurrentUser, kKey, L"Text"), (RegRawValue{kRegTypeSz, broken}));
  EXPECT_EQ(regReadRaw(RegRoot::CurrentUser, kKey, L"Added"), std::nullopt);
  const auto lines = readJournalFile(*path);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().label, L"restore_wine.restore");
  regDeleteKeyTree(RegRoot::CurrentUser, kKey);
}

}  // namespace
}  // namespace vx
