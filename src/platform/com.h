// COM for the whole process, set up once on the thread that lives as long as the process: the
// window program's UI thread (apartment-threaded) and vxctl's main thread (multithreaded). After
// CoInitializeEx it calls CoInitializeSecurity so that the System Restore service can call back.
// Implemented by win32/ and sim/.
#pragma once

namespace vx {

enum class ComModel {
  ApartmentThreaded,  // COINIT_APARTMENTTHREADED: a thread with windows
  MultiThreaded,      // COINIT_MULTITHREADED
};

// CoInitializeEx on the calling thread (kept until the process ends), then CoInitializeSecurity
// with a descriptor that lets Administrators, System, LocalService, NetworkService and this
// account call the process. Only the first call of a process does anything; later calls answer
// what the first one did. True when both steps succeeded.
bool initialiseProcessCom(ComModel model);

}  // namespace vx
