// The safety net against the real reg.exe and file system under Wine: an existing key is exported
// into a UTF-16LE .reg file that names it, a missing key leaves the 68-byte note, and the folder
// lies below the ProgramData known folder. Also the letter test against the C library's iswalnum,
// which on Windows answers the same in every locale for these characters.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "core/backup_folder.h"
#include "core/safety_net.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace vx {
namespace {

const std::wstring kKey = L"Software\\VantorixSafetyNetWine";

std::wstring utf16leText(const std::string& bytes, std::size_t from) {
  std::wstring text;
  for (std::size_t i = from; i + 1 < bytes.size(); i += 2)
    text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                        (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  return text;
}

TEST(SafetyNetWine, ExportsAnExistingKeyAndNotesAMissingOne) {
  ASSERT_TRUE(regWriteDword(RegRoot::CurrentUser, kKey, L"Probe", 7));
  const std::wstring missing = kKey + L"\\DoesNotExist";
  const SafetyNetResult net =
      prepareSafetyNet({{RegRoot::CurrentUser, kKey}, {RegRoot::CurrentUser, missing}}, L"wine safety/net");

  ASSERT_FALSE(net.backupDir.empty());
  const auto programData = programDataFolder();
  ASSERT_TRUE(programData);
  EXPECT_EQ(net.backupDir.rfind(*programData + L"\\Vantorix\\Backups\\", 0), 0u) << toUtf8(net.backupDir);
  EXPECT_EQ(net.backupDir.substr(net.backupDir.size() - 15), L"_wine_safetynet");
  EXPECT_TRUE(net.backupsOk);
  EXPECT_FALSE(net.restorePointCreated);  // Wine's SRSetRestorePointW refuses

  const auto reg = readFileBytes(net.backupDir + L"\\0.reg");
  ASSERT_TRUE(reg);
  ASSERT_GE(reg->size(), 2u);
  EXPECT_EQ(reg->substr(0, 2), "\xFF\xFE");
  const std::wstring text = utf16leText(*reg, 2);
  EXPECT_NE(text.find(L"[HKEY_CURRENT_USER\\" + kKey + L"]"), std::wstring::npos) << toUtf8(text);
  EXPECT_NE(text.find(L"\"Probe\"=dword:00000007"), std::wstring::npos) << toUtf8(text);

  EXPECT_EQ(readFileBytes(net.backupDir + L"\\1.missing.txt"),
            std::string("Key did not exist at backup time. Restoring means deleting the key.\n"));
  EXPECT_FALSE(regReadRaw(RegRoot::LocalMachine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore",
                          L"SystemRestorePointCreationFrequency"))
      << "lifted only for the call: a fresh prefix has no such value, so it is gone again";
}

TEST(SafetyNetWine, SecondNetInTheSameSecondKeepsTheFirstExport) {
  ASSERT_TRUE(regWriteDword(RegRoot::CurrentUser, kKey, L"Probe", 1));
  // Folder creation alone is quick enough to stay within one second nearly always; the check
  // holds either way because a later second gives a different name.
  const std::wstring first = createBackupRunDir(L"same_label");
  const std::wstring second = createBackupRunDir(L"same_label");
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_NE(first, second);
  if (second.size() == first.size() + 2) {
    EXPECT_EQ(second, first + L"-2");
  }
  EXPECT_EQ(fileStatus(second).kind, FileKind::Directory);
}

TEST(SafetyNetWine, QuoteInAKeyPathStartsNoExport) {
  const std::wstring dir = createBackupRunDir(L"quote");
  ASSERT_FALSE(dir.empty());
  EXPECT_FALSE(exportKey(dir, RegRoot::CurrentUser, L"Software\\x\" \"C:\\evil", L"0"));
  EXPECT_EQ(listDirectory(dir).value_or(std::vector<DirEntry>{}).size(), 0u);
}

// The blocks the helper covers: ASCII, Latin-1, Latin Extended-A/B, Cyrillic.
TEST(SafetyNetWine, LetterOrDigitAgreesWithIswalnum) {
  for (wchar_t c = 1; c < 0x0500; ++c) {
    if (c >= 0x0250 && c < 0x0400) continue;
    EXPECT_EQ(isLetterOrDigit(c), std::iswalnum(static_cast<wint_t>(c)) != 0) << "U+" << std::hex << int(c);
  }
}

}  // namespace
}  // namespace vx
