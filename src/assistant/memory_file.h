// memory.json, the assistant's saved memory: its place under ProgramData, the line-oriented
// tolerant reader and the writer of the fixed format. The window loads it once and saves it after
// every reply; vxctl ask does the same.
#pragma once
#include <string>
#include <string_view>

#include "assistant/assistant_memory.h"

namespace vx {

// memory.json in the private program folder (programFolder(), which creates or takes over the
// folder). Empty when that folder is refused or unknown: the memory then lives in RAM only.
std::wstring memoryPath();

// The file's bytes: CR LF line ends, UTF-8 keys written as they are, maps in key order.
std::string formatMemory(const AssistantMemory& memory);

// Adds what the lines of the file say to the memory. Any input is safe: unknown or malformed lines
// are skipped, numbers outside the 32-bit range are clamped, invalid UTF-8 becomes U+FFFD.
void parseMemory(std::string_view bytes, AssistantMemory& memory);

// Nothing happens for an empty path, a file that cannot be read, or one over kMemoryFileLimit.
void loadMemory(AssistantMemory& memory, const std::wstring& path);

// Writes a temporary file beside the target and moves it into place, so a failed save keeps the
// previous file whole. False when the path is empty or the file could not be written.
bool saveMemory(const AssistantMemory& memory, const std::wstring& path);

}  // namespace vx
