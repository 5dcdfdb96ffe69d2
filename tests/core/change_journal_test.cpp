// The change journal's lines: what a stored line holds and gives back exactly (raw registry bytes
// that are not valid UTF-16 included), which damaged lines the reader skips, a randomized pass of
// torn and garbled journals, and trimming to the newest runs.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/text.h"
#include "core/change_journal.h"
#include "core/change_values.h"

namespace vx {
namespace {

JournalValue registryValue(std::wstring name, std::optional<RegValueImage> before, std::optional<RegValueImage> after) {
  JournalValue value;
  value.kind = ChangeKind::RegistryValue;
  value.root = RegRoot::LocalMachine;
  value.key = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";
  value.valueName = std::move(name);
  value.before = std::move(before);
  value.after = std::move(after);
  return value;
}

JournalLine sampleLine(std::int64_t run, std::wstring id, std::size_t padding = 0) {
  JournalLine line;
  line.time = L"2026-12-11 17:30:05";
  line.run = run;
  line.label = L"profile_Максимум";
  line.id = std::move(id);
  line.values.push_back(registryValue(L"TdrDelay" + std::wstring(padding, L'x'), RegValueImage::dword(7), RegValueImage::dword(60)));
  return line;
}

TEST(ChangeJournalLines, EveryKindOfValueComesBackExactlyFromItsStoredLine) {
  // A REG_SZ whose data is a lone high surrogate and an odd trailing byte: not valid UTF-16, so
  // only the raw bytes can bring it back.
  const RegValueImage broken = RegValueImage::raw(kRegTypeSz, {0x00, 0xD8, 0x41, 0x00, 0x00});
  JournalLine line = sampleLine(3, L"pro.gpu_tdr");
  line.action = JournalAction::Restore;
  line.result = JournalResult::Partial;
  line.values.push_back(registryValue(L"Broken", broken, RegValueImage::absent()));
  line.values.push_back(registryValue(L"", RegValueImage::raw(kRegTypeMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}), std::nullopt));
  JournalValue service;
  service.kind = ChangeKind::ServiceStart;
  service.key = L"SysMain";
  service.before = RegValueImage::dword(2);
  service.after = RegValueImage::dword(4);
  line.values.push_back(service);
  JournalValue file;
  file.kind = ChangeKind::File;
  file.key = L"C:\\Games\\cfg\\autoexec.cfg";
  line.values.push_back(file);

  const std::string text = journalLineText(line);
  ASSERT_EQ(text.back(), '\n');
  EXPECT_EQ(text.find('\n'), text.size() - 1);  // one line
  EXPECT_NE(text.find("\"hex\":\"00d8410000\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"text\":\"7\""), std::string::npos) << "a readable form beside the bytes";
  const auto back = parseJournalLine(std::string_view(text).substr(0, text.size() - 1));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, line);
}

TEST(ChangeJournalLines, DamagedLinesAreSkippedAndTheOthersKept) {
  const std::string good = journalLineText(sampleLine(1, L"a"));
  const std::string goodBody = good.substr(0, good.size() - 1);
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string line = goodBody;
    const auto at = line.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return line.replace(at, from.size(), to) + "\n";
  };
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::wstring> ids;  // parsed, in order
  };
  const Case cases[] = {
      {"whole", good, {L"a"}},
      {"crlf", goodBody + "\r\n", {L"a"}},
      {"last line torn, no feed", good + goodBody.substr(0, 40), {L"a"}},
      {"last line complete but no feed", goodBody, {}},
      {"not json", "hello\n" + good, {L"a"}},
      {"empty lines", "\n\n" + good + "\n", {L"a"}},
      {"json but not an object", "[1,2]\n" + good, {L"a"}},
      {"unknown action", replaced("\"apply\"", "\"undo\""), {}},
      {"unknown result", replaced("\"ok\"", "\"fine\""), {}},
      {"run zero", replaced("\"run\":1", "\"run\":0"), {}},
      {"run as text", replaced("\"run\":1", "\"run\":\"1\""), {}},
      {"odd hex", replaced("\"hex\":\"07000000\"", "\"hex\":\"0700000\""), {}},
      {"hex not hex", replaced("\"hex\":\"07000000\"", "\"hex\":\"zz000000\""), {}},
      {"type negative", replaced("\"type\":4", "\"type\":-4"), {}},
      {"unknown root", replaced("\"HKLM\"", "\"HKXX\""), {}},
      {"id missing", replaced("\"id\":\"a\",", ""), {}},
      {"values not a list", replaced("\"values\":[", "\"values\":{\"x\":[") , {}},
      {"torn line with the next glued to it", goodBody.substr(0, 70) + journalLineText(sampleLine(2, L"b")), {L"b"}},
  };
  for (const Case& c : cases) {
    std::vector<std::wstring> ids;
    for (const auto& line : parseJournal(c.bytes)) ids.push_back(line.id);
    EXPECT_EQ(ids, c.ids) << c.name;
  }
}

// Journals torn, cut and garbled at random: the reader never fails, every line left untouched is
// read back equal and in order, and nothing is read that was not written whole.
TEST(ChangeJournalLines, RandomlyDamagedJournalsKeepEveryUntouchedLine) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 300; ++round) {
    const int count = 1 + static_cast<int>(random() % 12);
    std::vector<JournalLine> written;
    std::vector<bool> untouched;
    std::string bytes;
    for (int i = 0; i < count; ++i) {
      JournalLine line = sampleLine(1 + i / 3, L"t" + std::to_wstring(i), random() % 5);
      std::string text = journalLineText(line);
      bool intact = true;
      switch (random() % 6) {
        case 0:  // torn: the writer died part-way, so there is no feed
          text.resize(random() % (text.size() - 1));
          intact = false;
          break;
        case 1: {  // one byte garbled
          text[random() % (text.size() - 1)] = static_cast<char>(random() % 256);
          intact = false;
          break;
        }
        case 2:  // garbage inserted in the middle
          text.insert(random() % text.size(), std::string(1 + random() % 8, static_cast<char>(random() % 256)));
          intact = false;
          break;
        default:
          break;
      }
      // A garbled byte may be a feed and end the line early, so a damaged line also spoils nothing
      // but itself; a torn one glues the next line to it, which the reader must still find.
      written.push_back(std::move(line));
      untouched.push_back(intact);
      bytes += text;
    }
    const auto read = parseJournal(bytes);
    EXPECT_LE(read.size(), written.size()) << "round " << round;
    std::size_t at = 0;
    for (int i = 0; i < count; ++i) {
      if (!untouched[i]) continue;
      while (at < read.size() && read[at] != written[i]) ++at;
      EXPECT_LT(at, read.size()) << "round " << round << ": line " << i << " lost";
      if (at < read.size()) ++at;
    }
  }
}

TEST(ChangeJournalLines, TrimmingDropsTheOldestRunsWholeAndKeepsTheNewest) {
  std::string bytes;
  for (int run = 1; run <= 6; ++run)
    for (int i = 0; i < run; ++i) bytes += journalLineText(sampleLine(run, L"r" + std::to_wstring(run), 40));
  const std::size_t oneLine = journalLineText(sampleLine(6, L"r6", 40)).size();
  const std::string trimmed = trimmedJournal("garbage\n" + bytes, 12 * oneLine);
  EXPECT_LE(trimmed.size(), 12 * oneLine);
  std::vector<std::int64_t> runs;
  for (const auto& view : journalRuns(parseJournal(trimmed))) {
    runs.push_back(view.run);
    EXPECT_EQ(view.lines.size(), static_cast<std::size_t>(view.run)) << "run " << view.run << " cut in half";
  }
  EXPECT_EQ(runs, (std::vector<std::int64_t>{6, 5}));
  // The newest run stays even when it alone is larger than the limit.
  EXPECT_EQ(journalRuns(parseJournal(trimmedJournal(bytes, oneLine))).front().lines.size(), 6u);
}

TEST(ChangeJournalLines, RunsComeNewestFirstAndTheLastSuccessfulApplyIsFound) {
  std::vector<JournalLine> lines{sampleLine(1, L"a"), sampleLine(2, L"a"), sampleLine(2, L"b"), sampleLine(3, L"a")};
  lines[3].result = JournalResult::Failed;
  const auto runs = journalRuns(lines);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].run, 3);
  EXPECT_EQ(runs[1].lines.size(), 2u);
  const auto last = lastSuccessfulApply(lines, L"a");
  ASSERT_TRUE(last);
  EXPECT_EQ(last->run, 2);
  EXPECT_FALSE(lastSuccessfulApply(lines, L"c"));
}

}  // namespace
}  // namespace vx
