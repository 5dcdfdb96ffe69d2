#include "app/tweak_set_dialog.h"

#include <shobjidl.h>
#include <wrl/client.h>

#include <memory>

namespace vx::app {

namespace {

using Microsoft::WRL::ComPtr;

struct CoTaskMemDeleter {
  void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

std::wstring resultPath(IFileDialog& dialog) {
  ComPtr<IShellItem> item;
  if (FAILED(dialog.GetResult(&item))) return {};
  wchar_t* raw = nullptr;
  if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &raw)) || raw == nullptr) return {};
  const std::unique_ptr<wchar_t, CoTaskMemDeleter> path(raw);
  return path.get();
}

}  // namespace

std::wstring chooseTweakSetFile(HWND owner, bool save) {
  ComPtr<IFileDialog> dialog;
  const HRESULT created =
      save ? CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))
           : CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog));
  if (FAILED(created)) return {};
  const COMDLG_FILTERSPEC filter[] = {{kTweakSetFilterName, L"*.json"}};
  dialog->SetFileTypes(1, filter);
  dialog->SetFileTypeIndex(1);
  dialog->SetDefaultExtension(L"json");  // "набор" becomes "набор.json"
  FILEOPENDIALOGOPTIONS options = 0;
  if (SUCCEEDED(dialog->GetOptions(&options)))
    dialog->SetOptions(options | FOS_FORCEFILESYSTEM | (save ? FOS_OVERWRITEPROMPT : FOS_FILEMUSTEXIST));
  if (save) dialog->SetFileName(L"vantorix-set.json");
  // Cancel answers HRESULT_FROM_WIN32(ERROR_CANCELLED).
  if (FAILED(dialog->Show(owner))) return {};
  return resultPath(*dialog.Get());
}

}  // namespace vx::app
