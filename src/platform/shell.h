// Opening a file, program or URI with its default handler, as Explorer does on a double click.
// Used by the tweak that opens the GPU vendor's colour settings. Implemented by win32/ and sim/.
#pragma once
#include <string>

namespace vx {

// ShellExecuteW with the verb "open", no parameters, no working folder, SW_SHOWNORMAL; true when
// the shell reports that it started something.
bool shellOpen(const std::wstring& target);

}  // namespace vx
