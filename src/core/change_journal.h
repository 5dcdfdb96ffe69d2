// The change journal journal.jsonl in the program folder: one JSON object per line, one line per
// tweak step (apply, revert, restore) with the values just before and just after it. Lines are
// grouped into runs, one per user action, numbered upwards. Written by JournalRun (journal_run.h);
// read by vxctl history / restore / drift, the window's journal page and the drift line.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/read_limits.h"
#include "core/tweak_change.h"

namespace vx {

enum class JournalAction : int { Apply = 0, Revert = 1, Restore = 2 };
// "apply", "revert", "restore" as the lines store them.
const char* journalActionName(JournalAction action);

// Ok: the step did all it had to; Failed: apply / revert returned false, or a restore write failed;
// Skipped: a restore left every value alone (changed since, or nothing it can restore);
// Partial: a restore wrote some values and skipped or failed others.
enum class JournalResult : int { Ok = 0, Failed = 1, Skipped = 2, Partial = 3 };
const char* journalResultName(JournalResult result);

// One described value around a step. before / after: nothing when the change has no value that
// can be read back (files, commands, boot values) or it could not be read.
struct JournalValue {
  ChangeKind kind = ChangeKind::RegistryValue;
  RegRoot root = RegRoot::LocalMachine;
  std::wstring key;
  std::wstring valueName;
  std::optional<RegValueImage> before;
  std::optional<RegValueImage> after;
  bool operator==(const JournalValue&) const = default;
};

// The TweakChange that reads and writes this value (kind, root, key, valueName).
TweakChange journalValueChange(const JournalValue& value);

struct JournalLine {
  std::wstring time;  // local time of the step, "2026-12-11 17:30:05"
  std::int64_t run = 0;
  std::wstring label;  // the run's label, on each of its lines
  std::wstring id;     // the tweak's id
  JournalAction action = JournalAction::Apply;
  JournalResult result = JournalResult::Ok;
  std::vector<JournalValue> values;
  bool operator==(const JournalLine&) const = default;
};

// The line as stored: one JSON object and a line feed. Registry data is kept as its type and the
// hex of its raw bytes, with a readable form beside it that is never read back:
// {"time":"...","run":3,"label":"profile_Максимум","id":"pro.gpu_tdr","action":"apply","result":"ok",
//  "values":[{"kind":"registry","root":"HKLM","key":"SYSTEM\\...","name":"TdrDelay",
//             "before":{"type":4,"hex":"07000000","text":"7"},"after":{...}}]}
// An absent value is {"present":false}; a value not read back has no "before" / "after".
std::string journalLineText(const JournalLine& line);

// One stored line back; nothing for a torn, unparsable or incomplete line.
std::optional<JournalLine> parseJournalLine(std::string_view text);

// Every line of the file's bytes in file order (oldest first); torn and unparsable lines are skipped.
std::vector<JournalLine> parseJournal(std::string_view bytes);

// The journal keeps its newest kJournalFileLimit bytes (read_limits.h): once a line takes it past
// that, the oldest runs are dropped whole until it holds at most kJournalTrimTarget, so a trim
// (a read and a rewrite of the file) comes once per quarter MiB of lines, not with every line.
// A line longer than kJournalLineLimit is never written.
inline constexpr std::size_t kJournalLineLimit = 256u << 10;
inline constexpr std::uint64_t kJournalTrimTarget = kJournalFileLimit - (256u << 10);

// The bytes with the oldest runs dropped whole until the rest fits `limit`; unparsable lines are
// dropped as well. The newest run stays even when it alone is larger.
std::string trimmedJournal(std::string_view bytes, std::uint64_t limit);

// programFolder() + "\journal.jsonl"; nothing when the folder cannot be made private.
std::optional<std::wstring> journalFilePath();

// The journal's lines, oldest first; empty when it is missing, unreadable or larger than
// kJournalFileLimit + kJournalLineLimit.
std::vector<JournalLine> readJournal();
std::vector<JournalLine> readJournalFile(const std::wstring& path);

// The lines of one run, in file order.
struct JournalRunView {
  std::int64_t run = 0;
  std::wstring label;
  std::wstring time;  // of its first line
  std::vector<JournalLine> lines;
};

// The runs, newest (highest number) first.
std::vector<JournalRunView> journalRuns(const std::vector<JournalLine>& lines);

// The newest line of the tweak with a successful "apply"; nothing when there is none.
std::optional<JournalLine> lastSuccessfulApply(const std::vector<JournalLine>& lines, const std::wstring& id);

}  // namespace vx
