#include "games/cvar_lines.h"

#include <algorithm>

namespace vx {

namespace {

bool setsCvar(const std::wstring& line, const std::wstring& key) {
  return line.size() > key.size() && line.compare(0, key.size(), key) == 0 &&
         (line[key.size()] == L' ' || line[key.size()] == L'=');
}

}  // namespace

const std::wstring* findCvarLine(const std::vector<std::wstring>& lines, const std::wstring& key) {
  for (const std::wstring& line : lines)
    if (setsCvar(line, key)) return &line;
  return nullptr;
}

void setCvarIn(std::vector<std::wstring>& lines, const std::wstring& key, const std::wstring& value) {
  const std::wstring entry = key + L" " + value;
  for (std::wstring& line : lines) {
    if (setsCvar(line, key)) {
      line = entry;
      return;
    }
  }
  lines.push_back(entry);
}

void restoreCvarIn(std::vector<std::wstring>& lines, const std::vector<std::wstring>* before, const std::wstring& key) {
  const auto now = std::find_if(lines.begin(), lines.end(), [&](const std::wstring& l) { return setsCvar(l, key); });
  const std::wstring* old = before != nullptr ? findCvarLine(*before, key) : nullptr;
  if (now != lines.end() && old != nullptr)
    *now = *old;
  else if (now != lines.end())
    lines.erase(now);
  else if (old != nullptr)
    lines.push_back(*old);
}

}  // namespace vx
