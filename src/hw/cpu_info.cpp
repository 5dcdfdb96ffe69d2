#include "hw/cpu_info.h"

#include "base/text.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace vx {

namespace {

constexpr const wchar_t* kProcessorKey = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

bool isAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

struct IntelModel {
  std::uint32_t generation = 0;
  std::uint32_t modelNumber = 0;
};

// The first "i3-", "i5-", "i7-" or "i9-" followed by at least four digits; the number is four or
// five digits long (the same first match as the ECMAScript pattern i([3579])-(\d{4,5})). Written
// by hand because this runs on every 1.5 s refresh and must not depend on the C library's locale.
IntelModel parseIntelModel(const std::wstring& name) {
  for (std::size_t p = 0; p + 3 < name.size(); ++p) {
    if (name[p] != L'i' || name[p + 2] != L'-') continue;
    const wchar_t tier = name[p + 1];
    if (tier != L'3' && tier != L'5' && tier != L'7' && tier != L'9') continue;
    std::size_t digits = 0;
    while (digits < 5 && p + 3 + digits < name.size() && isAsciiDigit(name[p + 3 + digits])) ++digits;
    if (digits < 4) continue;

    const std::wstring_view number(name.data() + p + 3, digits);
    IntelModel model;
    for (wchar_t c : number) model.modelNumber = model.modelNumber * 10 + static_cast<std::uint32_t>(c - L'0');
    const std::uint32_t first = static_cast<std::uint32_t>(number[0] - L'0');
    const std::uint32_t firstTwo = first * 10 + static_cast<std::uint32_t>(number[1] - L'0');
    // Five digits carry a two-digit generation (12700 -> 12). Four-digit numbers carry it in the
    // first digit (4790 -> 4), except the 10th..14th generation laptop parts such as 1165G7 or
    // 1360P: first-generation Core names had three digits (i7-920), so a leading 1 in a four-digit
    // number always starts a two-digit generation.
    model.generation = (digits == 5 || first == 1) ? firstTwo : first;
    return model;
  }
  return {};
}

}  // namespace

CpuInfo parseCpuInfo(std::wstring name, std::wstring vendor) {
  CpuInfo info;
  const IntelModel model = parseIntelModel(name);
  info.generation = model.generation;
  info.modelNumber = model.modelNumber;
  info.intelBeforeGen8 = vendor == kIntelVendor && info.generation >= 1 && info.generation <= 7;
  if (vendor == kAmdVendor) {
    const std::wstring lower = toLowerFolded(name);
    for (const wchar_t* family : {L"ryzen", L"threadripper", L"epyc"})
      if (lower.find(family) != std::wstring::npos) info.amdRyzen = true;
  }
  info.name = std::move(name);
  info.vendor = std::move(vendor);
  return info;
}

CpuInfo readCpuInfo() {
  return parseCpuInfo(regReadString(RegRoot::LocalMachine, kProcessorKey, L"ProcessorNameString").value_or(L""),
                      cpuVendor());
}

}  // namespace vx
