// This process's access token: whether it runs elevated, and enabling a privilege that the token
// holds but keeps disabled (an elevated administrator's token holds both below, disabled). Used by
// the booster (standby purge), the program folder (taking ownership) and vxctl. Implemented by
// win32/ and sim/.
#pragma once

namespace vx {

// TokenElevation of the process token; false when it cannot be read.
bool processIsElevated();

enum class Privilege {
  ProfileSingleProcess,  // SeProfileSingleProcessPrivilege: purging the standby list
  TakeOwnership,         // SeTakeOwnershipPrivilege: taking over a folder someone else owns
};

// AdjustTokenPrivileges with SE_PRIVILEGE_ENABLED. True only when the privilege is enabled now:
// that call answers TRUE even when it granted nothing, so ERROR_NOT_ALL_ASSIGNED counts as failure.
bool enablePrivilege(Privilege privilege);

}  // namespace vx
