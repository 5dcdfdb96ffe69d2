#include "cli/json_output.h"

#include <algorithm>

#include "base/text.h"
#include "platform/console.h"

namespace vx::cli {

bool takeJsonSwitch(std::vector<std::wstring>& args) {
  const auto end = std::remove(args.begin(), args.end(), std::wstring(L"--json"));
  const bool found = end != args.end();
  args.erase(end, args.end());
  return found;
}

void printJson(const Json& object) {
  // Texts from the system (device names, paths) are converted from UTF-16; replace keeps a broken
  // one from ending the output half-written.
  writeStdout(fromUtf8(object.dump(2, ' ', false, Json::error_handler_t::replace) + "\n"));
}

std::string jsonText(const std::wstring& text) { return toUtf8(text); }

}  // namespace vx::cli
