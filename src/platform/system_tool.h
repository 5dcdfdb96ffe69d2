// Windows' own tools (reg, powercfg, netsh, bcdedit, dism, ipconfig, shutdown, ...) started from the
// System32 folder, never through the search path: "<System32>\tool" quoted, then the arguments.
// When the system directory cannot be read nothing is started and the run counts as not started.
#pragma once
#include <cstdint>
#include <string>

#include "platform/process.h"

namespace vx {

// The command line that runs the tool, or empty when the system directory cannot be read.
std::wstring systemToolCommandLine(const std::wstring& tool, const std::wstring& arguments);

// Runs the tool hidden and waits at most timeoutMs. Callers that only need the tool started
// compare with ChildExit::NotStarted.
ChildExit runSystemTool(const std::wstring& tool, const std::wstring& arguments, std::uint32_t timeoutMs);

// True only when the tool exited with code 0 within the time-out.
bool systemToolSucceeds(const std::wstring& tool, const std::wstring& arguments, std::uint32_t timeoutMs);

// Starts the tool hidden without waiting; true when it started.
bool startSystemTool(const std::wstring& tool, const std::wstring& arguments);

}  // namespace vx
