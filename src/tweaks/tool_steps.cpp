#include "tweaks/tool_steps.h"

#include <string>
#include <vector>

#include "base/text.h"
#include "platform/system_tool.h"

namespace vx {

namespace {

constexpr const wchar_t* kBcdedit = L"bcdedit.exe";

std::wstring lineOf(const ToolSteps& tool, const wchar_t* arguments) {
  return *arguments == L'\0' ? std::wstring() : systemToolCommandLine(tool.tool, arguments);
}

// "/set {current} disabledynamictick yes" names the entry "{current}" and the element "disabledynamictick".
std::vector<std::wstring> words(const wchar_t* arguments) {
  std::vector<std::wstring> out;
  std::wstring word;
  for (const wchar_t* c = arguments; *c != L'\0'; ++c) {
    if (*c != L' ') {
      word += *c;
    } else if (!word.empty()) {
      out.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) out.push_back(std::move(word));
  return out;
}

}  // namespace

bool runApplySteps(const ToolSteps& tool) {
  bool decided = true;
  for (const ToolStep& step : tool.steps) {
    if (*step.apply == L'\0') continue;
    const bool succeeded = systemToolSucceeds(tool.tool, step.apply, tool.timeoutMs);
    if (step.decides) decided = succeeded && decided;
  }
  return decided;
}

bool runRevertSteps(const ToolSteps& tool) {
  if (tool.revertNeeds == RevertNeeds::ToolFolder && systemToolPath(tool.tool).empty()) return false;
  for (const ToolStep& step : tool.steps) {
    if (*step.revert == L'\0') continue;
    const ChildExit exit = runSystemTool(tool.tool, step.revert, tool.timeoutMs);
    if (tool.revertNeeds == RevertNeeds::StepsStarted && exit == ChildExit::NotStarted) return false;
  }
  return true;
}

TweakChanges describeToolSteps(const ToolSteps& tool) {
  TweakChanges list;
  if (systemToolPath(tool.tool).empty()) return list;
  const bool boot = equalsFolded(tool.tool, kBcdedit);
  for (const ToolStep& step : tool.steps) {
    std::wstring apply = lineOf(tool, step.apply);
    std::wstring revert = lineOf(tool, step.revert);
    const auto named = words(*step.apply != L'\0' ? step.apply : step.revert);
    if (boot && named.size() >= 3)
      list.push_back(bootValueChange(named[1], named[2], std::move(apply), std::move(revert)));
    else
      list.push_back(commandChange(std::move(apply), std::move(revert)));
  }
  return list;
}

}  // namespace vx
