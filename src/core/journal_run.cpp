#include "core/journal_run.h"

#include <algorithm>
#include <cstdio>

#include "core/change_guard.h"
#include "core/change_values.h"
#include "core/read_limits.h"
#include "platform/files.h"
#include "platform/system.h"

namespace vx {

namespace {

thread_local JournalRun* openRun = nullptr;

std::wstring timeText(const CalendarTime& t) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", unsigned(t.year), unsigned(t.month), unsigned(t.day),
                unsigned(t.hour), unsigned(t.minute), unsigned(t.second));
  return text;
}

// The highest run number in the journal. Read from each line's opening ({"time":"...","run":N)
// without parsing the whole line: this runs at the start of every user action, and a full parse
// of a journal near its limit takes far longer than the action. A damaged line read this way can
// only make the number higher, never reuse one.
std::int64_t highestRun(const std::wstring& path) {
  const BoundedRead read = readFileBounded(path, kJournalFileLimit + kJournalLineLimit);
  if (read.status != ReadStatus::Ok) return 0;
  constexpr std::string_view kRunKey = "\"run\":";
  constexpr std::size_t kOpeningBytes = 64;  // "time" and its value come first
  std::int64_t highest = 0;
  const std::string_view bytes = read.bytes;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view opening = bytes.substr(start, std::min(end - start, kOpeningBytes));
    const std::size_t key = opening.find(kRunKey);
    if (key != std::string_view::npos) {
      std::int64_t run = 0;
      for (std::size_t i = key + kRunKey.size(); i < opening.size() && opening[i] >= '0' && opening[i] <= '9'; ++i)
        run = std::min<std::int64_t>(run * 10 + (opening[i] - '0'), std::int64_t{1} << 53);
      highest = std::max(highest, run);
    }
    start = end + 1;
  }
  return highest;
}

// Back under the limit with the oldest runs dropped whole, down to kJournalTrimTarget so that the
// next trims are far apart. A file too large to read was not written like this by Vantorix; it is
// replaced by the newest line alone.
void trimJournal(const std::wstring& path, const std::string& newestLine) {
  if (fileStatus(path).size <= kJournalFileLimit) return;
  const BoundedRead read = readFileBounded(path, kJournalFileLimit + kJournalLineLimit);
  if (read.status == ReadStatus::Ok)
    writeFileAtomic(path, trimmedJournal(read.bytes, kJournalTrimTarget));
  else if (read.status == ReadStatus::TooLarge)
    writeFileAtomic(path, newestLine);
}

}  // namespace

JournalRun::JournalRun(std::wstring label) : label_(std::move(label)) {
  if (openRun != nullptr)
    outer_ = openRun;
  else
    openRun = this;
}

JournalRun::~JournalRun() {
  if (openRun == this) openRun = nullptr;
}

JournalRun* JournalRun::current() { return openRun; }

const std::wstring& JournalRun::label() const { return outer_ != nullptr ? outer_->label() : label_; }

std::int64_t JournalRun::number() const { return outer_ != nullptr ? outer_->number() : number_; }

bool JournalRun::append(const std::wstring& id, JournalAction action, JournalResult result,
                        std::vector<JournalValue> values) {
  if (outer_ != nullptr) return outer_->append(id, action, result, std::move(values));
  const ChangeGuard guard(kChangeLockWaitMs);  // at once when this thread already holds it
  if (!guard.held()) return false;
  const auto path = journalFilePath();
  if (!path) return false;
  if (number_ == 0) number_ = highestRun(*path) + 1;
  JournalLine line;
  line.time = timeText(localTime());
  line.run = number_;
  line.label = label_;
  line.id = id;
  line.action = action;
  line.result = result;
  line.values = std::move(values);
  std::string text = journalLineText(line);
  if (text.size() > kJournalLineLimit) {
    // A step with more values than a line may hold keeps its place in the history without them.
    line.values.clear();
    text = journalLineText(line);
  }
  if (!appendFileBytes(*path, text)) return false;
  trimJournal(*path, text);
  return true;
}

std::vector<JournalValue> readValuesBefore(const TweakChanges& changes) {
  std::vector<JournalValue> values;
  values.reserve(changes.size());
  for (const auto& change : changes) {
    JournalValue value;
    value.kind = change.kind;
    value.root = change.root;
    value.key = change.key;
    value.valueName = change.valueName;
    if (changeHasValue(change)) value.before = readChangeValue(change);
    values.push_back(std::move(value));
  }
  return values;
}

void readValuesAfter(std::vector<JournalValue>& values) {
  for (auto& value : values) {
    const TweakChange change = journalValueChange(value);
    if (changeHasValue(change)) value.after = readChangeValue(change);
  }
}

JournalStep::JournalStep(Tweak& tweak, JournalAction action) : tweak_(tweak), action_(action) {
  try {
    changes_ = tweak.changes();
  } catch (...) {
    changes_.clear();
  }
  values_ = readValuesBefore(changes_);
}

void JournalStep::finish(bool succeeded) {
  readValuesAfter(values_);
  const JournalResult result = succeeded ? JournalResult::Ok : JournalResult::Failed;
  if (JournalRun* run = JournalRun::current()) {
    run->append(tweak_.id, action_, result, std::move(values_));
    return;
  }
  JournalRun own(std::wstring(action_ == JournalAction::Revert ? L"revert_" : L"apply_") + tweak_.id);
  own.append(tweak_.id, action_, result, std::move(values_));
}

}  // namespace vx
