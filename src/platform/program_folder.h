// Making a folder private to the administrators before an elevated program trusts what is in it:
// SYSTEM and Administrators full control, Users read and execute, nothing inherited. Called by the
// program folder of core (core/program_folder.h) on every start. Implemented by win32/ and sim/.
#pragma once
#include <string>

namespace vx {

// Creates the folder (its parent must exist) with that protected DACL and the Administrators as
// owner. A folder that is already there is taken over: SeTakeOwnershipPrivilege is enabled, then
// that owner and DACL are set on the folder and on everything in it; a link met inside gets them
// on itself and is never followed. False (the folder must not be used) when the folder is a link
// or not a folder, or when creating it or setting an owner or DACL fails. The result never rests
// on reading a descriptor back: Wine keeps none, so a read-back proves nothing.
bool ensurePrivateFolder(const std::wstring& path);

}  // namespace vx
