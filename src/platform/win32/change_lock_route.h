// Which named mutex the change lock of this process is (platform/change_lock.h): one in the
// Administrators' private namespace, or the Global\ name where private namespaces do not work
// (Wine has none), or none at all, so that the lock counts as held. Read by the Windows tests.
#pragma once

namespace vx::win32 {

enum class ChangeLockRoute { PrivateNamespace, GlobalName, Unopened };

ChangeLockRoute changeLockRoute();

}  // namespace vx::win32
