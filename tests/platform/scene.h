// Scene helpers for the platform contract suite: what a test needs to set up that the production
// platform layer does not offer (raw registry values of any type, services, a child program).
// scene_sim.cpp implements them on the simulated machine, scene_win32.cpp with plain Win32 calls.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vx::scene {

// Called by every contract test first: a fresh simulated machine, or on Windows the removal of
// what earlier tests left below testKey().
void reset();

// A key below HKEY_CURRENT_USER that tests may fill and that reset() removes ("Software\VantorixContract").
std::wstring testKey();

// Writes a value with any type and raw data (for wrong types, odd sizes, missing terminators).
void writeRawValue(RegRoot root, const std::wstring& subkey, const std::wstring& name, std::uint32_t type,
                   const std::vector<std::uint8_t>& data);
void deleteKeyTree(RegRoot root, const std::wstring& subkey);

// Creates or removes a service with the given start type (CreateServiceW / DeleteService on Windows).
bool addService(const std::wstring& name, std::uint32_t startType);
void removeService(const std::wstring& name);

// The helper child program: arguments "N M [FILE]" make it wait M ms, write FILE (when given)
// and exit with code N.
std::wstring childProgramPath();

// Lets time pass: a real sleep on Windows, the simulated clock on the simulated machine.
void waitMs(std::uint32_t ms);

// Sets an environment variable of the process as environmentVariable() reads it; nothing removes
// it (SetEnvironmentVariableW on Windows, the machine's environment on the simulated machine).
void setEnvironmentVariable(const std::wstring& name, const std::optional<std::wstring>& value);

// A fresh empty folder for file tests (a Windows path).
std::wstring scratchFolder();

// Makes a directory link (symbolic link or junction) at linkPath pointing to target; false when
// the backend cannot.
bool makeDirectoryLink(const std::wstring& linkPath, const std::wstring& target);

// Makes the folder impossible to list; false when the backend cannot.
bool denyFolder(const std::wstring& path);

// Sets FILE_ATTRIBUTE_READONLY on a file (the simulated machine keeps it as a missing write bit).
bool makeReadOnly(const std::wstring& path);
bool isReadOnly(const std::wstring& path);

// Keeps the file open elsewhere without FILE_SHARE_DELETE until the result is released, so that
// deleting it fails; empty when the file cannot be opened.
std::shared_ptr<void> holdOpen(const std::wstring& path);

// The image name of this test process as the process snapshot lists it ("vx_tests_win.exe"); on
// the simulated machine one that the machine's process list is given.
std::wstring ownProcessImageName();

}  // namespace vx::scene
