// The processor: brand string, CPUID vendor and the Intel Core generation and model number parsed
// from the name. Read by the hardware profile; the parser is pure so name tables can test it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

inline constexpr const wchar_t* kIntelVendor = L"GenuineIntel";
inline constexpr const wchar_t* kAmdVendor = L"AuthenticAMD";

struct CpuInfo {
  std::wstring name;                 // ProcessorNameString
  std::wstring vendor;               // 12-character CPUID vendor text
  std::uint32_t generation = 0;      // Intel Core generation from the model number, 0 when none
  std::uint32_t modelNumber = 0;     // 4790, 12700, ...; 0 when the name has no iN-NNNN(N)
  bool intelBeforeGen8 = false;      // GenuineIntel and generation 1..7
  bool amdRyzen = false;             // AuthenticAMD and a Ryzen, Threadripper or EPYC name
  bool operator==(const CpuInfo&) const = default;
};

// The name and vendor as read, interpreted; touches nothing outside.
CpuInfo parseCpuInfo(std::wstring name, std::wstring vendor);

// The processor name from the registry and the CPUID vendor, interpreted by parseCpuInfo.
CpuInfo readCpuInfo();

}  // namespace vx
