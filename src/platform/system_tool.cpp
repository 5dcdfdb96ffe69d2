#include "platform/system_tool.h"

namespace vx {

std::wstring systemToolCommandLine(const std::wstring& tool, const std::wstring& arguments) {
  const std::wstring path = systemToolPath(tool);
  if (path.empty()) return {};
  return L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
}

ChildExit runSystemTool(const std::wstring& tool, const std::wstring& arguments, std::uint32_t timeoutMs) {
  const std::wstring line = systemToolCommandLine(tool, arguments);
  if (line.empty()) return ChildExit::NotStarted;
  return runHiddenProcess(line, timeoutMs);
}

bool systemToolSucceeds(const std::wstring& tool, const std::wstring& arguments, std::uint32_t timeoutMs) {
  return runSystemTool(tool, arguments, timeoutMs) == ChildExit::ExitedZero;
}

bool startSystemTool(const std::wstring& tool, const std::wstring& arguments) {
  const std::wstring line = systemToolCommandLine(tool, arguments);
  return !line.empty() && startHiddenProcess(line);
}

}  // namespace vx
