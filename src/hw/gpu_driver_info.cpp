#include "hw/gpu_driver_info.h"

#include <initializer_list>

#include "platform/registry.h"

namespace vx {

namespace {

struct VendorDriverPage {
  std::wstring_view vendor;
  const wchar_t* downloadPage;
  const wchar_t* linkLabel;
};

// The vendors' own driver pages; adapters of any other vendor get no link.
constexpr VendorDriverPage kDriverPages[] = {
    {L"NVIDIA", L"https://www.nvidia.com/Download/index.aspx", L"Открыть страницу загрузки NVIDIA"},
    {L"AMD", L"https://www.amd.com/en/support/download/drivers.html", L"Открыть страницу загрузки AMD"},
    {L"INTEL", L"https://www.intel.com/content/www/us/en/support/detect.html", L"Открыть страницу загрузки Intel"},
};

// Shorter NVIDIA versions are shown as they are; from this length on they are converted.
constexpr std::size_t kNvidiaConvertibleLength = 5;

}  // namespace

std::wstring nvidiaPublicVersion(std::wstring_view driverVersion) {
  // Pieces between dots; an empty piece between two dots counts, a trailing empty one does not.
  std::vector<std::wstring_view> pieces;
  std::size_t start = 0;
  for (std::size_t dot = driverVersion.find(L'.'); dot != std::wstring_view::npos; dot = driverVersion.find(L'.', start)) {
    pieces.push_back(driverVersion.substr(start, dot - start));
    start = dot + 1;
  }
  if (start < driverVersion.size()) pieces.push_back(driverVersion.substr(start));
  if (pieces.size() < 4) return {};

  std::wstring digits;
  for (std::wstring_view piece : {pieces[2], pieces[3]})
    for (wchar_t c : piece)
      if (c >= L'0' && c <= L'9') digits += c;
  if (digits.size() < 5) return {};
  const std::wstring last5 = digits.substr(digits.size() - 5);
  return last5.substr(0, 3) + L"." + last5.substr(3);
}

GpuDriverInfo makeGpuDriverInfo(const DisplayAdapter& adapter, std::wstring driverVersion) {
  GpuDriverInfo info;
  info.name = adapter.name;
  info.vendor = adapter.vendor;
  info.displayVersion = adapter.vendor == L"NVIDIA" && driverVersion.size() >= kNvidiaConvertibleLength
                            ? nvidiaPublicVersion(driverVersion)
                            : driverVersion;
  info.driverVersion = std::move(driverVersion);
  for (const VendorDriverPage& page : kDriverPages) {
    if (page.vendor != adapter.vendor) continue;
    info.downloadPage = page.downloadPage;
    info.linkLabel = page.linkLabel;
  }
  return info;
}

std::vector<GpuDriverInfo> readGpuDriverInfo() {
  std::vector<GpuDriverInfo> drivers;
  for (const DisplayAdapter& adapter : enumDisplayAdapters())
    drivers.push_back(makeGpuDriverInfo(
        adapter, regReadString(RegRoot::LocalMachine, adapter.keyPath, L"DriverVersion").value_or(L"")));
  return drivers;
}

}  // namespace vx
