#include "core/change_journal.h"

#include <algorithm>
#include <map>

#include <nlohmann/json.hpp>

#include "base/text.h"
#include "core/change_values.h"
#include "core/program_folder.h"
#include "core/read_limits.h"
#include "platform/files.h"

namespace vx {

namespace {

using Json = nlohmann::ordered_json;

struct Named {
  int value;
  const char* name;
};

// The words the lines store, as tables.
constexpr Named kActionNames[] = {{0, "apply"}, {1, "revert"}, {2, "restore"}};
constexpr Named kResultNames[] = {{0, "ok"}, {1, "failed"}, {2, "skipped"}, {3, "partial"}};
constexpr Named kKindNames[] = {{0, "registry"}, {1, "service"}, {2, "power"}, {3, "boot"}, {4, "file"}, {5, "command"}};
constexpr Named kRootNames[] = {{static_cast<int>(RegRoot::LocalMachine), "HKLM"},
                                {static_cast<int>(RegRoot::CurrentUser), "HKCU"},
                                {static_cast<int>(RegRoot::ClassesRoot), "HKCR"},
                                {static_cast<int>(RegRoot::Users), "HKU"}};

template <std::size_t N>
const char* nameOf(const Named (&table)[N], int value) {
  for (const auto& entry : table)
    if (entry.value == value) return entry.name;
  return "";
}

template <std::size_t N>
std::optional<int> valueOf(const Named (&table)[N], const std::string& name) {
  for (const auto& entry : table)
    if (name == entry.name) return entry.value;
  return std::nullopt;
}

std::string utf8(const std::wstring& text) { return toUtf8(text); }

Json imageJson(const RegValueImage& image) {
  if (!image.present) return Json{{"present", false}};
  return Json{{"type", image.type}, {"hex", hexOfBytes(image.data)}, {"text", utf8(readableValue(image))}};
}

std::optional<RegValueImage> imageOf(const Json& json) {
  if (!json.is_object()) return std::nullopt;
  const auto present = json.find("present");
  if (present != json.end()) {
    if (!present->is_boolean() || present->get<bool>()) return std::nullopt;
    return RegValueImage::absent();
  }
  const auto type = json.find("type");
  const auto hex = json.find("hex");
  if (type == json.end() || !type->is_number_unsigned() || hex == json.end() || !hex->is_string()) return std::nullopt;
  const std::uint64_t typeValue = type->get<std::uint64_t>();
  if (typeValue > 0xFFFFFFFFu) return std::nullopt;
  auto bytes = bytesOfHex(hex->get<std::string>());
  if (!bytes) return std::nullopt;
  return RegValueImage::raw(static_cast<std::uint32_t>(typeValue), std::move(*bytes));
}

std::optional<std::string> stringField(const Json& json, const char* name) {
  const auto it = json.find(name);
  if (it == json.end() || !it->is_string()) return std::nullopt;
  return it->get<std::string>();
}

std::optional<JournalValue> valueOfJson(const Json& json) {
  if (!json.is_object()) return std::nullopt;
  const auto kind = stringField(json, "kind");
  const auto key = stringField(json, "key");
  const auto name = stringField(json, "name");
  if (!kind || !key || !name) return std::nullopt;
  const auto kindValue = valueOf(kKindNames, *kind);
  if (!kindValue) return std::nullopt;
  JournalValue value;
  value.kind = static_cast<ChangeKind>(*kindValue);
  if (value.kind == ChangeKind::RegistryValue) {
    const auto root = stringField(json, "root");
    const auto rootValue = root ? valueOf(kRootNames, *root) : std::nullopt;
    if (!rootValue) return std::nullopt;
    value.root = static_cast<RegRoot>(*rootValue);
  }
  value.key = fromUtf8(*key);
  value.valueName = fromUtf8(*name);
  for (auto [field, slot] : {std::pair{"before", &value.before}, std::pair{"after", &value.after}}) {
    const auto it = json.find(field);
    if (it == json.end()) continue;
    *slot = imageOf(*it);
    if (!*slot) return std::nullopt;  // a damaged value must never be restored from
  }
  return value;
}

// How every line the journal writes begins ("time" is its first key).
constexpr std::string_view kLineOpening = "{\"time\":";

std::string_view withoutCarriageReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Calls visit(text, parsed line) for every line of the bytes that parses, in file order.
template <typename Visit>
void forEachLine(std::string_view bytes, Visit&& visit) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const bool complete = end != std::string_view::npos;  // a last line without its feed is torn
    if (!complete) end = bytes.size();
    const std::string_view text = bytes.substr(start, end - start);
    if (complete && text.size() <= kJournalLineLimit) {
      std::string_view kept = withoutCarriageReturn(text);
      auto line = parseJournalLine(kept);
      // A writer that died in the middle of a line leaves it without its feed, and the next line
      // is appended right behind it: that next line still starts with its own opening.
      const std::size_t glued = line ? std::string_view::npos : kept.rfind(kLineOpening);
      if (!line && glued != std::string_view::npos && glued > 0) {
        kept = kept.substr(glued);
        line = parseJournalLine(kept);
      }
      if (line) visit(kept, std::move(*line));
    }
    start = end + 1;
  }
}

}  // namespace

const char* journalActionName(JournalAction action) { return nameOf(kActionNames, static_cast<int>(action)); }
const char* journalResultName(JournalResult result) { return nameOf(kResultNames, static_cast<int>(result)); }

TweakChange journalValueChange(const JournalValue& value) {
  TweakChange change;
  change.kind = value.kind;
  change.root = value.root;
  change.key = value.key;
  change.valueName = value.valueName;
  return change;
}

std::string journalLineText(const JournalLine& line) {
  Json values = Json::array();
  for (const auto& value : line.values) {
    Json entry{{"kind", nameOf(kKindNames, static_cast<int>(value.kind))}};
    if (value.kind == ChangeKind::RegistryValue) entry["root"] = nameOf(kRootNames, static_cast<int>(value.root));
    entry["key"] = utf8(value.key);
    entry["name"] = utf8(value.valueName);
    if (value.before) entry["before"] = imageJson(*value.before);
    if (value.after) entry["after"] = imageJson(*value.after);
    values.push_back(std::move(entry));
  }
  const Json json{{"time", utf8(line.time)},
                  {"run", line.run},
                  {"label", utf8(line.label)},
                  {"id", utf8(line.id)},
                  {"action", journalActionName(line.action)},
                  {"result", journalResultName(line.result)},
                  {"values", std::move(values)}};
  // Text that is not valid UTF-8 (a name with a lone surrogate) is replaced, never thrown on.
  return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<JournalLine> parseJournalLine(std::string_view text) {
  const Json json = Json::parse(text.begin(), text.end(), nullptr, false);
  if (json.is_discarded() || !json.is_object()) return std::nullopt;
  const auto time = stringField(json, "time");
  const auto label = stringField(json, "label");
  const auto id = stringField(json, "id");
  const auto action = stringField(json, "action");
  const auto result = stringField(json, "result");
  const auto run = json.find("run");
  const auto values = json.find("values");
  if (!time || !label || !id || !action || !result || run == json.end() || !run->is_number_integer() ||
      values == json.end() || !values->is_array())
    return std::nullopt;
  const auto actionValue = valueOf(kActionNames, *action);
  const auto resultValue = valueOf(kResultNames, *result);
  if (!actionValue || !resultValue || id->empty() || run->get<std::int64_t>() <= 0) return std::nullopt;
  JournalLine line;
  line.time = fromUtf8(*time);
  line.run = run->get<std::int64_t>();
  line.label = fromUtf8(*label);
  line.id = fromUtf8(*id);
  line.action = static_cast<JournalAction>(*actionValue);
  line.result = static_cast<JournalResult>(*resultValue);
  for (const auto& entry : *values) {
    auto value = valueOfJson(entry);
    if (!value) return std::nullopt;
    line.values.push_back(std::move(*value));
  }
  return line;
}

std::vector<JournalLine> parseJournal(std::string_view bytes) {
  std::vector<JournalLine> lines;
  forEachLine(bytes, [&](std::string_view, JournalLine line) { lines.push_back(std::move(line)); });
  return lines;
}

std::string trimmedJournal(std::string_view bytes, std::uint64_t limit) {
  struct Kept {
    std::string_view text;
    std::int64_t run;
  };
  std::vector<Kept> kept;
  std::map<std::int64_t, std::uint64_t> runBytes;  // by run number, oldest first
  forEachLine(bytes, [&](std::string_view text, const JournalLine& line) {
    kept.push_back({text, line.run});
    runBytes[line.run] += text.size() + 1;
  });
  std::uint64_t total = 0;
  for (const auto& [run, size] : runBytes) total += size;
  std::int64_t firstKept = runBytes.empty() ? 0 : runBytes.begin()->first;
  for (auto it = runBytes.begin(); total > limit && std::next(it) != runBytes.end(); ++it) {
    total -= it->second;
    firstKept = std::next(it)->first;
  }
  std::string out;
  out.reserve(static_cast<std::size_t>(total));
  for (const auto& line : kept) {
    if (line.run < firstKept) continue;
    out.append(line.text);
    out.push_back('\n');
  }
  return out;
}

std::optional<std::wstring> journalFilePath() {
  const auto folder = programFolder();
  if (!folder) return std::nullopt;
  return joinPath(*folder, kJournalFileName);
}

std::vector<JournalLine> readJournalFile(const std::wstring& path) {
  const BoundedRead read = readFileBounded(path, kJournalFileLimit + kJournalLineLimit);
  if (read.status != ReadStatus::Ok) return {};
  return parseJournal(read.bytes);
}

std::vector<JournalLine> readJournal() {
  const auto path = journalFilePath();
  if (!path) return {};
  return readJournalFile(*path);
}

std::vector<JournalRunView> journalRuns(const std::vector<JournalLine>& lines) {
  std::map<std::int64_t, JournalRunView> runs;
  for (const auto& line : lines) {
    auto [it, added] = runs.try_emplace(line.run);
    if (added) {
      it->second.run = line.run;
      it->second.label = line.label;
      it->second.time = line.time;
    }
    it->second.lines.push_back(line);
  }
  std::vector<JournalRunView> newestFirst;
  newestFirst.reserve(runs.size());
  for (auto it = runs.rbegin(); it != runs.rend(); ++it) newestFirst.push_back(std::move(it->second));
  return newestFirst;
}

std::optional<JournalLine> lastSuccessfulApply(const std::vector<JournalLine>& lines, const std::wstring& id) {
  for (auto it = lines.rbegin(); it != lines.rend(); ++it)
    if (it->id == id && it->action == JournalAction::Apply && it->result == JournalResult::Ok) return *it;
  return std::nullopt;
}

}  // namespace vx
