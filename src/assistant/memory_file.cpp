#include "assistant/memory_file.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "base/text.h"
#include "core/program_folder.h"
#include "core/read_limits.h"
#include "platform/files.h"
#include "platform/system.h"

namespace vx {

namespace {

constexpr std::string_view kEol = "\r\n";

// --- writer ---------------------------------------------------------------------------------------

// Built by appending: GCC 12 warns falsely (-Wrestrict) about "\"" + text + "\"".
std::string quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  out += text;
  out += '"';
  return out;
}

// The section's opening line, one line per entry (comma-separated), then the closing brace. An
// empty map leaves one empty line between the two.
template <typename Map, typename Value>
void writeSection(std::string& out, const char* name, const Map& map, Value value, bool last) {
  out += "  \"";
  out += name;
  out += "\": {";
  out += kEol;
  bool first = true;
  for (const auto& [key, entry] : map) {
    if (!first) {
      out += ',';
      out += kEol;
    }
    first = false;
    out += "    ";
    out += quoted(toUtf8(key));
    out += ": ";
    out += value(entry);
  }
  out += kEol;
  out += last ? "  }" : "  },";
  out += kEol;
}

// --- reader ---------------------------------------------------------------------------------------

// The characters C's isspace accepts in the "C" locale.
bool isCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number as atoi and %d read it: leading white space, an optional sign, digits. Values
// beyond the 32-bit range are clamped to it (atoi would be undefined there). Nothing when no digit
// follows; `at` then stays where it was.
std::optional<std::int32_t> scanInt(std::string_view text, std::size_t& at) {
  std::size_t i = at;
  while (i < text.size() && isCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || !isDigit(text[i])) return std::nullopt;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::int64_t value = 0;  // magnitude, held just past the 32-bit range once it gets there
  for (; i < text.size() && isDigit(text[i]); ++i)
    if (value <= kMax) value = value * 10 + (text[i] - '0');
  at = i;
  if (negative) return static_cast<std::int32_t>(-value < kMin ? kMin : -value);
  return static_cast<std::int32_t>(value > kMax ? kMax : value);
}

// atoi: a number that cannot be read is 0.
std::int32_t atoiClamped(std::string_view text) {
  std::size_t at = 0;
  return scanInt(text, at).value_or(0);
}

// How many numbers sscanf(text, " \"%d/%d\"") would read, and the numbers (0 when not read).
int scanStats(std::string_view text, std::int32_t& plus, std::int32_t& minus) {
  plus = minus = 0;
  std::size_t at = 0;
  while (at < text.size() && isCSpace(text[at])) ++at;
  if (at >= text.size() || text[at] != '"') return 0;
  ++at;
  const auto first = scanInt(text, at);
  if (!first) return 0;
  plus = *first;
  if (at >= text.size() || text[at] != '/') return 1;
  ++at;
  const auto second = scanInt(text, at);
  if (!second) return 1;
  minus = *second;
  return 2;
}

enum class Section { None, TopicScore, TopicHelpfulness, AppliedStats };

bool contains(std::string_view line, std::string_view marker) { return line.find(marker) != std::string_view::npos; }

// The key between the first two quotation marks and the text after the first colon behind them;
// nothing when the second mark or the colon is missing.
struct KeyedLine {
  std::wstring key;
  std::string_view rest;
};
std::optional<KeyedLine> splitKeyedLine(std::string_view line) {
  const std::size_t open = line.find('"');
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t close = line.find('"', open + 1);
  if (close == std::string_view::npos) return std::nullopt;
  const std::size_t colon = line.find(':', close + 1);
  if (colon == std::string_view::npos) return std::nullopt;
  return KeyedLine{fromUtf8(line.substr(open + 1, close - open - 1)), line.substr(colon + 1)};
}

void parseLine(std::string_view line, Section& section, AssistantMemory& memory) {
  if (contains(line, "\"topicScore\"")) {
    section = Section::TopicScore;
  } else if (contains(line, "\"topicHelpfulness\"")) {
    section = Section::TopicHelpfulness;
  } else if (contains(line, "\"appliedStats\"")) {
    section = Section::AppliedStats;
  } else if (contains(line, "\"userMessagesTotal\"")) {
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos) memory.userMessagesTotal = atoiClamped(line.substr(colon + 1));
  } else if (section == Section::TopicScore || section == Section::TopicHelpfulness) {
    if (auto keyed = splitKeyedLine(line)) {
      auto& map = section == Section::TopicScore ? memory.topicScore : memory.topicHelpfulness;
      map[std::move(keyed->key)] = atoiClamped(keyed->rest);
    }
  } else if (section == Section::AppliedStats) {
    if (auto keyed = splitKeyedLine(line)) {
      TweakStats stats;
      if (scanStats(keyed->rest, stats.plus, stats.minus) >= 1) memory.appliedStats[std::move(keyed->key)] = stats;
    }
  }
}

}  // namespace

std::wstring memoryPath() {
  const std::optional<std::wstring> folder = programFolder();
  return folder ? joinPath(*folder, kMemoryFileName) : std::wstring();
}

std::string formatMemory(const AssistantMemory& memory) {
  std::string out = "{";
  out += kEol;
  out += "  \"userMessagesTotal\": " + std::to_string(memory.userMessagesTotal) + ",";
  out += kEol;
  const auto number = [](std::int32_t value) { return std::to_string(value); };
  writeSection(out, "topicScore", memory.topicScore, number, false);
  writeSection(out, "topicHelpfulness", memory.topicHelpfulness, number, false);
  writeSection(out, "appliedStats", memory.appliedStats,
               [](const TweakStats& s) { return quoted(std::to_string(s.plus) + "/" + std::to_string(s.minus)); },
               true);
  out += "}";
  out += kEol;
  return out;
}

void parseMemory(std::string_view bytes, AssistantMemory& memory) {
  Section section = Section::None;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    parseLine(line, section, memory);
  }
}

void loadMemory(AssistantMemory& memory, const std::wstring& path) {
  if (path.empty()) return;
  // A file over the limit is not read at all: the memory starts fresh and the next save replaces it.
  const BoundedRead read = readFileBounded(path, kMemoryFileLimit);
  if (read.status == ReadStatus::Ok) parseMemory(read.bytes, memory);
}

bool saveMemory(const AssistantMemory& memory, const std::wstring& path) {
  return !path.empty() && writeFileAtomic(path, formatMemory(memory));
}

}  // namespace vx
