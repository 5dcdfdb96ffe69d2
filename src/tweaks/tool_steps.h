// Windows' own tools run by a tweak as data: the steps apply and revert run, the time-out, which
// steps decide whether apply worked, and one runner for all of them. The marker kind and the USB
// power tweak run their powercfg, bcdedit, netsh, DISM and PowerShell steps through it.
#pragma once
#include <cstdint>
#include <span>

#include "core/tweak_change.h"

namespace vx {

// One step: the arguments apply runs and the ones revert runs (empty: that side runs nothing).
// Apply succeeds only when every deciding step exited 0 in time; the others are best effort.
struct ToolStep {
  const wchar_t* apply = L"";
  const wchar_t* revert = L"";
  bool decides = true;
};

// What revert needs before it counts as done: nothing, the system folder the tool lives in, or
// every revert step started.
enum class RevertNeeds { Nothing, ToolFolder, StepsStarted };

struct ToolSteps {
  const wchar_t* tool = L"";  // below the system directory ("bcdedit.exe")
  std::span<const ToolStep> steps;
  std::uint32_t timeoutMs = 0;
  RevertNeeds revertNeeds = RevertNeeds::Nothing;
};

// Runs every step's apply arguments in order, also after a failure; true when every deciding
// step exited 0 in time.
bool runApplySteps(const ToolSteps& tool);
// Runs every step's revert arguments in order, their results ignored; false only when the
// revert's need is not met (then nothing more runs).
bool runRevertSteps(const ToolSteps& tool);

// The steps as change entries, in order: bcdedit steps as BootValue (the entry and element its
// arguments name), other tools as Command; nothing when the system directory cannot be read.
TweakChanges describeToolSteps(const ToolSteps& tool);

}  // namespace vx
