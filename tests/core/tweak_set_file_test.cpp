// The kept tweak set file: the exact text an export writes, the applied set in catalogue order,
// which files are refused (and why), and randomized broken files that must never crash the reader.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/tweak_set_file.h"
#include "platform/files.h"
#include "platform/sim/machine.h"
#include "support/fake_tweak.h"

namespace vx {
namespace {

using test::makeFake;

const std::string kValidSet =
    "{\n  \"format\": \"vantorix-tweaks\",\n  \"version\": 1,\n  \"created\": \"2026-03-10T14:05:09\",\n"
    "  \"windowsBuild\": 22631,\n  \"tweaks\": [\n    \"perf.hags\",\n    \"game.mit.cs2.exe\"\n  ]\n}\n";

TEST(TweakSetFile, ExportWritesTheAppliedTweaksInCatalogueOrder) {
  sim::machine().reset();
  sim::machine().setLocalTime(CalendarTime{2026, 3, 10, 14, 5, 9, 0});
  auto a = makeFake(L"perf.hags"), b = makeFake(L"net.off"), c = makeFake(L"game.mit.cs2.exe");
  a->state = TweakState::Applied;
  b->state = TweakState::Undetermined;
  c->state = TweakState::Applied;
  const std::vector<std::wstring> ids = appliedTweakIds({c, b, a});
  EXPECT_EQ(ids, (std::vector<std::wstring>{L"game.mit.cs2.exe", L"perf.hags"}));

  const std::wstring path = L"C:\\set.json";
  ASSERT_TRUE(writeTweakSet(path, appliedTweakIds({a, b, c})));
  const auto written = readFileBytes(path);
  ASSERT_TRUE(written);
  const std::string build = std::to_string(getWindowsVersion().build);
  std::string expected = kValidSet;
  expected.replace(expected.find("22631"), 5, build);
  EXPECT_EQ(*written, expected);
  EXPECT_EQ(parseTweakSet(*written).ids, (std::vector<std::wstring>{L"perf.hags", L"game.mit.cs2.exe"}));
}

TEST(TweakSetFile, RefusesWhatIsNotASetOfThisVersion) {
  struct Case {
    const char* text;
    TweakSetError error;
  };
  const Case cases[] = {
      {"", TweakSetError::NotJson},
      {"{\"format\": \"vantorix-tweaks\", \"version\": 1, \"tweaks\": [\"a\"]", TweakSetError::NotJson},
      {"format=vantorix-tweaks", TweakSetError::NotJson},
      {"[\"perf.hags\"]", TweakSetError::WrongFormat},
      {"{\"version\": 1, \"tweaks\": [\"a\"]}", TweakSetError::WrongFormat},
      {"{\"format\": \"other\", \"version\": 1, \"tweaks\": [\"a\"]}", TweakSetError::WrongFormat},
      {"{\"format\": \"vantorix-tweaks\", \"version\": 2, \"tweaks\": [\"a\"]}", TweakSetError::WrongFormat},
      {"{\"format\": \"vantorix-tweaks\", \"version\": \"1\", \"tweaks\": [\"a\"]}", TweakSetError::WrongFormat},
      {"{\"format\": \"vantorix-tweaks\", \"version\": 1, \"tweaks\": \"a\"}", TweakSetError::WrongFormat},
      {"{\"format\": \"vantorix-tweaks\", \"version\": 1, \"tweaks\": [\"a\", 7]}", TweakSetError::WrongFormat},
      {"{\"format\": \"vantorix-tweaks\", \"version\": 1}", TweakSetError::WrongFormat},
      // A byte-order mark, as PowerShell's Out-File writes it, is fine.
      {"\xEF\xBB\xBF{\"format\": \"vantorix-tweaks\", \"version\": 1, \"tweaks\": [\"a\"]}", TweakSetError::None},
      {"{\"format\": \"vantorix-tweaks\", \"version\": 1, \"tweaks\": []}", TweakSetError::None},
  };
  for (const Case& c : cases) EXPECT_EQ(parseTweakSet(c.text).error, c.error) << c.text;
}

TEST(TweakSetFile, AFileOverOneMebibyteIsNotRead) {
  sim::machine().reset();
  std::string big = kValidSet;
  big.insert(big.size() - 2, std::string(2u << 20, ' '));  // still valid JSON, but 2 MiB
  ASSERT_TRUE(writeFileBytes(L"C:\\set.json", big));
  EXPECT_EQ(readTweakSet(L"C:\\set.json").error, TweakSetError::TooLarge);
  EXPECT_EQ(readTweakSet(L"C:\\missing.json").error, TweakSetError::Unreadable);
  ASSERT_TRUE(writeFileBytes(L"C:\\set.json", kValidSet));
  EXPECT_EQ(readTweakSet(L"C:\\set.json").error, TweakSetError::None);
}

// Cut, flipped, inserted and random bytes, invalid UTF-8 and deep nesting: the reader answers with
// an error or a list, never crashes (run under the address sanitizer as well).
TEST(TweakSetFile, RandomlyBrokenFilesNeverCrashTheReader) {
  std::mt19937 random(20261211);
  const std::string pieces[] = {"{", "}", "[", "]", "\"", ",", ":", "\\u", "\\ud800", "\xC3", "\xFF", "1e99999",
                                "-", "null", "\"tweaks\"", "\"format\"", "\"vantorix-tweaks\"", std::string(1, '\0'), " "};
  int parsed = 0;
  for (int round = 0; round < 4000; ++round) {
    std::string text = kValidSet;
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits && !text.empty(); ++e) {
      const std::size_t at = random() % text.size();
      switch (random() % 4) {
        case 0: text.resize(at); break;
        case 1: text[at] = static_cast<char>(random() % 256); break;
        case 2: text.insert(at, pieces[random() % std::size(pieces)]); break;
        default: text.erase(at, 1 + random() % 8); break;
      }
    }
    const TweakSetRead read = parseTweakSet(text);
    if (read.error == TweakSetError::None) ++parsed;
  }
  std::string noise(4096, '\0');
  for (int round = 0; round < 200; ++round) {
    for (char& c : noise) c = static_cast<char>(random() % 256);
    EXPECT_NE(parseTweakSet(noise).error, TweakSetError::None);
  }
  EXPECT_NE(parseTweakSet(std::string(100000, '[')).error, TweakSetError::None);
  EXPECT_GT(parsed, 0);  // some edits keep a valid set: the fuzzing reached the checks after parsing
}

}  // namespace
}  // namespace vx
