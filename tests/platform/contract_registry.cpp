// What the registry operations promise, on both backends: a value of the wrong type or size reads
// as absent, strings come back as stored (unexpanded, trailing NULs gone), writes create the path,
// deletes of what is not there succeed, and subkeys enumerate in hive order until a name does not
// fit the caller's buffer. Everything happens below scene::testKey() in HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/registry.h"
#include "platform/scene.h"

namespace vx {
namespace {

constexpr auto HKCU = RegRoot::CurrentUser;

// Windows value types, as the scene writes them.
constexpr std::uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4, kRegDwordBigEndian = 5,
                        kRegMultiSz = 7, kRegQword = 11;

// UTF-16LE bytes of an ASCII text, without a terminator.
std::vector<std::uint8_t> utf16(const std::string& ascii) {
  std::vector<std::uint8_t> bytes;
  for (char c : ascii) {
    bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(0);
  }
  return bytes;
}

std::vector<std::uint8_t> operator+(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<std::uint8_t> kNul = {0, 0};

class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    scene::reset();
    key = scene::testKey();
  }
  void TearDown() override { scene::deleteKeyTree(HKCU, scene::testKey()); }

  std::wstring sub(const std::wstring& path) const { return key + L"\\" + path; }

  std::wstring key;
};

TEST_F(RegistryContract, DwordReadsOnlyAFourByteRegDword) {
  struct Case {
    const wchar_t* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    std::optional<std::uint32_t> expected;
  };
  const std::vector<Case> cases = {
      {L"zero", kRegDword, {0, 0, 0, 0}, 0u},
      {L"little-endian", kRegDword, {0xEF, 0xBE, 0xAD, 0xDE}, 0xDEADBEEFu},
      {L"all-ones", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFFu},
      {L"two-bytes", kRegDword, {1, 0}, std::nullopt},
      {L"no-bytes", kRegDword, {}, std::nullopt},
      {L"eight-bytes", kRegDword, {1, 0, 0, 0, 0, 0, 0, 0}, std::nullopt},
      {L"qword", kRegQword, {1, 0, 0, 0, 0, 0, 0, 0}, std::nullopt},
      {L"qword-four-bytes", kRegQword, {1, 0, 0, 0}, std::nullopt},
      {L"text-one", kRegSz, utf16("1") + kNul, std::nullopt},
      {L"binary", kRegBinary, {1, 0, 0, 0}, std::nullopt},
      {L"big-endian", kRegDwordBigEndian, {0, 0, 0, 1}, std::nullopt},
  };
  for (const Case& c : cases) scene::writeRawValue(HKCU, key, c.name, c.type, c.data);
  for (const Case& c : cases) EXPECT_EQ(regReadDword(HKCU, key, c.name), c.expected) << c.name;

  EXPECT_FALSE(regReadDword(HKCU, key, L"never-written").has_value());
  EXPECT_FALSE(regReadDword(HKCU, sub(L"missing"), L"zero").has_value());
}

TEST_F(RegistryContract, StringReadsRegSzAndExpandSzAsStored) {
  struct Case {
    const wchar_t* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    std::optional<std::wstring> expected;
  };
  const std::vector<Case> cases = {
      {L"plain", kRegSz, utf16("abc") + kNul, L"abc"},
      {L"expand-unexpanded", kRegExpandSz, utf16("%SystemRoot%\\x") + kNul + kNul + kNul, L"%SystemRoot%\\x"},
      {L"no-terminator", kRegSz, utf16("ab"), L"ab"},
      {L"odd-byte-count", kRegSz, utf16("ab") + std::vector<std::uint8_t>{'c'}, L"ab"},
      {L"only-terminator", kRegSz, kNul, L""},
      {L"no-bytes", kRegSz, {}, L""},
      {L"cyrillic", kRegSz, std::vector<std::uint8_t>{0x1F, 0x04, 0x40, 0x04, 0x38, 0x04} + kNul, L"При"},
      {L"surrogate-pair", kRegSz, std::vector<std::uint8_t>{0x3D, 0xD8, 0x00, 0xDE} + kNul, L"\U0001F600"},
      {L"dword", kRegDword, {1, 0, 0, 0}, std::nullopt},
      {L"multi", kRegMultiSz, utf16("a") + kNul + kNul, std::nullopt},
      {L"binary", kRegBinary, utf16("abc") + kNul, std::nullopt},
  };
  for (const Case& c : cases) scene::writeRawValue(HKCU, key, c.name, c.type, c.data);
  for (const Case& c : cases) EXPECT_EQ(regReadString(HKCU, key, c.name), c.expected) << c.name;

  EXPECT_FALSE(regReadString(HKCU, key, L"never-written").has_value());
  EXPECT_FALSE(regReadString(HKCU, sub(L"missing"), L"plain").has_value());
}

TEST_F(RegistryContract, WrittenTypesReadBackOnlyAsThemselves) {
  ASSERT_TRUE(regWriteDword(HKCU, key, L"number", 1));
  ASSERT_TRUE(regWriteString(HKCU, key, L"text", L"1"));
  EXPECT_EQ(regReadDword(HKCU, key, L"number"), 1u);
  EXPECT_FALSE(regReadString(HKCU, key, L"number").has_value()) << "a DWORD is not a string";
  EXPECT_EQ(regReadString(HKCU, key, L"text"), L"1");
  EXPECT_FALSE(regReadDword(HKCU, key, L"text").has_value()) << "a REG_SZ \"1\" is not a DWORD 1";

  // Overwriting changes the type along with the data.
  ASSERT_TRUE(regWriteDword(HKCU, key, L"text", 7));
  EXPECT_EQ(regReadDword(HKCU, key, L"text"), 7u);
  EXPECT_FALSE(regReadString(HKCU, key, L"text").has_value());
  ASSERT_TRUE(regWriteString(HKCU, key, L"text", L""));
  EXPECT_EQ(regReadString(HKCU, key, L"text"), L"");
}

TEST_F(RegistryContract, WriteCreatesTheWholeMissingPath) {
  const std::wstring deep = sub(L"a\\b\\c");
  ASSERT_FALSE(regKeyExists(HKCU, sub(L"a")));
  ASSERT_TRUE(regWriteDword(HKCU, deep, L"v", 42));
  for (const auto* level : {L"a", L"a\\b", L"a\\b\\c"}) {
    EXPECT_TRUE(regKeyExists(HKCU, sub(level))) << level;
    EXPECT_TRUE(regKeyReadable(HKCU, sub(level))) << level;
  }
  EXPECT_EQ(regReadDword(HKCU, deep, L"v"), 42u);

  ASSERT_TRUE(regWriteString(HKCU, sub(L"x\\y"), L"s", L"text"));
  EXPECT_EQ(regReadString(HKCU, sub(L"x\\y"), L"s"), L"text");
}

TEST_F(RegistryContract, DeleteSucceedsWhenNothingIsThere) {
  EXPECT_TRUE(regDeleteValue(HKCU, sub(L"no\\such\\key"), L"v")) << "missing key";
  EXPECT_FALSE(regKeyExists(HKCU, sub(L"no"))) << "deleting must not create the key";

  ASSERT_TRUE(regWriteDword(HKCU, key, L"present", 1));
  EXPECT_TRUE(regDeleteValue(HKCU, key, L"absent")) << "missing value";
  EXPECT_EQ(regReadDword(HKCU, key, L"present"), 1u) << "the other value is untouched";

  EXPECT_TRUE(regDeleteValue(HKCU, key, L"present"));
  EXPECT_FALSE(regReadDword(HKCU, key, L"present").has_value());
  EXPECT_TRUE(regKeyExists(HKCU, key)) << "deleting a value keeps its key";
  EXPECT_TRUE(regDeleteValue(HKCU, key, L"present")) << "deleting twice";
}

TEST_F(RegistryContract, KeyTreeDeletionRemovesEverythingBelowAndOnlyThat) {
  ASSERT_TRUE(regWriteDword(HKCU, sub(L"tree\\child\\leaf"), L"v", 1));
  ASSERT_TRUE(regWriteDword(HKCU, sub(L"tree"), L"top", 2));
  ASSERT_TRUE(regWriteDword(HKCU, sub(L"tree sibling"), L"v", 3));
  EXPECT_TRUE(regDeleteKeyTree(HKCU, sub(L"tree")));
  EXPECT_TRUE(regKeyAbsent(HKCU, sub(L"tree")));
  EXPECT_EQ(regReadDword(HKCU, sub(L"tree sibling"), L"v"), 3u) << "a key whose name starts the same stays";
  EXPECT_TRUE(regDeleteKeyTree(HKCU, sub(L"tree"))) << "deleting what is gone";
  EXPECT_TRUE(regDeleteKeyTree(HKCU, sub(L"no\\such\\key")));
  EXPECT_FALSE(regKeyExists(HKCU, sub(L"no"))) << "deleting must not create the path";
}

TEST_F(RegistryContract, KeyProbesTellExistingFromMissing) {
  ASSERT_TRUE(regWriteDword(HKCU, sub(L"here"), L"v", 1));
  EXPECT_TRUE(regKeyExists(HKCU, sub(L"here")));
  EXPECT_TRUE(regKeyReadable(HKCU, sub(L"here")));
  EXPECT_FALSE(regKeyExists(HKCU, sub(L"gone")));
  EXPECT_FALSE(regKeyReadable(HKCU, sub(L"gone")));
  EXPECT_FALSE(regKeyExists(HKCU, sub(L"gone\\deeper")));
}

TEST_F(RegistryContract, AbsentOnlyWhenTheKeyIsNotThere) {
  ASSERT_TRUE(regWriteDword(HKCU, sub(L"here\\empty child\\leaf"), L"v", 1));
  for (const auto* present : {L"here", L"HERE\\Empty Child", L"here\\empty child\\leaf"})
    EXPECT_FALSE(regKeyAbsent(HKCU, sub(present))) << toUtf8(present);
  for (const auto* missing : {L"gone", L"gone\\deeper", L"here\\other"})
    EXPECT_TRUE(regKeyAbsent(HKCU, sub(missing))) << toUtf8(missing);
  EXPECT_FALSE(regKeyAbsent(HKCU, key));
}

TEST_F(RegistryContract, NamesIgnoreCaseButKeepTheirSpelling) {
  ASSERT_TRUE(regWriteDword(HKCU, sub(L"MiXeD Key"), L"ValueName", 5));
  EXPECT_EQ(regReadDword(HKCU, sub(L"mixed key"), L"VALUENAME"), 5u);
  EXPECT_EQ(regReadDword(HKCU, sub(L"MIXED KEY"), L"valuename"), 5u);
  ASSERT_TRUE(regWriteDword(HKCU, sub(L"mixed KEY"), L"valuename", 6)) << "same key, same value";
  EXPECT_EQ(regReadDword(HKCU, sub(L"MiXeD Key"), L"ValueName"), 6u);
  EXPECT_EQ(regEnumSubkeys(HKCU, key), std::vector<std::wstring>{L"MiXeD Key"}) << "the first spelling stays";

  // Cyrillic folds too, Ё included. The simulated machine folds ASCII, Latin-1 and Cyrillic only,
  // where Windows folds all of Unicode: names differing in case elsewhere (Greek, for one) would
  // be two keys there, so the suite stays within those scripts.
  ASSERT_TRUE(regWriteString(HKCU, sub(L"Ёлка"), L"Имя", L"значение"));
  EXPECT_EQ(regReadString(HKCU, sub(L"ёЛКА"), L"иМЯ"), L"значение");
}

TEST_F(RegistryContract, UnusualNamesRoundTrip) {
  const std::vector<std::wstring> names = {
      L"with  two  spaces", L"Привет, Ёжик", L"a.b-c_d (x86) {4d36e968}", L"#$%&'()+,;=@[]^`~!",
      L"ünïcödé ÀÞ", L"emoji \U0001F3AE",
  };
  for (const auto& name : names) {
    ASSERT_TRUE(regWriteDword(HKCU, sub(name), name, 9)) << "key " << name.size();
    ASSERT_TRUE(regWriteString(HKCU, sub(name), name + L" text", name));
  }
  for (const auto& name : names) {
    EXPECT_EQ(regReadDword(HKCU, sub(name), name), 9u);
    EXPECT_EQ(regReadString(HKCU, sub(name), name + L" text"), name);
  }
  auto listed = regEnumSubkeys(HKCU, key);
  std::sort(listed.begin(), listed.end());
  auto expected = names;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);

  // Value names may contain a backslash (key names cannot); the empty name is the default value.
  ASSERT_TRUE(regWriteString(HKCU, key, L"back\\slash", L"b"));
  EXPECT_EQ(regReadString(HKCU, key, L"back\\slash"), L"b");
  EXPECT_FALSE(regKeyExists(HKCU, sub(L"back")));
  ASSERT_TRUE(regWriteString(HKCU, key, L"", L"default"));
  EXPECT_EQ(regReadString(HKCU, key, L""), L"default");
}

TEST_F(RegistryContract, LongStringRoundTrips) {
  std::wstring text;
  for (int i = 0; text.size() < 100'000; ++i) text += (i % 3 == 0) ? L"Ж" : (i % 3 == 1) ? L"z" : L"7";
  ASSERT_TRUE(regWriteString(HKCU, key, L"long", text));
  EXPECT_EQ(regReadString(HKCU, key, L"long"), text);
}

TEST_F(RegistryContract, SubkeysEnumerateSortedWithoutRegardToCase) {
  // Created out of order and in mixed case; the hive keeps them sorted. Windows compares upper-cased
  // names, so "_" sorts after the letters; the names here order the same either way, which keeps
  // the test independent of how a registry folds (the native suite checks the upper-case order).
  for (const auto* name : {L"c", L"B2", L"ab", L"A", L"b", L"0001", L"0000", L"Properties"})
    ASSERT_TRUE(regWriteDword(HKCU, sub(name), L"v", 1));
  const std::vector<std::wstring> expected = {L"0000", L"0001", L"A", L"ab", L"b", L"B2", L"c", L"Properties"};
  EXPECT_EQ(regEnumSubkeys(HKCU, key), expected);
  EXPECT_EQ(regFirstSubkey(HKCU, key), L"0000");

  // Only direct subkeys are listed; values are not keys.
  ASSERT_TRUE(regWriteDword(HKCU, sub(L"A\\nested"), L"v", 1));
  EXPECT_EQ(regEnumSubkeys(HKCU, key), expected);
  EXPECT_EQ(regEnumSubkeys(HKCU, sub(L"A")), std::vector<std::wstring>{L"nested"});
}

TEST_F(RegistryContract, EnumerationStopsAtTheFirstNameTheBufferCannotHold) {
  for (const auto* name : {L"a", L"bbbbbbbb", L"c"}) ASSERT_TRUE(regWriteDword(HKCU, sub(name), L"v", 1));
  struct Case {
    std::size_t bufferChars;
    std::vector<std::wstring> expected;
  };
  const std::vector<Case> cases = {
      {256, {L"a", L"bbbbbbbb", L"c"}},
      {9, {L"a", L"bbbbbbbb", L"c"}},  // eight characters and the terminating NUL
      {8, {L"a"}},                     // "c" would fit, but enumeration ends at "bbbbbbbb"
      {2, {L"a"}},
      {1, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(regEnumSubkeys(HKCU, key, c.bufferChars), c.expected) << c.bufferChars;

  EXPECT_EQ(regFirstSubkey(HKCU, key, 2), L"a");
  EXPECT_FALSE(regFirstSubkey(HKCU, key, 1).has_value());
}

TEST_F(RegistryContract, EnumerationOfMissingOrEmptyKeysIsEmpty) {
  EXPECT_TRUE(regEnumSubkeys(HKCU, sub(L"missing")).empty());
  EXPECT_FALSE(regFirstSubkey(HKCU, sub(L"missing")).has_value());
  ASSERT_TRUE(regWriteDword(HKCU, sub(L"leaf"), L"v", 1));
  EXPECT_TRUE(regEnumSubkeys(HKCU, sub(L"leaf")).empty());
  EXPECT_FALSE(regFirstSubkey(HKCU, sub(L"leaf")).has_value());
}

TEST_F(RegistryContract, RawValuesKeepTheirTypeAndEveryByte) {
  struct Case {
    const wchar_t* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  const std::vector<Case> cases = {
      {L"binary16", kRegBinary, {0x00, 0x02, 0x02, 0x00, 0x00, 0x02, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}},
      {L"binary-empty", kRegBinary, {}},
      {L"binary-odd", kRegBinary, {0xFF, 0x00, 0x7F}},
      {L"qword", kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}},
      // No REG_SZ without a terminator here: Wine stores one that the caller did not write.
  };
  for (const Case& c : cases) ASSERT_TRUE(regWriteRaw(HKCU, sub(L"new\\path"), c.name, c.type, c.data)) << c.name;
  for (const Case& c : cases) {
    const auto raw = regReadRaw(HKCU, sub(L"new\\path"), c.name);
    ASSERT_TRUE(raw.has_value()) << c.name;
    EXPECT_EQ(raw->type, c.type) << c.name;
    EXPECT_EQ(raw->data, c.data) << c.name;
  }
  // A REG_BINARY of four bytes is still not a DWORD.
  EXPECT_FALSE(regReadDword(HKCU, sub(L"new\\path"), L"binary-odd").has_value());
  EXPECT_FALSE(regReadRaw(HKCU, sub(L"new\\path"), L"never-written").has_value());
  EXPECT_FALSE(regReadRaw(HKCU, sub(L"missing"), L"binary16").has_value());
}

TEST_F(RegistryContract, RawAndTypedAccessAgree) {
  ASSERT_TRUE(regWriteDword(HKCU, key, L"dword", 0x11223344u));
  EXPECT_EQ(regReadRaw(HKCU, key, L"dword"), (RegRawValue{kRegDword, {0x44, 0x33, 0x22, 0x11}}));
  ASSERT_TRUE(regWriteString(HKCU, key, L"text", L"hi"));
  EXPECT_EQ(regReadRaw(HKCU, key, L"text"), (RegRawValue{kRegSz, utf16("hi") + kNul}));

  ASSERT_TRUE(regWriteRaw(HKCU, key, L"as-dword", kRegTypeDword, {7, 0, 0, 0}));
  EXPECT_EQ(regReadDword(HKCU, key, L"as-dword"), 7u);
  // Replacing a value with another type leaves only the new one.
  ASSERT_TRUE(regWriteRaw(HKCU, key, L"dword", kRegTypeBinary, {1, 2}));
  EXPECT_FALSE(regReadDword(HKCU, key, L"dword").has_value());
  EXPECT_EQ(regReadRaw(HKCU, key, L"dword"), (RegRawValue{kRegBinary, {1, 2}}));
  ASSERT_TRUE(regDeleteValue(HKCU, key, L"dword"));
  EXPECT_FALSE(regReadRaw(HKCU, key, L"dword").has_value());
}

TEST(RegistryRootNames, AreTheRegExeAbbreviations) {
  EXPECT_STREQ(regRootShortName(RegRoot::LocalMachine), L"HKLM");
  EXPECT_STREQ(regRootShortName(RegRoot::CurrentUser), L"HKCU");
  EXPECT_STREQ(regRootShortName(RegRoot::ClassesRoot), L"HKCR");
  EXPECT_STREQ(regRootShortName(RegRoot::Users), L"HKU");
}

}  // namespace
}  // namespace vx
