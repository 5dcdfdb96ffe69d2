// COM for the whole process: CoInitializeEx on the long-lived thread, then CoInitializeSecurity
// with an explicit absolute security descriptor as Microsoft's "Using System Restore" sample sets
// it up, so that the System Restore service (running as System, LocalService or NetworkService)
// can call back into the process during SRSetRestorePointW.
#include "platform/com.h"

#include <windows.h>
#include <aclapi.h>
#include <objbase.h>

#include <array>
#include <cstdint>

#include "platform/win32/handles.h"

namespace vx {

namespace {

// Room for any SID, aligned like the sample's ULONGLONG buffers.
struct SidBuffer {
  alignas(std::uint64_t) BYTE bytes[SECURITY_MAX_SID_SIZE] = {};
  PSID sid() { return bytes; }
};

bool makeWellKnownSid(WELL_KNOWN_SID_TYPE type, SidBuffer& buffer) {
  DWORD size = sizeof(buffer.bytes);
  return CreateWellKnownSid(type, nullptr, buffer.sid(), &size) != FALSE;
}

// Who may call into the process, each with the least rights COM needs for a call.
struct Caller {
  WELL_KNOWN_SID_TYPE type;
  TRUSTEE_TYPE trusteeType;
};
constexpr Caller kCallers[] = {
    {WinBuiltinAdministratorsSid, TRUSTEE_IS_GROUP},
    {WinLocalServiceSid, TRUSTEE_IS_USER},
    {WinNetworkServiceSid, TRUSTEE_IS_USER},
    {WinSelfSid, TRUSTEE_IS_USER},  // the principal self
    {WinLocalSystemSid, TRUSTEE_IS_USER},
};
constexpr std::size_t kCallerCount = sizeof(kCallers) / sizeof(kCallers[0]);

HRESULT initialiseSecurity() {
  std::array<SidBuffer, kCallerCount> sids;
  std::array<EXPLICIT_ACCESSW, kCallerCount> access{};
  for (std::size_t i = 0; i < kCallerCount; ++i) {
    if (!makeWellKnownSid(kCallers[i].type, sids[i])) return HRESULT_FROM_WIN32(GetLastError());
    EXPLICIT_ACCESSW& entry = access[i];
    entry.grfAccessPermissions = COM_RIGHTS_EXECUTE | COM_RIGHTS_EXECUTE_LOCAL;
    entry.grfAccessMode = SET_ACCESS;
    entry.grfInheritance = NO_INHERITANCE;
    entry.Trustee.pMultipleTrustee = nullptr;
    entry.Trustee.MultipleTrusteeOperation = NO_MULTIPLE_TRUSTEE;
    entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entry.Trustee.TrusteeType = kCallers[i].trusteeType;
    entry.Trustee.ptstrName = static_cast<LPWSTR>(sids[i].sid());
  }
  PACL rawAcl = nullptr;
  const DWORD aclStatus = SetEntriesInAclW(static_cast<ULONG>(access.size()), access.data(), nullptr, &rawAcl);
  if (aclStatus != ERROR_SUCCESS) return HRESULT_FROM_WIN32(aclStatus);
  const win32::UniqueLocalMemory<ACL> acl(rawAcl);

  // CoInitializeSecurity takes an absolute descriptor only (not the self-relative kind that
  // ConvertStringSecurityDescriptorToSecurityDescriptorW makes). Owner and group: Administrators.
  SECURITY_DESCRIPTOR descriptor{};
  PSID administrators = sids[0].sid();
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorOwner(&descriptor, administrators, FALSE) ||
      !SetSecurityDescriptorGroup(&descriptor, administrators, FALSE) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, acl.get(), FALSE))
    return HRESULT_FROM_WIN32(GetLastError());

  return CoInitializeSecurity(&descriptor, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                              RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_DISABLE_AAA | EOAC_NO_CUSTOM_MARSHAL, nullptr);
}

bool initialiseOnce(ComModel model) {
  // Kept for the rest of the thread's life, which is the process's: no CoUninitialize. A thread
  // already in the other model (RPC_E_CHANGED_MODE) can use COM all the same.
  const HRESULT joined =
      CoInitializeEx(nullptr, model == ComModel::ApartmentThreaded ? COINIT_APARTMENTTHREADED : COINIT_MULTITHREADED);
  if (FAILED(joined) && joined != RPC_E_CHANGED_MODE) return false;
  // The security is the process's and can be set only once; RPC_E_TOO_LATE means someone set it
  // before us, so the restore service may not be able to call back.
  return SUCCEEDED(initialiseSecurity());
}

}  // namespace

bool initialiseProcessCom(ComModel model) {
  static const bool initialised = initialiseOnce(model);
  return initialised;
}

}  // namespace vx
