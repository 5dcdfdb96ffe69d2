// Real processor and graphics names through the pure parsers of the hardware profile.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "base/text.h"
#include "hw/cpu_info.h"
#include "hw/display_adapters.h"
#include "hw/gpu_driver_info.h"
#include "hw/gpu_family.h"

namespace vx {
namespace {

struct CpuCase {
  const wchar_t* name;
  const wchar_t* vendor;
  std::uint32_t generation;
  std::uint32_t modelNumber;
  bool intelBeforeGen8;
  bool amdRyzen;
};

const CpuCase kCpuCases[] = {
    {L"Intel(R) Core(TM) i7-4790K CPU @ 4.00GHz", kIntelVendor, 4, 4790, true, false},
    {L"12th Gen Intel(R) Core(TM) i5-12400F", kIntelVendor, 12, 12400, false, false},
    {L"Intel(R) Core(TM) i3-2100 CPU @ 3.10GHz", kIntelVendor, 2, 2100, true, false},
    {L"Intel(R) Core(TM) i7-7700HQ CPU @ 2.80GHz", kIntelVendor, 7, 7700, true, false},
    {L"Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz", kIntelVendor, 8, 8250, false, false},
    {L"Intel(R) Core(TM) i9-9900K CPU @ 3.60GHz", kIntelVendor, 9, 9900, false, false},
    {L"Intel(R) Core(TM) i5-10400F CPU @ 2.90GHz", kIntelVendor, 10, 10400, false, false},
    {L"13th Gen Intel(R) Core(TM) i9-13900K", kIntelVendor, 13, 13900, false, false},
    // Four-digit laptop parts of the 10th..14th generation: the leading 1 starts a two-digit generation.
    {L"Intel(R) Core(TM) i7-1065G7 CPU @ 1.30GHz", kIntelVendor, 10, 1065, false, false},
    {L"11th Gen Intel(R) Core(TM) i7-1165G7 @ 2.80GHz", kIntelVendor, 11, 1165, false, false},
    {L"13th Gen Intel(R) Core(TM) i5-1335U", kIntelVendor, 13, 1335, false, false},
    {L"Intel(R) Core(TM) Ultra 7 155H", kIntelVendor, 0, 0, false, false},
    {L"Intel(R) Core(TM) i7 CPU 920 @ 2.67GHz", kIntelVendor, 0, 0, false, false},
    {L"Intel(R) Core(TM) i7-920", kIntelVendor, 0, 0, false, false},          // three digits
    {L"Intel(R) Core(TM) I7-4790", kIntelVendor, 0, 0, false, false},         // case as stored
    {L"Intel(R) Core(TM) i7-123456", kIntelVendor, 12, 12345, false, false},  // at most five digits
    {L"Intel i4-4790 then i5-12400", kIntelVendor, 12, 12400, false, false},  // i4 is no tier
    {L"Intel(R) Core(TM) i5-3570K i7-4790", kIntelVendor, 3, 3570, true, false},  // first match counts
    {L"AMD Ryzen 7 5800X 8-Core Processor", kAmdVendor, 0, 0, false, true},
    {L"AMD Ryzen Threadripper 3970X 32-Core Processor", kAmdVendor, 0, 0, false, true},
    {L"AMD EPYC 7763 64-Core Processor", kAmdVendor, 0, 0, false, true},
    {L"AMD RYZEN 5 3600", kAmdVendor, 0, 0, false, true},
    {L"AMD FX(tm)-8350 Eight-Core Processor", kAmdVendor, 0, 0, false, false},
    {L"AMD Ryzen 5 3600 6-Core Processor", kIntelVendor, 0, 0, false, false},  // Ryzen only counts on AMD
    // An Intel pattern under another vendor: parsed, but never "before gen 8" (the profile drops it).
    {L"Engineering sample i7-4790", kAmdVendor, 4, 4790, false, false},
    {L"", kIntelVendor, 0, 0, false, false},
};

TEST(CpuNames, ParseGenerationModelAndVendorFlags) {
  for (const CpuCase& c : kCpuCases) {
    SCOPED_TRACE(toUtf8(c.name));
    const CpuInfo info = parseCpuInfo(c.name, c.vendor);
    EXPECT_EQ(info.name, c.name);
    EXPECT_EQ(info.vendor, c.vendor);
    EXPECT_EQ(info.generation, c.generation);
    EXPECT_EQ(info.modelNumber, c.modelNumber);
    EXPECT_EQ(info.intelBeforeGen8, c.intelBeforeGen8);
    EXPECT_EQ(info.amdRyzen, c.amdRyzen);
  }
}

// The hand-written scanner must find the same number as the ECMAScript pattern it stands for.
TEST(CpuNames, ModelNumberAgreesWithTheRegularExpression) {
  const std::wregex pattern(L"i([3579])-(\\d{4,5})", std::regex::ECMAScript);
  for (const CpuCase& c : kCpuCases) {
    const std::wstring name = c.name;
    std::wsmatch match;
    const std::uint32_t expected =
        std::regex_search(name, match, pattern) ? static_cast<std::uint32_t>(std::stoul(match[2].str())) : 0;
    EXPECT_EQ(parseCpuInfo(name, kIntelVendor).modelNumber, expected) << toUtf8(name);
  }
}

struct GpuCase {
  const wchar_t* name;
  bool modern;
  const wchar_t* amdFamily;
  const wchar_t* nvidiaFamily;
};

const GpuCase kGpuCases[] = {
    {L"NVIDIA GeForce RTX 3070", true, L"", L"Ampere"},
    {L"NVIDIA GeForce RTX 4070", true, L"", L"Ada"},
    {L"NVIDIA GeForce RTX 4090 Laptop GPU", true, L"", L"Ada"},
    {L"NVIDIA GeForce RTX 5080", true, L"", L""},  // no family row yet
    {L"NVIDIA GeForce RTX 2060 SUPER", true, L"", L"Turing"},
    {L"NVIDIA GeForce GTX 1660 SUPER", true, L"", L"Turing"},  // "gtx 16" precedes "gtx 10"
    {L"NVIDIA GeForce GTX 1080 Ti", true, L"", L"Pascal"},
    {L"NVIDIA GeForce GTX 970", false, L"", L"Maxwell"},
    {L"NVIDIA GeForce GT 730", false, L"", L""},
    {L"NVIDIA RTX A4000", true, L"", L""},
    {L"NVIDIA GEFORCE RTX 3060 TI", true, L"", L"Ampere"},
    // AMD: three-digit RX 5xx numbers are Polaris, four-digit RX 5xxx numbers RDNA.
    {L"Radeon RX 580 Series", true, L"Polaris", L""},
    {L"AMD Radeon RX 580 2048SP", true, L"Polaris", L""},
    {L"Radeon RX 570 Series", true, L"Polaris", L""},
    {L"AMD Radeon RX 570X", true, L"Polaris", L""},
    {L"Radeon RX 560 Series", true, L"Polaris", L""},
    {L"AMD Radeon RX 560X", true, L"Polaris", L""},
    {L"Radeon RX 550 Series", true, L"Polaris", L""},
    {L"AMD Radeon RX 550X", true, L"Polaris", L""},
    {L"AMD Radeon RX 590", true, L"Polaris", L""},
    {L"AMD Radeon RX 5700 XT", true, L"RDNA", L""},
    {L"AMD Radeon RX 5700", true, L"RDNA", L""},
    {L"AMD Radeon RX 5600 XT", true, L"RDNA", L""},
    {L"AMD Radeon RX 5500 XT", true, L"RDNA", L""},
    {L"AMD Radeon RX 5500M", true, L"RDNA", L""},
    {L"AMD Radeon RX 5300", true, L"RDNA", L""},
    {L"AMD Radeon RX 6700 XT", true, L"RDNA2", L""},
    {L"AMD Radeon RX 7900 XTX", true, L"RDNA3", L""},
    {L"Radeon RX Vega 64", false, L"Vega", L""},
    {L"AMD Radeon(TM) Vega 8 Graphics", false, L"Vega", L""},
    {L"Radeon (TM) RX 480 Graphics", false, L"Polaris", L""},
    {L"AMD Radeon RX 470", false, L"Polaris", L""},
    {L"AMD Radeon R9 390", false, L"GCN", L""},
    {L"AMD Radeon R7 370", false, L"GCN", L""},
    {L"AMD Radeon VII", true, L"", L""},
    {L"AMD Radeon(TM) Graphics", false, L"", L""},
    {L"Sapphire RX 580", true, L"", L""},  // the AMD table needs "radeon" or "amd"
    {L"Intel Arc A770", true, L"", L""},
    {L"Intel Iris Xe Graphics", true, L"", L""},
    {L"Intel(R) UHD Graphics 630", false, L"", L""},
    {L"Microsoft Basic Display Adapter", false, L"", L""},
    {L"", false, L"", L""},
};

TEST(GpuNames, ModernAndFamilies) {
  for (const GpuCase& c : kGpuCases) {
    SCOPED_TRACE(toUtf8(c.name));
    EXPECT_EQ(isModernGpu(c.name), c.modern);
    EXPECT_EQ(amdGpuFamily(c.name), c.amdFamily);
    EXPECT_EQ(nvidiaGpuFamily(c.name), c.nvidiaFamily);
  }
}

TEST(GpuNames, AdapterVendorFirstHitWins) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"NVIDIA GeForce RTX 3070", L"NVIDIA"},     {L"GeForce GTX 1060 6GB", L"NVIDIA"},
      {L"AMD Radeon RX 580", L"AMD"},              {L"Radeon RX Vega 64", L"AMD"},
      {L"Intel(R) UHD Graphics 630", L"INTEL"},    {L"INTEL(R) HD GRAPHICS 4600", L"INTEL"},
      {L"Wine Adapter", L"OTHER"},                 {L"VMware SVGA 3D", L"OTHER"},
      {L"", L"OTHER"},
  };
  for (const auto& [name, vendor] : cases) EXPECT_EQ(displayAdapterVendor(name), vendor);
}

TEST(GpuDriverVersions, NvidiaPublicVersion) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"31.0.15.3623", L"536.23"},
      {L"32.0.15.6094", L"560.94"},
      {L"27.21.14.5671", L"456.71"},
      {L"31.0.15.3623.", L"536.23"},  // a trailing empty piece is not counted
      {L"31..15.3623", L"536.23"},    // an empty middle piece is: third "15", fourth "3623"
      {L"x.y.1a5.36-23", L"536.23"},  // only digits of the two pieces count
      {L"31.0.15.", L""},             // three pieces
      {L"31.0.15", L""},
      {L"31.0.1.23", L""},            // four digits
      {L"1.2.3456789.0", L"678.90"},  // the last five digits
  };
  for (const auto& [raw, shown] : cases) EXPECT_EQ(nvidiaPublicVersion(raw), shown) << toUtf8(raw);
}

TEST(GpuDriverVersions, CardPerVendor) {
  const DisplayAdapter nvidia{L"NVIDIA GeForce RTX 3070", L"k\\0000", L"", L"NVIDIA"};
  const DisplayAdapter amd{L"AMD Radeon RX 580", L"k\\0001", L"", L"AMD"};
  const DisplayAdapter intel{L"Intel(R) UHD Graphics 630", L"k\\0002", L"", L"INTEL"};
  const DisplayAdapter other{L"Wine Adapter", L"k\\0003", L"", L"OTHER"};

  GpuDriverInfo card = makeGpuDriverInfo(nvidia, L"31.0.15.3623");
  EXPECT_EQ(card.name, nvidia.name);
  EXPECT_EQ(card.driverVersion, L"31.0.15.3623");
  EXPECT_EQ(card.displayVersion, L"536.23");
  EXPECT_EQ(card.linkLabel, L"Открыть страницу загрузки NVIDIA");
  EXPECT_NE(card.downloadPage.find(L"nvidia.com"), std::wstring::npos);

  EXPECT_EQ(makeGpuDriverInfo(nvidia, L"31.0.15").displayVersion, L"");
  EXPECT_EQ(makeGpuDriverInfo(nvidia, L"9.18").displayVersion, L"9.18");  // too short to convert
  EXPECT_EQ(makeGpuDriverInfo(nvidia, L"1.2.3").displayVersion, L"");    // long enough, too few pieces
  EXPECT_EQ(makeGpuDriverInfo(nvidia, L"").displayVersion, L"");

  card = makeGpuDriverInfo(intel, L"31.0.101.4502");
  EXPECT_EQ(card.displayVersion, L"31.0.101.4502");
  EXPECT_EQ(card.linkLabel, L"Открыть страницу загрузки Intel");
  EXPECT_NE(card.downloadPage.find(L"intel.com"), std::wstring::npos);

  card = makeGpuDriverInfo(amd, L"31.0.21001.45002");
  EXPECT_EQ(card.displayVersion, L"31.0.21001.45002");
  EXPECT_EQ(card.linkLabel, L"Открыть страницу загрузки AMD");
  EXPECT_NE(card.downloadPage.find(L"amd.com"), std::wstring::npos);

  card = makeGpuDriverInfo(other, L"31.0.15.3623");
  EXPECT_EQ(card.displayVersion, L"31.0.15.3623");
  EXPECT_EQ(card.downloadPage, L"");
  EXPECT_EQ(card.linkLabel, L"");
}

}  // namespace
}  // namespace vx
