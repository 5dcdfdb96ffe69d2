// COM on the calling thread for the lifetime of one object. Used by the win32 operations that
// need COM (restore points, the shell's own ShellExecute, ShellExecuteExW) on whatever thread
// calls them: a job's worker, the booster, vxctl's main thread or the window's UI thread.
#pragma once
#include <windows.h>
#include <objbase.h>

namespace vx::win32 {

class ComApartment {
 public:
  // COINIT_APARTMENTTHREADED or COINIT_MULTITHREADED.
  explicit ComApartment(DWORD model) : result_(CoInitializeEx(nullptr, model)) {}
  ~ComApartment() {
    // Every successful CoInitializeEx (S_OK or S_FALSE) is paired with one CoUninitialize.
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // A thread that already lives in the other model (RPC_E_CHANGED_MODE) keeps it; COM is usable
  // there all the same.
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

}  // namespace vx::win32
