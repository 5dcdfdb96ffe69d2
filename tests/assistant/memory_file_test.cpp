// memory.json: the writer's exact bytes, the tolerant reader's edge cases, load(save(x)) == x over
// generated stores with Cyrillic keys, and a reader fed thousands of mutated files (run under
// ASan/UBSan in the sanitizer build) that must stay within its format.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "assistant/memory_file.h"
#include "base/text.h"

namespace vx {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

AssistantMemory parsed(std::string_view bytes) {
  AssistantMemory memory;
  parseMemory(bytes, memory);
  return memory;
}

TEST(MemoryFormat, KnownStoreIsWrittenByteForByte) {
  AssistantMemory memory;
  memory.userMessagesTotal = 42;
  memory.topicScore = {{L"network", 3}, {L"games", 12}, {L"Ёж", 1}};
  memory.appliedStats = {{L"perf.hags", {2, 1}}, {L"net.vip.disable_eee", {0, 0}}};
  memory.history.push_back({true, L"not saved", {}, 1});
  memory.lastTopic = L"network";
  const std::string expected =
      "{\r\n"
      "  \"userMessagesTotal\": 42,\r\n"
      "  \"topicScore\": {\r\n"
      "    \"games\": 12,\r\n"
      "    \"network\": 3,\r\n"
      "    \"\xD0\x81\xD0\xB6\": 1\r\n"  // "Ёж" in UTF-8, sorted after Latin by code unit
      "  },\r\n"
      "  \"topicHelpfulness\": {\r\n"
      "\r\n"
      "  },\r\n"
      "  \"appliedStats\": {\r\n"
      "    \"net.vip.disable_eee\": \"0/0\",\r\n"
      "    \"perf.hags\": \"2/1\"\r\n"
      "  }\r\n"
      "}\r\n";
  EXPECT_EQ(formatMemory(memory), expected);
}

TEST(MemoryFormat, EmptyStoreWritesThreeEmptySections) {
  EXPECT_EQ(formatMemory(AssistantMemory{}),
            "{\r\n  \"userMessagesTotal\": 0,\r\n"
            "  \"topicScore\": {\r\n\r\n  },\r\n"
            "  \"topicHelpfulness\": {\r\n\r\n  },\r\n"
            "  \"appliedStats\": {\r\n\r\n  }\r\n}\r\n");
}

TEST(MemoryReader, TakesWhatItRecognisesAndSkipsTheRest) {
  struct Case {
    const char* what;
    std::string file;
    std::int32_t total;
    std::map<std::wstring, std::int32_t> scores;
    std::map<std::wstring, TweakStats> stats;
  };
  const std::string score = "\"topicScore\": {\n";
  const std::string stats = "\"appliedStats\": {\n";
  const Case cases[] = {
      {"a total", "  \"userMessagesTotal\": 41,\r\n", 41, {}, {}},
      {"a total without a colon", "\"userMessagesTotal\" 41\n", 0, {}, {}},
      {"a total that is no number", "\"userMessagesTotal\": many\n", 0, {}, {}},
      {"negative and signed numbers", "\"userMessagesTotal\": -7\n" + score + "\"a\": +5\n", -7, {{L"a", 5}}, {}},
      {"numbers past 32 bits are clamped",
       "\"userMessagesTotal\": 99999999999999999999\n" + score + "\"a\": -2147483649\n\"b\": 2147483647\n", kMax,
       {{L"a", kMin}, {L"b", kMax}}, {}},
      {"a score line without a colon", score + "\"games\" 5\n\"net\": 2\n", 0, {{L"net", 2}}, {}},
      {"a key cut at a quotation mark", score + "    \"we\"ird\": 3\n", 0, {{L"we", 3}}, {}},
      {"a key with no colon behind it", score + "\"we\" 3\n", 0, {}, {}},
      {"a line with one quotation mark", score + "\"games: 4\n", 0, {}, {}},
      {"a value that is no number reads 0", score + "\"games\": lots\n", 0, {{L"games", 0}}, {}},
      {"lines before any section", "\"games\": 4\n", 0, {}, {}},
      {"a later line replaces an earlier one", score + "\"a\": 1\n\"a\": 2\n", 0, {{L"a", 2}}, {}},
      {"single-number stats", stats + "\"perf.hags\": \"4\"\n", 0, {}, {{L"perf.hags", {4, 0}}}},
      {"stats with both numbers", stats + "\"x\": \"-3/7\",\n", 0, {}, {{L"x", {-3, 7}}}},
      {"stats without the quotation mark", stats + "\"x\": 3/7\n", 0, {}, {}},
      {"stats without numbers", stats + "\"x\": \"/7\"\n", 0, {}, {}},
      {"stats past 32 bits", stats + "\"x\": \"5000000000/-5000000000\"\n", 0, {}, {{L"x", {kMax, kMin}}}},
      {"Cyrillic key", score + "    \"\xD0\xB8\xD0\xB3\xD1\x80\xD1\x8B\": 7\r\n", 0, {{L"игры", 7}}, {}},
      {"invalid UTF-8 in a key", score + "\"a\xFF\": 1\n", 0, {{L"a\xFFFD", 1}}, {}},
      {"NUL bytes", score + std::string("\"a\0b\": 1\n\0\0\n", 12), 0, {{std::wstring(L"a\0b", 3), 1}}, {}},
      {"no line end at the end", score + "\"last\": 9", 0, {{L"last", 9}}, {}},
      {"sections switch on their marker", score + "\"a\": 1\n" + stats + "\"a\": \"2/0\"\n", 0, {{L"a", 1}},
       {{L"a", {2, 0}}}},
      {"an empty file", "", 0, {}, {}},
  };
  for (const Case& c : cases) {
    const AssistantMemory memory = parsed(c.file);
    EXPECT_EQ(memory.userMessagesTotal, c.total) << c.what;
    EXPECT_EQ(memory.topicScore, c.scores) << c.what;
    EXPECT_EQ(memory.appliedStats, c.stats) << c.what;
  }
}

TEST(MemoryReader, HelpfulnessIsKeptAsLoadedAndLoadingAdds) {
  AssistantMemory memory;
  memory.topicScore[L"old"] = 1;
  parseMemory("\"topicHelpfulness\": {\n\"games\": -2\n}\n\"topicScore\": {\n\"new\": 3\n", memory);
  EXPECT_EQ(memory.topicHelpfulness, (std::map<std::wstring, std::int32_t>{{L"games", -2}}));
  EXPECT_EQ(memory.topicScore, (std::map<std::wstring, std::int32_t>{{L"new", 3}, {L"old", 1}}));
  EXPECT_EQ(formatMemory(parsed(formatMemory(memory))), formatMemory(memory));
}

// A store with random counts (extremes included) and keys of Latin, Cyrillic and other letters.
AssistantMemory randomStore(std::mt19937& random) {
  const std::wstring alphabet = L"abcxyz._-0123456789 АБВЁЖЯабвёжя€\U0001F600";
  const auto key = [&] {
    std::wstring k;
    for (std::size_t n = random() % 12; n > 0; --n) k += alphabet[random() % alphabet.size()];
    return k;
  };
  const auto number = [&]() -> std::int32_t {
    switch (random() % 4) {
      case 0: return kMax;
      case 1: return kMin;
      default: return static_cast<std::int32_t>(random());
    }
  };
  AssistantMemory memory;
  memory.userMessagesTotal = number();
  for (std::size_t n = random() % 6; n > 0; --n) memory.topicScore[key()] = number();
  for (std::size_t n = random() % 4; n > 0; --n) memory.topicHelpfulness[key()] = number();
  for (std::size_t n = random() % 8; n > 0; --n) memory.appliedStats[key()] = {number(), number()};
  return memory;
}

TEST(MemoryFormat, ReadingWhatWasWrittenGivesTheSameStore) {
  std::mt19937 random(2024);
  for (int i = 0; i < 500; ++i) {
    const AssistantMemory store = randomStore(random);
    const AssistantMemory back = parsed(formatMemory(store));
    ASSERT_TRUE(back.samePersistedState(store)) << formatMemory(store);
  }
}

// A key the reader would take for a section marker cannot survive a round trip; mutated files may
// produce one.
bool hasMarkerKey(const AssistantMemory& m) {
  const auto marked = [](const std::wstring& key) {
    for (const wchar_t* marker : {L"topicScore", L"topicHelpfulness", L"appliedStats", L"userMessagesTotal"})
      if (key.find(marker) != std::wstring::npos) return true;
    return false;
  };
  for (const auto& [k, v] : m.topicScore) if (marked(k)) return true;
  for (const auto& [k, v] : m.topicHelpfulness) if (marked(k)) return true;
  for (const auto& [k, v] : m.appliedStats) if (marked(k)) return true;
  return false;
}

TEST(MemoryReader, MutatedFilesAreReadSafelyAndStably) {
  std::mt19937 random(77);
  const std::string pieces[] = {"\"", ":", "/", "\n", "\r\n", "{", "}", ",", " ", "\0", "\xFF", "\xD0", "-",
                                "99999999999", "\"topicScore\"", "\"appliedStats\"", "\"userMessagesTotal\"", "\"%d\""};
  int readable = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string file = formatMemory(randomStore(random));
    for (std::size_t edits = 1 + random() % 8; edits > 0; --edits) {
      const std::size_t at = file.empty() ? 0 : random() % (file.size() + 1);
      switch (random() % 4) {
        case 0: file.insert(at, pieces[random() % std::size(pieces)]); break;
        case 1: if (at < file.size()) file.erase(at, 1 + random() % 6); break;
        case 2: if (at < file.size()) file[at] = static_cast<char>(random()); break;
        default: file.resize(at); break;  // cut short, often mid-line
      }
    }
    const AssistantMemory memory = parsed(file);
    if (hasMarkerKey(memory)) continue;
    ++readable;
    // Whatever was read is written and read back to the same store.
    ASSERT_TRUE(parsed(formatMemory(memory)).samePersistedState(memory)) << testing::PrintToString(file);
  }
  EXPECT_GT(readable, 2500);
}

}  // namespace
}  // namespace vx
