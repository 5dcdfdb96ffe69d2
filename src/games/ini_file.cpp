#include "games/ini_file.h"

#include <optional>

#include "games/config_text.h"
#include "games/eight_bit_text.h"
#include "platform/files.h"

namespace vx {

namespace {

// The name between the brackets when the trimmed line is a section header.
std::optional<std::wstring> headerName(const std::wstring& trimmed) {
  if (trimmed.size() < 2 || trimmed.front() != L'[' || trimmed.back() != L']') return std::nullopt;
  return trimmed.substr(1, trimmed.size() - 2);
}

// The line sets `key` when its trimmed text before the first "=" is exactly the key.
bool setsKey(const std::wstring& line, const std::wstring& key, std::wstring* valueOut = nullptr) {
  const std::size_t eq = line.find(L'=');
  if (eq == std::wstring::npos || trimConfigText(line.substr(0, eq)) != key) return false;
  if (valueOut != nullptr) *valueOut = trimConfigText(line.substr(eq + 1));
  return true;
}

std::wstring parentFolder(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

}  // namespace

std::optional<std::size_t> iniLineIndex(const std::vector<std::wstring>& lines, const std::wstring& section,
                                        const std::wstring& key) {
  bool inSection = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto name = headerName(trimConfigText(lines[i]))) {
      inSection = *name == section;
      continue;
    }
    if (inSection && setsKey(lines[i], key)) return i;
  }
  return std::nullopt;
}

void restoreIniEntry(std::vector<std::wstring>& lines, const std::vector<std::wstring>* before,
                     const std::wstring& section, const std::wstring& key) {
  const auto now = iniLineIndex(lines, section, key);
  const auto old = before != nullptr ? iniLineIndex(*before, section, key) : std::nullopt;
  if (now && old)
    lines[*now] = (*before)[*old];
  else if (now)
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*now));
  else if (old)
    setIniValueIn(lines, section, key, iniValueIn(*before, section, key));
}

std::wstring iniValueIn(const std::vector<std::wstring>& lines, const std::wstring& section, const std::wstring& key) {
  bool inSection = false;
  for (const std::wstring& line : lines) {
    const std::wstring trimmed = trimConfigText(line);
    if (const auto name = headerName(trimmed)) {
      inSection = *name == section;
      continue;
    }
    std::wstring value;
    if (inSection && setsKey(line, key, &value)) return value;
  }
  return {};
}

void setIniValueIn(std::vector<std::wstring>& lines, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) {
  const std::wstring entry = key + L"=" + value;
  bool inSection = false;
  bool sectionSeen = false;
  std::optional<std::size_t> insertAt;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::wstring trimmed = trimConfigText(lines[i]);
    if (const auto name = headerName(trimmed)) {
      if (inSection) insertAt = i;  // the header that ends the section
      inSection = *name == section;
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    if (inSection && setsKey(lines[i], key)) {
      lines[i] = entry;
      return;
    }
  }
  if (!sectionSeen) {
    if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
    lines.push_back(L"[" + section + L"]");
    lines.push_back(entry);
  } else if (inSection || !insertAt) {
    // The section's last occurrence runs to the end of the file.
    lines.push_back(entry);
  } else {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*insertAt), entry);
  }
}

std::wstring readIniValue(const std::wstring& path, const std::wstring& section, const std::wstring& key) {
  const auto text = readConfigText(path);
  return text ? iniValueIn(text->lines, section, key) : std::wstring();
}

bool setIniValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                 const std::wstring& value) {
  const std::wstring folder = parentFolder(path);
  if (!folder.empty()) createDirectories(folder);
  ConfigText text;
  if (fileStatus(path).kind != FileKind::Missing) {
    auto existing = readConfigText(path);
    // A file that is there but cannot be read is never replaced by a file holding one entry.
    if (!existing) return false;
    text = std::move(*existing);
  }
  setIniValueIn(text.lines, section, key, value);
  return writeFileAtomic(path, encodeConfigText(text));
}

}  // namespace vx
