// The preview's lines ("vxctl show", the card title's tooltip) for each kind of change, with and
// without the current values, and the values read for them on the simulated machine.
#include <gtest/gtest.h>

#include "core/change_preview.h"
#include "core/change_values.h"
#include "platform/power.h"
#include "support/described_values_tweak.h"
#include "support/sim_test.h"

namespace vx {
namespace {

const std::wstring kKey = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";

TweakChange change(ChangeKind kind, std::wstring key, std::wstring name = {}) {
  TweakChange c;
  c.kind = kind;
  c.key = std::move(key);
  c.valueName = std::move(name);
  return c;
}

TEST(ChangePreview, OneLinePerChangeInEachDirection) {
  TweakChange tdr = test::registryChange(kKey, L"TdrDelay", RegValueImage::dword(60));
  TweakChange text = test::registryChange(L"SOFTWARE\\A", L"", RegValueImage::string(L"Да"), RegValueImage::string(L"Нет"));
  TweakChange service = change(ChangeKind::ServiceStart, L"SysMain");
  service.onApply = RegValueImage::dword(4);
  service.onRevert = RegValueImage::dword(2);
  TweakChange command = change(ChangeKind::BootValue, L"{current}", L"disabledynamictick");
  command.applyCommand = L"bcdedit /set {current} disabledynamictick yes";
  command.revertCommand = L"bcdedit /deletevalue {current} disabledynamictick";
  TweakChange file = change(ChangeKind::File, L"C:\\Games\\cfg\\autoexec.cfg", L"C:\\backup.cfg");
  file.settings = {L"fps_max 0", L"cl_showfps 1"};
  TweakChange kept = test::registryChange(L"SOFTWARE\\A", L"K", RegValueImage::dword(1));
  kept.keepsOnRevert = true;
  const TweakChanges changes{tdr, text, service, command, file, kept};
  const CurrentValues now{RegValueImage::dword(7), RegValueImage::absent(), RegValueImage::dword(2), std::nullopt,
                          std::nullopt, RegValueImage::dword(1)};

  EXPECT_EQ(previewLines(changes, false, &now),
            (std::vector<std::wstring>{
                L"HKLM\\SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers  TdrDelay: 7 → 60 (REG_DWORD)",
                L"HKLM\\SOFTWARE\\A  (по умолчанию): нет → Да (REG_SZ)",
                L"служба SysMain  тип запуска: автоматически → отключена",
                L"выполнит: bcdedit /set {current} disabledynamictick yes",
                L"файл C:\\Games\\cfg\\autoexec.cfg: fps_max 0, cl_showfps 1",
                L"HKLM\\SOFTWARE\\A  K: 1 → 1 (REG_DWORD)",
            }));
  EXPECT_EQ(previewLines(changes, true, &now),
            (std::vector<std::wstring>{
                L"HKLM\\SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers  TdrDelay: 7 → нет (REG_DWORD)",
                L"HKLM\\SOFTWARE\\A  (по умолчанию): нет → Нет (REG_SZ)",
                L"служба SysMain  тип запуска: автоматически → автоматически",
                L"выполнит: bcdedit /deletevalue {current} disabledynamictick",
                L"файл C:\\Games\\cfg\\autoexec.cfg: вернёт прежнее содержимое",
                L"HKLM\\SOFTWARE\\A  K: без изменений",
            }));
  // Before the current values arrive, the lines show the value afterwards only.
  EXPECT_EQ(previewLines({tdr}, false, nullptr).front(),
            L"HKLM\\SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers  TdrDelay: → 60 (REG_DWORD)");
}

TEST(ChangeValues, ReadableFormsOfRegistryData) {
  struct Case {
    RegValueImage value;
    const wchar_t* text;
  };
  const Case cases[] = {
      {RegValueImage::absent(), L"нет"},
      {RegValueImage::dword(4294967295u), L"4294967295"},
      {RegValueImage::raw(kRegTypeQword, {1, 0, 0, 0, 1, 0, 0, 0}), L"4294967297"},
      {RegValueImage::string(L"Привет", kRegTypeExpandSz), L"Привет"},
      {RegValueImage::raw(kRegTypeMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}), L"a | b"},
      {RegValueImage::raw(kRegTypeBinary, {0x01, 0xA0}), L"01 A0"},
      {RegValueImage::raw(kRegTypeDword, {1, 2}), L"01 02"},  // a DWORD that is not four bytes
  };
  for (const Case& c : cases) EXPECT_EQ(readableValue(c.value), c.text);
  EXPECT_EQ(bytesOfHex(hexOfBytes({0x00, 0xff, 0x7a})), (std::vector<std::uint8_t>{0x00, 0xff, 0x7a}));
  EXPECT_FALSE(bytesOfHex("0g"));
  EXPECT_FALSE(bytesOfHex("123"));
}

class ChangeValuesTest : public test::SimTest {};

TEST_F(ChangeValuesTest, ServicesAndTheSchemeReadAndWriteAsValues) {
  machine.addService(L"SysMain", 2);
  const TweakChange service = change(ChangeKind::ServiceStart, L"SysMain");
  EXPECT_EQ(readChangeValue(service), RegValueImage::dword(2));
  EXPECT_TRUE(writeChangeValue(service, RegValueImage::dword(4)));
  EXPECT_EQ(readChangeValue(service), RegValueImage::dword(4));
  EXPECT_EQ(readChangeValue(change(ChangeKind::ServiceStart, L"Missing")), RegValueImage::absent());

  machine.setActivePowerScheme(kBalancedScheme);
  const TweakChange scheme = change(ChangeKind::PowerScheme, L"");
  const auto balanced = readChangeValue(scheme);
  EXPECT_EQ(balanced, RegValueImage::string(L"{381b4222-f694-41f0-9685-ff5bb260df2e}"));
  ASSERT_TRUE(writeChangeValue(scheme, RegValueImage::string(L"{8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c}")));
  EXPECT_EQ(machine.activePowerScheme(), kHighPerformanceScheme);
  EXPECT_FALSE(writeChangeValue(scheme, RegValueImage::string(L"{not-a-guid}")));
  machine.setActivePowerScheme(std::nullopt);
  EXPECT_EQ(readChangeValue(scheme), std::nullopt);  // cannot be read, which is not "no scheme"

  // A key that refuses to open hides whether the value is there.
  machine.setDword(RegRoot::LocalMachine, L"SOFTWARE\\Locked", L"V", 1);
  machine.denyKeyAccess(RegRoot::LocalMachine, L"SOFTWARE\\Locked");
  EXPECT_EQ(readChangeValue(test::registryChange(L"SOFTWARE\\Locked", L"V", {})), std::nullopt);
  EXPECT_EQ(readChangeValue(test::registryChange(L"SOFTWARE\\Nowhere", L"V", {})), RegValueImage::absent());
}

}  // namespace
}  // namespace vx
